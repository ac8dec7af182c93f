#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/device_errors.h"
#include "device/firmware_update.h"
#include "sim/sim_firmware.h"
#include "support/sim_world.h"

namespace ztv {
namespace {

using sim::Fault;
using sim::FaultPlan;
using test::SimWorld;

std::string write_temp(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

TEST(Crc16Xmodem, CheckValue) {
    const std::string text = "123456789";
    EXPECT_EQ(crc16_xmodem(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())),
              0x31C3);
    EXPECT_EQ(crc16_xmodem({}), 0);
}

TEST(FirmwareFile, ParsesHeaderAndPadsWithZeros) {
    std::vector<std::uint8_t> body(100, 0xAA);
    const auto file = make_firmware_file(1107, 4, body);
    const FirmwareLoad load = parse_firmware(file);
    ASSERT_EQ(load.status, FirmwareFileStatus::Ok);
    EXPECT_EQ(load.image.version, 1107u);
    EXPECT_EQ(load.image.hardware_code, 4u);
    EXPECT_EQ(load.image.body_size(), 100u);
    ASSERT_EQ(load.image.transfer.size(), 164u);
    EXPECT_EQ(load.image.transfer[99], 0xAA);
    EXPECT_EQ(load.image.transfer[100], file[file.size() - 2]);
    EXPECT_EQ(load.image.transfer[101], file[file.size() - 1]);
    for (std::size_t i = 102; i < 164; ++i) EXPECT_EQ(load.image.transfer[i], 0) << i;
}

TEST(FirmwareFile, SizeLimitsAndChecksum) {
    EXPECT_EQ(parse_firmware(std::vector<std::uint8_t>(13)).status, FirmwareFileStatus::SizeRefused);
    const auto smallest = make_firmware_file(1, 1, {});
    ASSERT_EQ(smallest.size(), 14u);
    EXPECT_EQ(parse_firmware(smallest).status, FirmwareFileStatus::Ok);
    EXPECT_EQ(parse_firmware(smallest).image.transfer.size(), 64u);
    const auto largest = make_firmware_file(1, 1, std::vector<std::uint8_t>(65486 - 14, 1));
    EXPECT_EQ(parse_firmware(largest).status, FirmwareFileStatus::Ok);
    const auto too_large = make_firmware_file(1, 1, std::vector<std::uint8_t>(65487 - 14, 1));
    EXPECT_EQ(parse_firmware(too_large).status, FirmwareFileStatus::SizeRefused);
    auto broken = make_firmware_file(1, 1, std::vector<std::uint8_t>(40, 1));
    broken[20] ^= 1;
    EXPECT_EQ(parse_firmware(broken).status, FirmwareFileStatus::ChecksumWrong);
}

struct FirmwareTest : ::testing::Test {
    FirmwareTest() {
        world.sim.memory().app_version = 1005;
        world.sim.memory().hardware_code = 4;
        world.attach_timer();
        world.host.run_for(1000);  // the monitor finds the controller
        EXPECT_TRUE(world.monitor.connected());
        world.host.boxes.clear();
        world.sim.keep_request_log(true);
    }
    std::size_t firmware_frames() const {
        std::size_t n = 0;
        for (const Frame& f : world.sim.request_log()) n += f.command() == 0x82 ? 1 : 0;
        return n;
    }
    FirmwareResult run(const std::string& path) {
        FirmwareUpdate update(world.monitor);
        return update.run([&] { return std::optional<std::string>(path); });
    }
    SimWorld world;
};

TEST_F(FirmwareTest, RefusalsBeforeAnythingIsWritten) {
    struct Case {
        std::string name;
        std::vector<std::uint8_t> bytes;
        std::string box;
    };
    auto crc_wrong = sim::make_sim_firmware(1200, 4, 500);
    crc_wrong.back() ^= 1;
    const std::vector<Case> cases = {
        {"short.LDR", std::vector<std::uint8_t>(13, 0), "Error file size \"short.LDR\""},
        {"huge.LDR", make_firmware_file(1200, 4, std::vector<std::uint8_t>(65487 - 14, 0)),
         "Error file size \"huge.LDR\""},
        {"crc.LDR", crc_wrong, "Error in file \"crc.LDR\""},
        {"other.LDR", sim::make_sim_firmware(1200, 5, 500), "This update is not for this device"},
    };
    for (const Case& c : cases) {
        world.host.boxes.clear();
        EXPECT_EQ(run(write_temp(c.name, c.bytes)), FirmwareResult::Refused) << c.name;
        ASSERT_EQ(world.host.boxes.size(), 1u) << c.name;
        EXPECT_EQ(world.host.boxes[0].type, kBoxError);
        EXPECT_EQ(world.host.boxes[0].text.en, c.box);
        EXPECT_EQ(firmware_frames(), 0u) << c.name;
    }
    world.host.boxes.clear();
    EXPECT_EQ(run((std::filesystem::path(::testing::TempDir()) / "missing.LDR").string()), FirmwareResult::Refused);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].text.en, "Error opening file \"missing.LDR\"");
    EXPECT_EQ(world.host.boxes[0].text.ru, "Ошибка открытия файла \"missing.LDR\"");

