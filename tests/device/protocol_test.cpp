#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include "device/device_errors.h"
#include "support/sim_world.h"

namespace ztv {
namespace {

using sim::Fault;
using sim::FaultPlan;
using test::SimWorld;

struct ProtocolTest : ::testing::Test {
    ProtocolTest() {
        world.transport.set_identity_index(1);
        world.sim.keep_request_log(true);
    }
    std::vector<Frame> requests_with(std::uint8_t command) const {
        std::vector<Frame> out;
        for (const Frame& f : world.sim.request_log())
            if (f.command() == command) out.push_back(f);
        return out;
    }
    SimWorld world;
};

TEST_F(ProtocolTest, ReadAreaKeepsAtMostDestAndReportsReplyLength) {
    std::array<std::uint8_t, 10> dest{};
    dest.fill(0xEE);
    world.sim.memory().record.set_u8(3, 0x42);
    std::size_t got = 0;
    ASSERT_EQ(world.protocol.read_area(0x10, 0, dest, got), kOk);
    EXPECT_EQ(got, 64u);
    EXPECT_EQ(dest[3], 0x42);
    EXPECT_EQ(dest[4], 0);
    EXPECT_EQ(world.protocol.tick_skip(), 2);
    EXPECT_EQ(world.sim.requests(), 1u);
}

TEST_F(ProtocolTest, ReadReplyCodes) {
    std::array<std::uint8_t, 8> dest{};
    std::size_t got = 99;
    world.sim.inject(FaultPlan(Fault::AnswerParameters));
    EXPECT_EQ(world.protocol.read_area(0x12, 0, dest, got), kErrParameters);
    world.sim.inject(FaultPlan(Fault::AnswerFailed));
    EXPECT_EQ(world.protocol.read_area(0x12, 0, dest, got), kErrFailedResult);
    world.sim.inject(FaultPlan(Fault::WrongOffset));
    EXPECT_EQ(world.protocol.read_area(0x12, 0, dest, got), kErrReadMismatch);
    world.sim.inject(FaultPlan(Fault::WrongCommand));
    EXPECT_EQ(world.protocol.read_area(0x12, 0, dest, got), kErrReadMismatch);
    // A code the controller does not know is answered 0xFE.
    EXPECT_EQ(world.protocol.read_area(0x03, 0, dest, got), kErrParameters);
}

TEST_F(ProtocolTest, ReadAnsweredWithConfirmationHasNoData) {
    // The bootloader confirms a restart; read it as a read to see the 0xFF rule.
    std::array<std::uint8_t, 4> dest{};
    dest.fill(1);
    std::size_t got = 7;
    world.sim.memory().features = "K";  // any application
    // Terminal write confirms with 0xFF; sending it through read_area exercises the rule.
    ASSERT_EQ(world.protocol.read_area(0x85, 0, dest, got), kOk);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(dest, (std::array<std::uint8_t, 4>{}));
}

TEST_F(ProtocolTest, WriteAreaChecksLengthOffsetAndCode) {
    std::array<std::uint8_t, 65> big{};
    EXPECT_EQ(world.protocol.write_area(0x10, 0, big), kErrParameters);
    EXPECT_EQ(world.sim.requests(), 0u) << "nothing is sent";

    const std::array<std::uint8_t, 2> data{{7, 9}};
    ASSERT_EQ(world.protocol.write_area(0x10, 632, data), kOk);
    EXPECT_EQ(world.sim.memory().record.u8(632), 7);
    EXPECT_EQ(world.sim.memory().record.u8(633), 9);
    const auto writes = requests_with(0x90);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].offset(), 632);
    EXPECT_EQ(writes[0].length(), 2);

    world.sim.inject(FaultPlan(Fault::WrongOffset));
    EXPECT_EQ(world.protocol.write_area(0x10, 0, data), kErrWriteNotConfirmed);
    world.sim.inject(FaultPlan(Fault::AnswerParameters));
    EXPECT_EQ(world.protocol.write_area(0x10, 0, data), kErrParameters);
    world.sim.inject(FaultPlan(Fault::AnswerFailed));
    EXPECT_EQ(world.protocol.write_area(0x10, 0, data), kErrFailedResult);
    // Any other code does not confirm a write.
    world.sim.inject(FaultPlan(Fault::WrongCommand));
    EXPECT_EQ(world.protocol.write_area(0x10, 0, data), kErrWriteNotConfirmed);
    // Offsets above 16 bits cannot be echoed.
    EXPECT_EQ(world.protocol.write_area(0x10, 65536 + 4, data), kErrWriteNotConfirmed);
    std::size_t got = 0;
    std::array<std::uint8_t, 4> dest{};
    EXPECT_EQ(world.protocol.read_area(0x10, 65536, dest, got), kErrReadMismatch);
}

