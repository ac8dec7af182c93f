// The simulated controller's CAN bus: demo traffic, replay files and the load generator.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "device/device_errors.h"
#include "diag/can_background.h"
#include "diag/can_frame.h"
#include "sim/sim_can_traffic.h"
#include "sim/sim_demo.h"
#include "support/sim_world.h"
#include "support/temp_dir.h"

namespace ztv {
namespace {

using test::SimWorld;

std::vector<CanFrame> pull_all(SimWorld& world, int max_reads = 1000) {
    std::vector<CanFrame> frames;
    for (int i = 0; i < max_reads; ++i) {
        std::array<std::uint8_t, kCanPullMax> buffer{};
        std::size_t got = 0;
        if (world.protocol.read_area(block::kCanLog, 0, buffer, got) != kOk || got == 0) break;
        EXPECT_LE(got, kCanPullMax);
        EXPECT_EQ(got % kCanRecordSize, 0u);
        for (std::size_t at = 0; at + kCanRecordSize <= got; at += kCanRecordSize)
            frames.push_back(CanFrame::from_record(std::span<const std::uint8_t>(buffer).subspan(at).first<kCanRecordSize>()));
    }
    return frames;
}

int set_mode(SimWorld& world, std::uint8_t mode) {
    return world.protocol.write_area(block::kCanLog, 0, std::span<const std::uint8_t>(&mode, 1));
}

TEST(SimCanReplay, ParsesStandardAndExtendedFramesAsGiven) {
    auto load = sim::parse_can_replay(
        "# a comment\n"
        "\n"
        "100 S 123 2 DE AD\r\n"
        "  4294967295\tX 1FFFFFFF 0\n"
        "7 S 7ff 8 00 01 02 03 04 05 06 07\n",
        0);
    ASSERT_TRUE(load.traffic) << load.error;
    std::vector<CanFrame> frames;
    load.traffic->produce(0, 100, frames);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].id_word(), 0x123u << 18);
    EXPECT_FALSE(frames[0].extended());
    EXPECT_EQ(frames[0].stamp_ms(), 100u);
    EXPECT_EQ(frames[0].data()[1], 0xAD);
    EXPECT_EQ(frames[1].id_word(), 0x1FFFFFFFu);
    EXPECT_TRUE(frames[1].extended());
    EXPECT_EQ(frames[1].stamp_ms(), 4294967295u);
    EXPECT_EQ(frames[1].dlc(), 0);
    EXPECT_EQ(frames[2].id_word(), 0x7FFu << 18);
    EXPECT_EQ(frames[2].data().size(), 8u);
    frames.clear();
    load.traffic->produce(0, 100, frames);
    EXPECT_TRUE(frames.empty()) << "each frame only once";
}

TEST(SimCanReplay, RefusesBadLinesNamingThem) {
    const char* bad[] = {
        "1 S 800 0",              // standard identifier above 7FF
        "1 X 20000000 0",         // extended above 29 bits
        "1 Q 1 0",                // unknown kind
        "1 S 1 9 00 00 00 00 00 00 00 00 00",  // DLC 9
        "1 S 1 2 00",             // fewer bytes than DLC
        "1 S 1 1 00 00",          // more bytes than DLC
        "1 S 1 1 0",              // one-digit byte
        "1 S 1 1 GG",             // not hex
        "-1 S 1 0",               // negative stamp
        "4294967296 S 1 0",       // stamp above 32 bits
        "1 S 1",                  // too short
        "1 S -1 0",
    };
    for (const char* line : bad) {
        auto load = sim::parse_can_replay(std::string("0 S 1 0\n") + line + "\n");
        EXPECT_FALSE(load.traffic) << line;
        EXPECT_EQ(load.error.rfind("line 2: ", 0), 0u) << line << " -> " << load.error;
    }
    EXPECT_EQ(sim::load_can_replay("/no/such/file.txt").error, "no such file");
}