    // A read that fails says why, as a failed save does.
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "folder.LDR";
    std::filesystem::create_directories(folder);
    world.host.boxes.clear();
    EXPECT_EQ(run(folder.string()), FirmwareResult::Refused);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].text.en, "Error reading file \"folder.LDR\"\nThe name is a folder, not a file");
    EXPECT_EQ(world.host.boxes[0].text.ru, "Ошибка чтения файла \"folder.LDR\"\nЭто имя папки, а не файла");
    EXPECT_EQ(firmware_frames(), 0u);
}

TEST_F(FirmwareTest, SameOrOlderVersionAsksAndNoSendsNothing) {
    EXPECT_EQ(run(write_temp("same.LDR", sim::make_sim_firmware(1005, 4, 300))), FirmwareResult::Refused);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].type, kBoxWarning);
    EXPECT_EQ(world.host.boxes[0].text.en, "Are you trying to download the same version as in the device\nContinue?");
    EXPECT_EQ(run(write_temp("old.LDR", sim::make_sim_firmware(1004, 4, 300))), FirmwareResult::Refused);
    EXPECT_EQ(world.host.boxes[1].text.en, "Are you trying to download an older version than the device\nContinue?");
    EXPECT_EQ(firmware_frames(), 0u);
    EXPECT_EQ(world.sim.mode(), sim::SimMode::Application);
}

TEST_F(FirmwareTest, NoFileChosenIsZero) {
    FirmwareUpdate update(world.monitor);
    EXPECT_EQ(update.run([] { return std::optional<std::string>(); }), FirmwareResult::NoFile);
    const auto log = world.host.log_texts();
    EXPECT_NE(std::find(log.begin(), log.end(), "******************* Device *******************"), log.end());
}