TEST_F(ProtocolTest, ChunkedRecordReadTakes32RequestsLastOneGives54Bytes) {
    for (std::size_t i = 0; i < kRecordSize; ++i) world.sim.memory().record.set_u8(i, static_cast<std::uint8_t>(i * 13));
    Record copy;
    world.host.progress_begin(2048, Text::same("x"));
    ASSERT_EQ(world.protocol.read_chunked(0x10, 0, copy.bytes()), kOk);
    const auto reads = requests_with(0x10);
    ASSERT_EQ(reads.size(), 32u);
    for (std::size_t i = 0; i < reads.size(); ++i) EXPECT_EQ(reads[i].offset(), i * 64);
    EXPECT_EQ(reads.back().offset(), 1984);
    EXPECT_TRUE(std::equal(copy.bytes().begin(), copy.bytes().end(), world.sim.memory().record.bytes().begin()));
    EXPECT_EQ(world.host.progress_total, 2038) << "the last reply contributes only 54 bytes";
}

TEST_F(ProtocolTest, ChunkedReadOfTenBytesFromLongRepliesTakesOneRequest) {
    TouchBlock touch{};
    world.sim.memory().touch = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    ASSERT_EQ(world.protocol.read_chunked(0x10, 0, touch), kOk);  // replies carry 64 bytes
    EXPECT_EQ(world.sim.requests(), 1u);
}

TEST_F(ProtocolTest, ChunkedReadEndingShortIsSeven) {
    std::array<std::uint8_t, 30> dest{};
    // The 56-byte status area ends after 56 bytes: 30 bytes from offset 40 run short (16 bytes,
    // then an empty reply).
    EXPECT_EQ(world.protocol.read_chunked(0x01, 40, dest), kErrShortRead);
    EXPECT_EQ(world.sim.requests(), 2u);
}

TEST_F(ProtocolTest, ChunkedWriteSplitsIntoFramesAndAdvancesProgress) {
    std::vector<std::uint8_t> data(150);
    std::iota(data.begin(), data.end(), std::uint8_t{1});
    world.host.progress_begin(1000, Text::same("x"));
    ASSERT_EQ(world.protocol.write_chunked(0x10, 100, data, 64), kOk);
    const auto writes = requests_with(0x90);
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].offset(), 100);
    EXPECT_EQ(writes[1].offset(), 164);
    EXPECT_EQ(writes[2].offset(), 228);
    EXPECT_EQ(writes[2].length(), 22);
    EXPECT_EQ(world.host.progress_total, 150);
    EXPECT_EQ(world.sim.memory().record.u8(249), 150);
}

TEST_F(ProtocolTest, CheckedHelpersShowTheirBoxes) {
    const std::array<std::uint8_t, 1> data{{1}};
    world.sim.inject(FaultPlan(Fault::AnswerParameters));
    EXPECT_EQ(world.protocol.write_checked(0x10, 0, data), kErrParameters);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].type, kBoxError);
    EXPECT_EQ(world.host.boxes[0].text.en, "Error writing to the device\nError in parameters");
    EXPECT_EQ(world.host.boxes[0].text.ru, "Ошибка записи в устройство\nОшибка в параметрах");

    std::array<std::uint8_t, 1> dest{};
    std::size_t got = 0;
    world.sim.inject(FaultPlan(Fault::NoReply, 0, 3));
    EXPECT_EQ(world.protocol.read_checked(0x11, 1, dest, got), kErrTimeout);
    ASSERT_EQ(world.host.boxes.size(), 2u);
    EXPECT_EQ(world.host.boxes[1].text.en, "Error reading from device\nOut of the timeout response");
}

TEST_F(ProtocolTest, ResetToDefaultsAsksFirst) {
    world.sim.memory().record.set_u8(700, 5);
    EXPECT_EQ(world.protocol.reset_to_defaults(), kOk);  // answered No
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].type, 0x130);
    EXPECT_EQ(world.host.boxes[0].text.en,
              "Are you sure you want to reset\nthe device configuration\nto its default state?");
    EXPECT_EQ(world.sim.requests(), 0u);
    world.host.answer_next(kIdYes);
    EXPECT_EQ(world.protocol.reset_to_defaults(), kOk);
    EXPECT_EQ(requests_with(0x84).size(), 1u);
    EXPECT_EQ(world.sim.memory().record.u8(700), 0);
    EXPECT_EQ(world.sim.memory().record.u16(0), 1000);
}

TEST_F(ProtocolTest, ReadConfigurationFillsRecordShadowAndTouch) {
    world.sim.memory().record.set_u16(0, 1500);
    world.sim.memory().record.set_u8(2000, 0x33);
    world.sim.memory().touch[4] = 0x44;
    int refreshed = 0;
    const int before = world.host.suspension();
    ASSERT_EQ(read_configuration(world.protocol, world.state, [&] { ++refreshed; }), kOk);
    EXPECT_EQ(world.host.suspension(), before);
    EXPECT_EQ(refreshed, 1);
    EXPECT_TRUE(world.state.record_valid);
    EXPECT_EQ(world.state.record.u16(0), 1500);
    EXPECT_EQ(world.state.record.u8(2000), 0x33);
    EXPECT_EQ(world.state.touch[4], 0x44);
    EXPECT_EQ(world.state.shadow.raw, world.state.record.raw);
    EXPECT_EQ(world.host.progress_titles.back().en, "Reading configuration from the device");
    EXPECT_EQ(world.host.progress_max, 2048);
    EXPECT_EQ(requests_with(0x11).size(), 1u);
    EXPECT_EQ(requests_with(0x10).size(), 32u);
}

