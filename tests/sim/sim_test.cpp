#include <gtest/gtest.h>

#include "events/debug_line.h"

#include <array>
#include <filesystem>
#include <set>

#include "device/device_errors.h"
#include "device/firmware_file.h"
#include "sim/sim_demo.h"
#include "sim/sim_firmware.h"
#include "sim/sim_state_file.h"
#include "support/sim_world.h"

namespace ztv {
namespace {

using test::SimWorld;

struct SimTest : ::testing::Test {
    SimTest() { world.transport.set_identity_index(1); }
    int write(std::uint8_t code, std::uint32_t offset, std::initializer_list<std::uint8_t> bytes) {
        std::vector<std::uint8_t> data(bytes);
        return world.protocol.write_area(code, offset, data);
    }
    std::vector<std::uint8_t> read(std::uint8_t code, std::uint32_t offset, std::size_t size, int* error = nullptr) {
        std::vector<std::uint8_t> dest(size);
        std::size_t got = 0;
        const int e = world.protocol.read_area(code, offset, dest, got);
        if (error != nullptr) *error = e;
        dest.resize(std::min(got, size));
        return dest;
    }
    SimWorld world;
};

TEST_F(SimTest, RestartLeavesTheBusForAWhile) {
    world.sim.set_restart_ms(700);
    ASSERT_EQ(world.protocol.restart_device(), kOk);
    int error = kOk;
    read(0x01, 0, 56, &error);
    EXPECT_EQ(error, kErrDisconnected) << "the handle died with the restart, and no device is found";
    world.transport.set_identity_index(1);
    EXPECT_EQ(world.transport.is_device_online(), kErrDisconnected);
    world.host.advance_ms(700);
    world.transport.set_identity_index(1);
    EXPECT_EQ(world.transport.is_device_online(), kOk);
    EXPECT_EQ(world.sim.restarts(), 1);
}

TEST_F(SimTest, WritesBeyondTheRecordAreRefused) {
    EXPECT_EQ(write(0x10, 2037, {1}), kOk);
    EXPECT_EQ(write(0x10, 2037, {1, 2}), kErrParameters);
    EXPECT_EQ(write(0x11, 9, {1, 2}), kErrParameters);
    int error = 0;
    EXPECT_TRUE(read(0x10, 2038, 64, &error).empty());
    EXPECT_EQ(error, kOk);
}

TEST_F(SimTest, CanModeNeedsTheCanFeature) {
    EXPECT_EQ(write(0x15, 0, {1}), kOk);
    EXPECT_EQ(world.sim.can_mode(), 1);
    EXPECT_TRUE(world.sim.status().can_log_running());
    EXPECT_EQ(write(0x15, 0, {4}), kErrParameters);
    world.sim.memory().features = "KT";
    EXPECT_EQ(write(0x15, 0, {0}), kErrParameters);
}

TEST_F(SimTest, CanRecordsComeInWholeRecordsOfThree) {
    const std::uint8_t data[3] = {0xDE, 0xAD, 0x01};
    for (std::uint32_t i = 0; i < 4; ++i) world.sim.push_can_record(0x7DF << 18, false, data, 100 + i);
    EXPECT_EQ(world.sim.status().pending(), kPendingCan);
    const auto first = read(0x15, 0, 64);
    ASSERT_EQ(first.size(), 60u);
    EXPECT_EQ(first[0] | first[1] << 8 | first[2] << 16 | first[3] << 24, 0x7DF << 18);
    EXPECT_EQ(first[4], 3);
    EXPECT_EQ(first[5], 0xDE);
    EXPECT_EQ(first[16], 100);
    EXPECT_EQ(read(0x15, 0, 64).size(), 20u);
    EXPECT_EQ(world.sim.status().pending(), kPendingNone);
}

TEST_F(SimTest, TerminalInputIsKeptAndEchoed) {
    EXPECT_EQ(write(0x05, 0, {'v', 'e', 'r', 0}), kOk);
    EXPECT_EQ(world.sim.terminal_input(), (std::vector<std::string>{"ver"}));
    EXPECT_EQ(world.sim.status().pending(), kPendingTerminal);
    const auto text = read(0x05, 0, 199);
    EXPECT_EQ(std::string(text.begin(), text.end()), "> ver\r\n");
}

TEST_F(SimTest, DefaultsResetRecordAndTouch) {
    world.sim.memory().record.set_u8(900, 1);
    world.sim.memory().touch[3] = 1;
    ASSERT_EQ(world.protocol.write_area(0x04, 0, {}), kOk);
    EXPECT_EQ(world.sim.memory().record.u8(900), 0);
    EXPECT_EQ(world.sim.memory().record.u16(2), 4095);
    EXPECT_EQ(world.sim.memory().touch[3], 0);
}

TEST_F(SimTest, LearningReportsRawIdleThenOnlyButtonsAboveTheCeiling) {
    world.sim.hold_button(1, 900, world.host.tick_ms() + 3000, world.host.tick_ms() + 4000);
    EXPECT_EQ(write(0x12, 0, {1, 0, 0, 0, 0, 0, 0, 0, 0}), kOk);
    auto quiet = read(0x12, 0, 8);
    ASSERT_EQ(quiet.size(), 8u);
    const unsigned idle0 = quiet[0] | quiet[1] << 8;
    EXPECT_GE(idle0, 120u);
    EXPECT_LT(idle0, 127u);
    // Ceilings of 200 on every channel: nothing pressed reads 0.
    EXPECT_EQ(write(0x12, 0, {1, 200, 0, 200, 0, 200, 0, 200, 0}), kOk);
    EXPECT_EQ(read(0x12, 0, 8), std::vector<std::uint8_t>(8, 0));
    world.host.advance_ms(3100);
    auto pressed = read(0x12, 0, 8);
    EXPECT_EQ(pressed[2] | pressed[3] << 8, 900);
    EXPECT_EQ(pressed[0] | pressed[1] << 8, 0);
    world.host.advance_ms(1000);
    EXPECT_EQ(read(0x12, 0, 8), std::vector<std::uint8_t>(8, 0));
}

TEST_F(SimTest, TouchCalibrationWalksItsStepsThenStoresTheResult) {
    EXPECT_EQ(write(0x11, 0, {1}), kOk);
    const std::uint32_t start = world.host.tick_ms();
    // Each step is shown for 1 s, pressed for 0.5 s and released for 0.3 s.
    const std::uint32_t at[] = {500, 1200, 1650, 2300, 3000, 3450, 4100, 4800, 5250, 5600};
    std::vector<std::uint8_t> states;
    for (const std::uint32_t ms : at) {
        world.host.advance_ms(start + ms - world.host.tick_ms());
        states.push_back(read(0x11, 1, 1).at(0));
    }
    EXPECT_EQ(states, (std::vector<std::uint8_t>{1, 0x81, 1, 2, 0x82, 2, 3, 0x83, 3, 0}));
    const auto block = read(0x11, 0, 10);
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(block[1], 0);
    EXPECT_NE(block[2] | block[3] << 8, 0);
}

TEST_F(SimTest, TouchCalibrationFollowsAScriptOfStates) {
    world.sim.set_calibration_states({{4, 200}, {0x84, 200}, {5, 200}});
    EXPECT_EQ(write(0x11, 0, {0}), kOk);
    const std::uint32_t start = world.host.tick_ms();
    std::vector<std::uint8_t> states;
    for (const std::uint32_t ms : {100u, 300u, 500u, 700u}) {
        world.host.advance_ms(start + ms - world.host.tick_ms());
        states.push_back(read(0x11, 1, 1).at(0));
    }
    EXPECT_EQ(states, (std::vector<std::uint8_t>{4, 0x84, 5, 0}));
}

TEST_F(SimTest, HeldButtonsJitterAroundTheirCodeWhenAsked) {
    world.sim.set_press_jitter(3);
    world.sim.hold_button(0, 1000, world.host.tick_ms(), world.host.tick_ms() + 5000);
    EXPECT_EQ(write(0x12, 0, {1, 200, 0, 200, 0, 200, 0, 200, 0}), kOk);
    std::set<unsigned> seen;
    for (int i = 0; i < 30; ++i) {
        const auto codes = read(0x12, 0, 8);
        const unsigned code = codes[0] | codes[1] << 8;
        EXPECT_GE(code, 997u);
        EXPECT_LE(code, 1003u);
        seen.insert(code);
        world.host.advance_ms(100);
    }
    EXPECT_GT(seen.size(), 2u);
}

TEST_F(SimTest, TouchCaptureCatchesAScriptedTouch) {
    world.sim.touch_at(world.host.tick_ms() + 1500, 1234, 2345);
    EXPECT_EQ(write(0x14, 0, {0x10, 0x27}), kOk);  // 10000 ms
    EXPECT_EQ(world.sim.touch_capture_ms(), 10000);
    EXPECT_EQ(read(0x14, 0, 5), (std::vector<std::uint8_t>{0, 0, 0, 0, 0}));
    world.host.advance_ms(1600);
    const auto caught = read(0x14, 0, 5);
    EXPECT_EQ(caught[0], 1);
    EXPECT_EQ(caught[1] | caught[2] << 8, 1234);
    EXPECT_EQ(caught[3] | caught[4] << 8, 2345);
    EXPECT_EQ(write(0x14, 0, {0, 0}), kOk);
    EXPECT_EQ(read(0x14, 0, 5)[0], 0);
}

TEST_F(SimTest, IrCaptureReportsTheLastCode) {
    EXPECT_EQ(read(0x13, 0, 4), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    world.sim.at(world.host.tick_ms() + 100, [](sim::SimController& s) { s.set_ir_code(0x0120FF45); });
    world.host.advance_ms(200);
    EXPECT_EQ(read(0x13, 0, 4), (std::vector<std::uint8_t>{0x45, 0xFF, 0x20, 0x01}));
}

TEST_F(SimTest, BootloaderTakesFirmwareChecksItAndStartsTheNewApplication) {
    const auto file = sim::make_sim_firmware(1107, 4, 300);
    const FirmwareLoad load = parse_firmware(file);
    ASSERT_EQ(load.status, FirmwareFileStatus::Ok);
    world.sim.set_mode(sim::SimMode::Bootloader);
    world.transport.set_identity_index(0);
    EXPECT_EQ(write(0x10, 0, {1}), kErrParameters) << "the bootloader only knows firmware blocks";
    const auto& transfer = load.image.transfer;
    ASSERT_EQ(world.protocol.write_chunked(0x02, 0, std::span<const std::uint8_t>(transfer.data(), transfer.size() - 64)),
              kOk);
    EXPECT_EQ(world.sim.memory().app_version, 0u) << "erased, not yet complete";
    ASSERT_EQ(world.protocol.write_chunked(0x02, static_cast<std::uint32_t>(transfer.size() - 64),
                                           std::span<const std::uint8_t>(transfer).last(64)),
              kOk);
    EXPECT_EQ(world.sim.memory().app_version, 1107u);
    world.host.advance_ms(600);
    EXPECT_EQ(world.sim.mode(), sim::SimMode::Application);
}

TEST_F(SimTest, BootloaderKeepsNoApplicationAfterACorruptImage) {
    auto file = sim::make_sim_firmware(1107, 4, 200);
    FirmwareLoad load = parse_firmware(file);
    ASSERT_EQ(load.status, FirmwareFileStatus::Ok);
    load.image.transfer[50] ^= 0xFF;
    world.sim.set_mode(sim::SimMode::Bootloader);
    world.transport.set_identity_index(0);
    ASSERT_EQ(world.protocol.write_chunked(0x02, 0, load.image.transfer), kOk);
    EXPECT_EQ(world.sim.memory().app_version, 0u);
    world.host.advance_ms(1000);
    EXPECT_EQ(world.sim.mode(), sim::SimMode::Bootloader);
}

TEST_F(SimTest, ApplicationEntersBootloaderOnAFirmwareBlock) {
    const std::array<std::uint8_t, 64> block{};
    // It leaves at once: the reply poll finds the device gone.
    EXPECT_EQ(world.protocol.write_area(0x02, 0, block), kErrGetFeature);
    world.host.advance_ms(600);
    world.transport.set_identity_index(0);
    EXPECT_EQ(world.transport.is_device_online(), kOk);
    EXPECT_EQ(world.sim.mode(), sim::SimMode::Bootloader);
    EXPECT_EQ(world.sim.status().name, "ZEB-TERVIO-V4-BOOT");
}

TEST_F(SimTest, ApplicationCanConfirmBootloaderEntryFirst) {
    world.sim.set_ack_bootloader_entry(true);
    const std::array<std::uint8_t, 64> block{};
    EXPECT_EQ(world.protocol.write_area(0x02, 0, block), kOk);
    EXPECT_EQ(world.sim.mode(), sim::SimMode::Bootloader);
    EXPECT_FALSE(world.sim.present());
}

TEST_F(SimTest, CorruptRequestChecksumIsAnsweredWithParameterError) {
    Frame frame;
    frame.set_command(0x10);
    frame.seal();
    frame.bytes[69] ^= 1;
    ASSERT_TRUE(world.sim.on_set_feature(0, frame.bytes) == false);  // stale handle generation
    auto device = world.sim.open("sim:zeb-tervio-v4");
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(device->set_feature(frame.bytes));
    Frame reply;
    ASSERT_TRUE(device->get_feature(reply.bytes));
    EXPECT_EQ(reply.command(), 0xFE);
}

}  // namespace
}  // namespace ztv

namespace ztv {
namespace {

TEST(SimState, SavedAndLoadedWhole) {
    const std::string path = ::testing::TempDir() + "/sim_state_test.ini";
    sim::SimMemory memory;
    memory.record.set_u8(2037, 0x99);
    memory.touch[9] = 7;
    memory.app_version = 1234;
    memory.serial = 77;
    memory.features = "KT";
    std::filesystem::remove(path);
    ASSERT_EQ(sim::save_sim_state(path, memory), sim::SimStateStatus::Ok);
    sim::SimMemory loaded;
    ASSERT_EQ(sim::load_sim_state(path, loaded), sim::SimStateStatus::Ok);
    EXPECT_EQ(loaded.record.raw, memory.record.raw);
    EXPECT_EQ(loaded.touch, memory.touch);
    EXPECT_EQ(loaded.app_version, 1234u);
    EXPECT_EQ(loaded.serial, 77u);
    EXPECT_EQ(loaded.features, "KT");
    sim::SimMemory untouched;
    EXPECT_EQ(sim::load_sim_state(path + ".missing", untouched), sim::SimStateStatus::Ok);
    EXPECT_EQ(untouched.app_version, 1005u);
}

}  // namespace
}  // namespace ztv

namespace ztv {
namespace {

using test::SimWorld;

TEST(SimDemo, PrintsTextLogsCanWhileRunningAndPressesButtons) {
    SimWorld world;
    sim::start_demo(world.sim, world.host.tick_ms());
    world.attach_timer();
    world.host.run_for(6000);
    ASSERT_TRUE(world.monitor.connected());
    std::size_t controller_lines = 0;
    bool event_line = false;
    for (const auto& line : world.host.log) {
        if (line.source != LogSource::Controller) continue;
        ++controller_lines;
        if (line.text.find(" EV:") == std::string::npos) continue;
        event_line = true;
        // The demo's bus reports look like the controller's: the terminal names their events.
        std::string named = line.text;
        EXPECT_TRUE(rewriteDebugLine(named, Lang::English)) << line.text;
    }
    EXPECT_GE(controller_lines, 2u);
    EXPECT_TRUE(event_line);
    EXPECT_EQ(world.sim.pending_can_records(), 0u) << "no CAN frames while the CAN log is off";
    std::array<std::uint8_t, 1> mode{{1}};
    ASSERT_EQ(world.protocol.write_area(0x15, 0, mode), kOk);
    for (int i = 0; i < 10; ++i) {
        world.host.advance_ms(100);
        world.sim.present();  // the script runs at the controller's USB calls
    }
    EXPECT_GE(world.sim.pending_can_records(), 9u);
    EXPECT_EQ(world.monitor.status().name.substr(14), "CKT");
}

}  // namespace
}  // namespace ztv
