#include <gtest/gtest.h>

#include "device/device_errors.h"
#include "device/hid_backend.h"
#include "support/sim_world.h"

namespace ztv {
namespace {

using sim::Fault;
using sim::FaultPlan;
using test::SimWorld;

Frame request(std::uint8_t command, std::uint16_t offset = 0) {
    Frame frame;
    frame.set_command(command);
    frame.set_offset(offset);
    return frame;
}

TEST(NarrowHidString, OneBytePerUnitAndStopsAtZero) {
    EXPECT_EQ(narrow_hid_string(u"ZEB"), "ZEB");
    EXPECT_EQ(narrow_hid_string(u"Z\u00E9B"), "Z\xE9" "B");
    EXPECT_EQ(narrow_hid_string(u"A\u0416B"), "A?B");
    const char16_t with_zero[] = {u'A', 0, u'B'};
    EXPECT_EQ(narrow_hid_string(std::u16string_view(with_zero, 3)), "A");
    EXPECT_EQ(narrow_hid_string(L"T\u0416\U0001F600X", 512), "T???X");  // beyond the BMP: two units
    EXPECT_EQ(narrow_hid_string(L"ABCDEF", 3), "ABC");
    EXPECT_EQ(narrow_hid_string(nullptr, 10), "");
}

TEST(TransportIdentity, MovesOnOnePerFailedCheckAndFindsEachIdentity) {
    for (std::size_t identity = 1; identity <= 4; ++identity) {
        SimWorld world;
        world.sim.set_app_identity(identity);
        int checks = 0;
        while (world.transport.is_device_online() != kOk) {
            ++checks;
            ASSERT_LT(checks, 10);
        }
        EXPECT_EQ(checks, static_cast<int>(identity)) << "identity " << identity;
        EXPECT_EQ(world.transport.identity_index(), identity);
        EXPECT_FALSE(world.transport.device_open()) << "the check closes the handle";
    }
    SimWorld boot;
    boot.sim.set_mode(sim::SimMode::Bootloader);
    EXPECT_EQ(boot.transport.is_device_online(), kOk);
    EXPECT_EQ(boot.transport.identity_index(), 0u);
}

TEST(TransportIdentity, IndexWrapsAfterFour) {
    SimWorld world;
    world.sim.unplug();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(world.transport.is_device_online(), kErrDisconnected);
    EXPECT_EQ(world.transport.identity_index(), 0u);
    world.transport.set_identity_index(9);
    world.sim.replug();
    world.sim.set_mode(sim::SimMode::Bootloader);
    EXPECT_EQ(world.transport.open_device(), kOk);  // an index above 4 starts again at 0
}

TEST(TransportIdentity, StringsMustMatchExactly) {
    SimWorld world;
    world.transport.set_identity_index(1);
    world.sim.set_manufacturer("zeb");
    EXPECT_EQ(world.transport.open_device(), kErrDisconnected);
    world.sim.set_manufacturer("ZEB ");
    EXPECT_EQ(world.transport.open_device(), kErrDisconnected);
    world.sim.set_manufacturer("ZEB");
    world.sim.set_product_override("TERVIO-V4-BOOT");
    EXPECT_EQ(world.transport.open_device(), kErrDisconnected);
    world.sim.set_product_override(std::nullopt);
    world.sim.set_strings_unreadable(true, false);
    EXPECT_EQ(world.transport.open_device(), kErrManufacturerString);
    world.sim.set_strings_unreadable(false, true);
    EXPECT_EQ(world.transport.open_device(), kErrProductString);
    world.sim.set_strings_unreadable(false, false);
    EXPECT_EQ(world.transport.open_device(), kOk);
}

TEST(TransportIdentity, DriverFailureIsErrorOne) {
    SimWorld world;
    world.sim.set_init_error(kErrDriverLoad);
    EXPECT_EQ(world.transport.is_device_online(), kErrDriverLoad);
    Frame frame = request(0x10);
    EXPECT_EQ(world.transport.exchange(frame), kErrDriverLoad);
}

TEST(TransportExchange, ReplyReplacesRequest) {
    SimWorld world;
    world.transport.set_identity_index(1);
    Frame frame = request(0x01);
    ASSERT_EQ(world.transport.exchange(frame), kOk);
    EXPECT_EQ(frame.command(), 0x81);
    EXPECT_EQ(frame.length(), 56);
    EXPECT_TRUE(world.transport.device_open());
    EXPECT_FALSE(world.transport.is_exchange_running());
}

TEST(TransportExchange, TimeoutAfter200msAndThreeAttemptsWithTwoPauses) {
    SimWorld world;
    world.transport.set_identity_index(1);
    world.sim.inject({Fault::NoReply, 0, 1});
    Frame single = request(0x10);
    std::uint32_t start = world.host.tick_ms();
    EXPECT_EQ(world.transport.exchange(single), kErrTimeout);
    std::uint32_t took = world.host.tick_ms() - start;
    EXPECT_GE(took, 200u);
    EXPECT_LT(took, 210u);

    world.sim.inject({Fault::NoReply, 0, 3});
    const auto before = world.sim.requests();
    Frame retried = request(0x10);
    start = world.host.tick_ms();
    EXPECT_EQ(world.transport.exchange_with_retry(retried), kErrTimeout);
    took = world.host.tick_ms() - start;
    EXPECT_EQ(world.sim.requests() - before, 3u);
    EXPECT_GE(took, 3 * 200u + 2 * 50u);
    EXPECT_LT(took, 3 * 200u + 2 * 50u + 30u);
    EXPECT_EQ(retried.command(), 0x10) << "a failed exchange leaves the request as it was";
}

TEST(TransportExchange, RetrySucceedsOnSecondAttempt) {
    SimWorld world;
    world.transport.set_identity_index(1);
    world.sim.inject({Fault::BadChecksum, 0, 1});
    Frame frame = request(0x10, 64);
    const auto before = world.sim.requests();
    EXPECT_EQ(world.transport.exchange_with_retry(frame), kOk);
    EXPECT_EQ(world.sim.requests() - before, 2u);
    EXPECT_EQ(frame.command(), 0x90);
    EXPECT_EQ(frame.offset(), 64);
}

TEST(TransportExchange, FirmwareBlockOnceAfterReplyDelay) {
    SimWorld world;
    world.sim.set_mode(sim::SimMode::Bootloader);
    world.sim.inject({Fault::NoReply, 0, 5});
    Frame frame = request(0x82);
    frame.set_length(64);
    const auto before = world.sim.requests();
    const std::uint32_t start = world.host.tick_ms();
    EXPECT_EQ(world.transport.exchange_with_retry(frame), kErrTimeout);
    EXPECT_EQ(world.sim.requests() - before, 1u);
    const std::uint32_t took = world.host.tick_ms() - start;
    EXPECT_GE(took, 50u + 200u);
    EXPECT_LT(took, 50u + 200u + 20u);

    world.sim.clear_faults();
    world.transport.options().reply_delay_ms = 120;
    Frame delayed = request(0x82);
    const std::uint32_t t0 = world.host.tick_ms();
    EXPECT_EQ(world.transport.exchange_with_retry(delayed), kOk);
    EXPECT_GE(world.host.tick_ms() - t0, 120u);
    EXPECT_LT(world.host.tick_ms() - t0, 130u);
}

TEST(TransportExchange, ReplyValidation) {
    struct Case {
        Fault fault;
        int expected;
    };
    for (const Case& c : {Case{Fault::BadChecksum, kErrBadReply}, Case{Fault::LongLength, kErrBadReply},
                          Case{Fault::BadReportId, kErrBadReportId}, Case{Fault::FailGet, kErrGetFeature},
                          Case{Fault::FailSet, kErrSetFeature}, Case{Fault::Unplug, kErrSetFeature}}) {
        SimWorld world;
        world.transport.set_identity_index(1);
        world.sim.inject({c.fault, 0, 1});
        Frame frame = request(0x10);
        EXPECT_EQ(world.transport.exchange(frame), c.expected) << static_cast<int>(c.fault);
        EXPECT_EQ(frame.command(), 0x10);
        if (c.expected != kErrBadReply) {
            EXPECT_FALSE(world.transport.device_open()) << "closed after a failed call";
        }
    }
}

TEST(TransportExchange, UnpluggedHandleFailsAndNextCallSearchesAgain) {
    SimWorld world;
    world.transport.set_identity_index(1);
    Frame frame = request(0x01);
    ASSERT_EQ(world.transport.exchange(frame), kOk);
    world.sim.unplug();
    world.sim.replug();  // same device back, but the old handle is gone
    frame = request(0x01);
    EXPECT_EQ(world.transport.exchange(frame), kErrSetFeature);
    frame = request(0x01);
    EXPECT_EQ(world.transport.exchange(frame), kOk);
}

TEST(TransportExchange, SecondExchangeWaitsPumpingUntilTheFirstEndsOrClosing) {
    SimWorld world;
    world.sim.set_mode(sim::SimMode::Bootloader);
    bool nested_started = false;
    std::uint64_t start = 0;
    std::uint64_t waited = 0;
    world.host.on_pump = [&](test::FakeHost& host) {
        if (!world.transport.is_exchange_running()) return;
        if (!nested_started) {
            // Something run by a pump inside the first exchange asks for a second one.
            nested_started = true;
            start = host.pumps;
            world.transport.is_device_online();
            waited = host.pumps - start;
            host.set_closing(false);
        } else if (host.pumps - start >= 20) {
            host.set_closing(true);
        }
    };
    Frame block = request(0x82);
    EXPECT_EQ(world.transport.exchange(block), kOk);
    EXPECT_TRUE(nested_started);
    EXPECT_GE(waited, 20u);
}

TEST(TransportTrace, FormatsAndSkipsStatusFrames) {
    Frame frame;
    frame.set_command(0x90);
    frame.set_offset(632);
    frame.set_length(2);
    frame.payload()[0] = 0x0A;
    frame.payload()[1] = 0xFF;
    EXPECT_EQ(trace_line(frame, '>', 12345), "    12.345 > CMD:90 OFFSET:0632 LEN:02 [ 0A FF ]");
    frame.set_length(0);
    EXPECT_EQ(trace_line(frame, '<', 5), "     0.005 < CMD:90 OFFSET:0632 LEN:00");

    Frame full;
    full.set_command(0x10);
    full.set_length(64);
    const std::string line = trace_line(full, '<', 0);
    EXPECT_EQ(line.size(), std::string("     0.000 < CMD:10 OFFSET:0000 LEN:64 [").size() + 64 * 3 + 2);

    SimWorld world;
    world.transport.set_identity_index(1);
    world.transport.options().trace = true;
    std::vector<std::string> lines;
    world.transport.set_trace_sink([&](const std::string& l) { lines.push_back(l); });
    Frame status = request(0x01);
    ASSERT_EQ(world.transport.exchange(status), kOk);
    EXPECT_TRUE(lines.empty());
    Frame read = request(0x10, 64);
    ASSERT_EQ(world.transport.exchange(read), kOk);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("> CMD:10 OFFSET:0064 LEN:00"), std::string::npos);
    EXPECT_NE(lines[1].find("< CMD:90 OFFSET:0064 LEN:64 ["), std::string::npos);
    EXPECT_EQ(lines[0].substr(0, 10), "     0.000");
}

TEST(TransportTrace, SlowCallsAreReportedOnlyInDebug) {
    SimWorld world;
    world.transport.set_identity_index(1);
    world.sim.set_transfer_latency_us(25'000);
    Frame frame = request(0x10);
    ASSERT_EQ(world.transport.exchange(frame), kOk);
    EXPECT_TRUE(world.host.log.empty());
    world.transport.options().report_slow_calls = true;
    frame = request(0x10);
    ASSERT_EQ(world.transport.exchange(frame), kOk);
    ASSERT_EQ(world.host.log.size(), 2u);
    EXPECT_EQ(world.host.log[0].text, "usbhidSetReport to:25");
    EXPECT_EQ(world.host.log[1].text, "usbhidGetReport to:25");
}

}  // namespace
}  // namespace ztv