TEST_F(FirmwareTest, FullUpdateThroughTheBootloader) {
    const std::string path = write_temp("fw.LDR", sim::make_sim_firmware(1107, 4, 4096));
    world.host.progress_titles.clear();  // the connection's own configuration read
    world.host.progress_maxima.clear();
    EXPECT_EQ(run(path), FirmwareResult::Updated);
    EXPECT_TRUE(world.host.boxes.empty());
    // Reported only once the application answers with the new version.
    EXPECT_EQ(world.sim.mode(), sim::SimMode::Application);
    EXPECT_EQ(world.monitor.status().app_version, 1107u);
    ASSERT_FALSE(world.host.flashes.empty());
    EXPECT_EQ(world.host.flashes.back().text.en, "The device is updated to version 11.07");
    // One trigger frame to the application, then the body in 65 frames to the bootloader.
    std::vector<Frame> blocks;
    for (const Frame& f : world.sim.request_log())
        if (f.command() == 0x82) blocks.push_back(f);
    ASSERT_EQ(blocks.size(), 66u);
    for (std::size_t i = 1; i < blocks.size(); ++i) {
        EXPECT_EQ(blocks[i].offset(), (i - 1) * 64);
        EXPECT_EQ(blocks[i].length(), 64);
    }
    const Frame& last = blocks.back();
    EXPECT_EQ(last.offset(), 4096);
    for (std::size_t i = 2; i < 64; ++i) EXPECT_EQ(last.payload()[i], 0);
    // The wait for the bootloader is shown as such, then the transfer's progress, then the
    // wait for the new firmware; the returning controller's configuration is read after it.
    const auto& titles = world.host.progress_titles;
    ASSERT_GE(titles.size(), 4u);
    EXPECT_EQ(titles[0].en, "Waiting for the bootloader");
    EXPECT_EQ(titles[0].ru, "Ожидание загрузчика");
    EXPECT_EQ(world.host.progress_maxima[0], 0);
    EXPECT_EQ(titles[1].en, "Firmware update");
    EXPECT_EQ(world.host.progress_maxima[1], 4096);
    EXPECT_EQ(titles[2].en, "Waiting for the new firmware to start");
    EXPECT_EQ(world.host.progress_maxima[2], 0);
    EXPECT_EQ(titles.back().en, "Reading configuration from the device");
    const auto log = world.host.log_texts();
    EXPECT_NE(std::find(log.begin(), log.end(), "The update file           \"fw.LDR\""), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "Application version       11.07"), log.end());
    // The controller comes back as the application with the new version.
    world.host.run_for(2000);
    EXPECT_EQ(world.sim.mode(), sim::SimMode::Application);
    EXPECT_EQ(world.sim.memory().app_version, 1107u);
    EXPECT_TRUE(world.monitor.connected());
    EXPECT_EQ(world.monitor.status().app_version, 1107u);
}

// An application that confirms the trigger frame before it restarts: the wait for the
// bootloader must not be fooled by the handle still open to the application.
TEST_F(FirmwareTest, ConfirmedTriggerFrameStillWaitsForTheBootloader) {
    world.sim.set_ack_bootloader_entry(true);
    EXPECT_EQ(run(write_temp("ack.LDR", sim::make_sim_firmware(1107, 4, 640))), FirmwareResult::Updated);
    EXPECT_TRUE(world.host.boxes.empty());
    EXPECT_EQ(firmware_frames(), 1u + 11u);
    world.host.run_for(2000);
    EXPECT_EQ(world.sim.memory().app_version, 1107u);
}

TEST_F(FirmwareTest, BootloaderAlreadyAttachedGetsNoTriggerFrame) {
    world.sim.memory().app_version = 0;
    world.sim.set_mode(sim::SimMode::Bootloader);
    world.sim.unplug();
    world.sim.replug();
    world.host.run_for(3000);
    ASSERT_TRUE(world.monitor.connected());
    ASSERT_TRUE(world.monitor.is_bootloader());
    world.sim.keep_request_log(true);
    world.host.progress_titles.clear();
    EXPECT_EQ(run(write_temp("boot.LDR", sim::make_sim_firmware(1107, 4, 1000))), FirmwareResult::Updated);
    std::vector<Frame> blocks;
    for (const Frame& f : world.sim.request_log())
        if (f.command() == 0x82) blocks.push_back(f);
    ASSERT_EQ(blocks.size(), (1000u + 64u + 63u) / 64u);
    EXPECT_EQ(blocks[0].offset(), 0);
    // No wait for the bootloader: the transfer's progress comes first.
    ASSERT_FALSE(world.host.progress_titles.empty());
    EXPECT_EQ(world.host.progress_titles[0].en, "Firmware update");
}

TEST_F(FirmwareTest, BootloaderThatNeverAppearsFailsWithTheTriggerError) {
    world.sim.inject(FaultPlan(Fault::NoReply, 0, 1, std::uint8_t{0x82}));
    world.sim.set_ack_bootloader_entry(true);
    world.sim.at(world.host.tick_ms() + 300, [](sim::SimController& s) { s.unplug(); });
    const std::uint32_t start = world.host.tick_ms();
    EXPECT_EQ(run(write_temp("gone.LDR", sim::make_sim_firmware(1107, 4, 300))), FirmwareResult::Refused);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].text.en, "Failed to update the firmware\nOut of the timeout response");
    EXPECT_GE(world.host.tick_ms() - start, 5000u);
    EXPECT_EQ(firmware_frames(), 1u);
}