TEST(SimCanReplay, FramesFlowOnlyWhileTheLogRunsInFileOrder) {
    SimWorld world;
    test::TempDir dir;
    {
        std::ofstream out(dir.file("bus.txt"));
        for (int i = 0; i < 10; ++i) out << i * 10 << " S " << std::hex << (0x100 + i) << std::dec << " 1 0" << i << "\n";
    }
    auto load = sim::load_can_replay(dir.file("bus.txt"), 0);
    ASSERT_TRUE(load.traffic) << load.error;
    world.sim.set_can_traffic(std::move(load.traffic));
    ASSERT_TRUE(world.connect());
    EXPECT_TRUE(pull_all(world).empty());
    EXPECT_EQ(world.sim.status().pending(), kPendingNone);
    ASSERT_EQ(set_mode(world, 1), kOk);
    world.sim.present();
    EXPECT_EQ(world.sim.status().pending(), kPendingCan);
    const auto frames = pull_all(world);
    ASSERT_EQ(frames.size(), 10u);
    for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(frames[i].id_word(), (0x100u + i) << 18);
    EXPECT_TRUE(pull_all(world).empty());
}

// A replay keeps the gaps between its stamps: a wrap of the controller's clock is time going
// on, a stamp that goes back or leaps ahead by hours follows the frame before at once. Due
// frames wait for room rather than being lost; a log switched off and on again goes on from
// where it stopped; twice the speed halves every gap.
TEST(SimCanReplay, FramesComeAtThePaceOfTheirStamps) {
    const std::string log =
        "4294967200 S 001 0\n4294967295 S 002 0\n100 S 003 0\n50 S 004 0\n3700100 S 005 0\n3700300 S 006 0\n";
    const auto ids_at = [](sim::CanTraffic& traffic, std::uint32_t now, std::size_t room = 100) {
        std::vector<CanFrame> frames;
        traffic.produce(now, room, frames);
        std::string ids;
        for (const CanFrame& f : frames) ids += std::to_string(f.id_word() >> kCanStandardShift);
        return ids;
    };
    auto load = sim::parse_can_replay(log);
    ASSERT_TRUE(load.traffic) << load.error;
    sim::CanTraffic& real_time = *load.traffic;
    real_time.restart(5000);
    EXPECT_EQ(ids_at(real_time, 5000), "1");
    EXPECT_EQ(ids_at(real_time, 5094), "");
    EXPECT_EQ(ids_at(real_time, 5095), "2");
    EXPECT_EQ(ids_at(real_time, 5195), "");
    EXPECT_EQ(ids_at(real_time, 5196, 1), "3");
    EXPECT_EQ(ids_at(real_time, 5196), "45");
    real_time.restart(9000);  // switched off at 5196 and on again
    EXPECT_EQ(ids_at(real_time, 9199), "");
    EXPECT_EQ(ids_at(real_time, 9200), "6");

    auto fast = sim::parse_can_replay(log, 2 * kReplayRealTime);
    fast.traffic->restart(0);
    EXPECT_EQ(ids_at(*fast.traffic, 97), "12");
    EXPECT_EQ(ids_at(*fast.traffic, 98), "345");
    EXPECT_EQ(ids_at(*fast.traffic, 197), "");
    EXPECT_EQ(ids_at(*fast.traffic, 198), "6");

    for (const char* speed : {"0", "1", "0.5", "20.125", "1000"}) EXPECT_TRUE(parse_replay_speed(speed)) << speed;
    EXPECT_EQ(parse_replay_speed("20.125"), 20125u);
    for (const char* speed : {"", "-1", "+1", "1000.001", "1e3", "0x10", "1,5", ".5", "1.", "0.0005", " 1", "nan",
                              "99999999999999999999"})
        EXPECT_FALSE(parse_replay_speed(speed)) << speed;
}

TEST(SimCanTraffic, NoCanFeatureRefusesTheMode) {
    sim::SimMemory memory;
    memory.features = "KT";
    SimWorld world(memory);
    world.sim.set_can_traffic(sim::make_demo_can_bus());
    ASSERT_TRUE(world.connect());
    EXPECT_EQ(set_mode(world, 1), kErrParameters);
    world.host.advance_ms(1000);
    world.sim.present();
    EXPECT_EQ(world.sim.pending_can_records(), 0u);
    EXPECT_FALSE(world.sim.status().can_log_running());
}