TEST_F(ProtocolTest, ReadConfigurationOfUnconfiguredControllerGetsHeaderDefaults) {
    ASSERT_EQ(read_configuration(world.protocol, world.state), kOk);
    EXPECT_EQ(world.state.record.u16(0), 1000);
    for (std::size_t channel = 0; channel < 4; ++channel) EXPECT_EQ(world.state.record.u16(2 + 2 * channel), 4095);
}

TEST_F(ProtocolTest, FailedReadConfigurationClearsRecordAndKeepsItInvalid) {
    world.state.record.set_u8(900, 9);
    world.state.touch[0] = 3;
    world.state.record_valid = true;
    world.sim.inject(FaultPlan(Fault::NoReply, 5, 3, std::uint8_t{0x10}));
    int refreshed = 0;
    EXPECT_EQ(read_configuration(world.protocol, world.state, [&] { ++refreshed; }), kErrTimeout);
    EXPECT_EQ(refreshed, 1) << "pages show the cleared record";
    EXPECT_FALSE(world.state.record_valid);
    EXPECT_EQ(world.state.record.u8(900), 0);
    EXPECT_EQ(world.state.touch[0], 0);
    EXPECT_EQ(world.state.record.u16(0), 1000);
    EXPECT_EQ(world.host.suspension(), 0);
}

TEST_F(ProtocolTest, WriteConfigurationIs32RecordFramesTouchFrameAndRestart) {
    for (std::size_t i = 0; i < kRecordSize; ++i) world.state.record.set_u8(i, static_cast<std::uint8_t>(i ^ 0x5A));
    world.state.touch = {{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}};
    ASSERT_EQ(write_configuration(world.protocol, world.state), kOk);
    const auto& log = world.sim.request_log();
    ASSERT_EQ(log.size(), 34u);
    for (std::size_t i = 0; i < 32; ++i) {
        EXPECT_EQ(log[i].command(), 0x90);
        EXPECT_EQ(log[i].offset(), i * 64);
        EXPECT_EQ(log[i].length(), i == 31 ? 54 : 64);
    }
    EXPECT_EQ(log[32].command(), 0x91);
    EXPECT_EQ(log[32].length(), 10);
    EXPECT_EQ(log[33].command(), 0x83);
    EXPECT_EQ(world.sim.memory().record.raw, world.state.record.raw);
    EXPECT_EQ(world.sim.memory().touch, world.state.touch);
    EXPECT_TRUE(world.state.record_valid);
    EXPECT_EQ(world.state.shadow.raw, world.state.record.raw);
    EXPECT_EQ(world.host.suspension(), 0);
    EXPECT_EQ(world.sim.restarts(), 1);
    EXPECT_FALSE(world.sim.present()) << "the controller is restarting";
    world.host.advance_ms(600);
    EXPECT_TRUE(world.sim.present());
}

TEST_F(ProtocolTest, WriteConfigurationResultIsTheRestartError) {
    world.sim.inject(FaultPlan(Fault::AnswerFailed, 0, 3, std::uint8_t{0x83}));
    EXPECT_EQ(write_configuration(world.protocol, world.state), kErrFailedResult);
}

// Pull the plug at every single frame of a whole-configuration write: each time the right
// error comes back, nothing crashes, polling is resumed and the program's record is intact.
TEST(ProtocolUnplug, AtEveryFrameOfWholeConfigurationWrite) {
    ConfigState reference;
    for (std::size_t i = 0; i < kRecordSize; ++i) reference.record.set_u8(i, static_cast<std::uint8_t>(i * 7 + 1));
    reference.touch = {{1, 1, 2, 3, 5, 8, 13, 21, 34, 55}};
    for (int frame = 0; frame < 34; ++frame) {
        SimWorld world;
        world.transport.set_identity_index(1);
        world.state.record = reference.record;
        world.state.touch = reference.touch;
        world.sim.inject(FaultPlan(Fault::Unplug, frame));
        const int error = write_configuration(world.protocol, world.state);
        // The request is written into a vanished device: set-feature fails; the two retries
        // find no device at all.
        EXPECT_EQ(error, kErrDisconnected) << "frame " << frame;
        EXPECT_EQ(world.state.record.raw, reference.record.raw) << "frame " << frame;
        EXPECT_EQ(world.state.touch, reference.touch) << "frame " << frame;
        EXPECT_EQ(world.host.suspension(), 0) << "frame " << frame;
        EXPECT_FALSE(world.transport.is_exchange_running());
        EXPECT_EQ(world.sim.requests(), static_cast<std::uint64_t>(frame) + 1) << "nothing after the unplug got through";
        EXPECT_EQ(error_text(error).en, "Controller is disconnected");
    }
}

}  // namespace
}  // namespace ztv