TEST_F(FirmwareTest, PaddingStaysZeroAfterALongerFile) {
    FirmwareUpdate update(world.monitor);
    ASSERT_TRUE(update.load(write_temp("long.LDR", make_firmware_file(1200, 4, std::vector<std::uint8_t>(900, 0xEE)))));
    ASSERT_TRUE(update.load(write_temp("short.LDR", make_firmware_file(1200, 4, std::vector<std::uint8_t>(100, 0x11)))));
    const auto& transfer = update.image().transfer;
    ASSERT_EQ(transfer.size(), 164u);
    for (std::size_t i = 102; i < transfer.size(); ++i) EXPECT_EQ(transfer[i], 0) << i;
}

TEST_F(FirmwareTest, TransferFailureIsReportedUnlessClosing) {
    world.sim.inject(FaultPlan(Fault::AnswerFailed, 3, 1, std::uint8_t{0x82}));
    EXPECT_EQ(run(write_temp("fail.LDR", sim::make_sim_firmware(1107, 4, 1000))), FirmwareResult::Refused);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].text.en, "Failed to update the firmware\nFailed result");
}

// The bootloader takes every block of a file whose own checksum is right, but it starts only
// a firmware it recognises: an update it refuses must not be reported as done.
TEST_F(FirmwareTest, ImageTheBootloaderDoesNotStartIsAFailure) {
    const std::uint32_t start = world.host.tick_ms();
    const std::string path = write_temp("foreign.LDR", make_firmware_file(1106, 4, std::vector<std::uint8_t>(700, 0x3C)));
    EXPECT_EQ(run(path), FirmwareResult::Refused);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].type, kBoxError);
    EXPECT_EQ(world.host.boxes[0].text.en, "The controller stayed in its bootloader: the new firmware did not start");
    EXPECT_EQ(world.host.boxes[0].text.ru, "Контроллер остался в режиме загрузчика: новая прошивка не запустилась");
    for (const auto& flash : world.host.flashes) EXPECT_EQ(flash.text.en.find("updated"), std::string::npos);
    EXPECT_EQ(world.sim.mode(), sim::SimMode::Bootloader);
    // It waited the whole confirmation time, and not much longer.
    const std::uint32_t took = world.host.tick_ms() - start;
    EXPECT_GE(took, 10000u);
    EXPECT_LT(took, 20000u);
}

TEST_F(FirmwareTest, ControllerReportingAnotherVersionIsAFailure) {
    // A controller whose bootloader installs the image but whose application then reports
    // another version: rewrite the accepted version before the restart takes effect.
    for (std::uint32_t t = 0; t < 20000; t += 5)
        world.sim.at(world.host.tick_ms() + t, [](sim::SimController& s) {
            if (s.memory().app_version == 1107) s.memory().app_version = 1104;
        });
    EXPECT_EQ(run(write_temp("odd.LDR", sim::make_sim_firmware(1107, 4, 640))), FirmwareResult::Refused);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].text.en, "After the update the controller reports version 11.04 instead of 11.07");
    EXPECT_EQ(world.host.boxes[0].text.ru, "После обновления контроллер сообщает версию 11.04 вместо 11.07");
}

TEST_F(FirmwareTest, ControllerThatDoesNotComeBackIsAFailure) {
    world.sim.set_restart_ms(15000);
    EXPECT_EQ(run(write_temp("slow.LDR", sim::make_sim_firmware(1107, 4, 640))), FirmwareResult::Refused);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].text.en, "The controller did not come back within 10 s after the firmware update");
    EXPECT_TRUE(world.host.flashes.empty() ||
                world.host.flashes.back().text.en.find("updated") == std::string::npos);
}

TEST_F(FirmwareTest, StatusReadFailureStopsAtOnce) {
    world.sim.inject(FaultPlan(Fault::AnswerParameters, 0, 3, std::uint8_t{0x01}));
    bool asked = false;
    FirmwareUpdate update(world.monitor);
    EXPECT_EQ(update.run([&] {
        asked = true;
        return std::optional<std::string>("x.LDR");
    }),
              FirmwareResult::Refused);
    EXPECT_FALSE(asked);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].text.en, "Error reading the configuration of the device\nError in parameters");
}

}  // namespace
}  // namespace ztv