TEST(SimCanTraffic, DemoBusIsALivingCarBus) {
    SimWorld world;
    world.sim.set_can_traffic(sim::make_demo_can_bus());
    ASSERT_TRUE(world.connect());
    ASSERT_EQ(set_mode(world, 1), kOk);
    EXPECT_TRUE(world.sim.status().can_log_running());
    std::vector<CanFrame> frames;
    for (int i = 0; i < 20; ++i) {
        world.host.advance_ms(100);
        const auto more = pull_all(world);
        frames.insert(frames.end(), more.begin(), more.end());
    }
    std::set<std::uint32_t> ids;
    std::set<std::string> data_of_0c1;
    bool standard = false, extended = false;
    for (const CanFrame& f : frames) {
        ids.insert(f.id_word());
        (f.extended() ? extended : standard) = true;
        if (f.id_word() == 0x0C1u << 18) data_of_0c1.insert(std::string(f.data().begin(), f.data().end()));
    }
    EXPECT_GE(ids.size(), 24u);
    EXPECT_TRUE(standard);
    EXPECT_TRUE(extended);
    EXPECT_GT(data_of_0c1.size(), 50u) << "a 10 ms frame of engine speed changes all the time";
    // Switched off: nothing more, nothing waiting.
    ASSERT_EQ(set_mode(world, 0), kOk);
    world.host.advance_ms(500);
    EXPECT_TRUE(pull_all(world).empty());
    EXPECT_FALSE(world.sim.status().can_log_running());
}

// The demo bus as the CAN page's workflow meets it: a background learned for 20 s right after
// the log starts, then ten minutes of traffic. Counters, CRCs, engine speed and temperatures
// move on by themselves all along; only the steering-wheel button's frame changes outside the
// background, at its presses and releases.
TEST(SimCanTraffic, DemoBusBackgroundLeavesOnlyTheButton) {
    auto bus = sim::make_demo_can_bus();
    bus->restart(5000);
    CanBackground background;
    background.start_learning(5000);
    const CanKey button = can_key(sim::kDemoButtonId << kCanStandardShift, false);
    std::set<CanKey> with_news;
    std::vector<std::uint32_t> button_news_ms;
    std::vector<CanFrame> frames;
    for (std::uint32_t now = 5000; now <= 5000 + 600000; now += 10) {
        if (now == 25000) background.stop_learning();
        frames.clear();
        bus->produce(now, 100, frames);
        for (const CanFrame& frame : frames) {
            if (background.observe(frame) == CanBits{}) continue;
            with_news.insert(frame.key());
            if (frame.key() == button) button_news_ms.push_back(frame.stamp_ms() - 5000);
        }
    }
    EXPECT_GT(background.background_bit_count(), 150u) << "the bus lives by itself";
    EXPECT_EQ(background.background_bits(button)[0], 0) << "nobody pressed it while learning";
    EXPECT_EQ(with_news, std::set<CanKey>{button});
    EXPECT_EQ(background.new_bits(button)[0], 0x04);
    ASSERT_FALSE(button_news_ms.empty());
    EXPECT_GE(button_news_ms.front(), sim::kDemoFirstPressMs);
    EXPECT_LT(button_news_ms.front(), sim::kDemoFirstPressMs + 100);
    EXPECT_EQ(button_news_ms.size(), 2 * ((600000 - sim::kDemoFirstPressMs) / sim::kDemoPressEveryMs + 1));
}

TEST(SimCanTraffic, LoadGeneratorKeepsItsRateAndIdentifierCount) {
    auto load = sim::make_can_load(500, 2000);
    load->restart(1000);
    std::vector<CanFrame> frames;
    for (std::uint32_t t = 1000; t <= 2000; t += 7) load->produce(t, 100000, frames);
    load->produce(2000, 100000, frames);
    EXPECT_EQ(frames.size(), 2000u);
    std::set<std::uint32_t> ids;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        ids.insert(frames[i].id_word());
        EXPECT_LE(frames[i].stamp_ms(), 2000u);
        if (i >= 500) {
            EXPECT_NE(std::string(frames[i].data().begin(), frames[i].data().end()),
                      std::string(frames[i - 500].data().begin(), frames[i - 500].data().end()));
        }
    }
    EXPECT_EQ(ids.size(), 500u);
    // No room: the frames due are lost, not kept for later.
    frames.clear();
    load->produce(3000, 0, frames);
    load->produce(3000, 100000, frames);
    EXPECT_TRUE(frames.empty());
}

}  // namespace
}  // namespace ztv
