// Touch-point capture against the simulated controller, on the simulated clock.
#include "tools/touch_capture.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/sim_world.h"

namespace ztv {
namespace {

struct TouchCapture : ::testing::Test {
    TouchCapture() {
        display.set_busy = [this](bool on) { busy.push_back(on); };
        display.show_progress = [this](int position) { progress.push_back(position); };
        display.hide_progress = [this] { ++hidden; };
        EXPECT_TRUE(world.connect());
        world.sim.keep_request_log(true);
    }
    // The capture times the program wrote to block 20, in order.
    std::vector<unsigned> capture_times() const {
        std::vector<unsigned> times;
        for (const Frame& frame : world.sim.request_log())
            if (frame.command() == (block::kTouchCapture | kWriteBit))
                times.push_back(static_cast<unsigned>(frame.payload()[0] | frame.payload()[1] << 8));
        return times;
    }
    std::size_t capture_reads() const {
        std::size_t reads = 0;
        for (const Frame& frame : world.sim.request_log()) reads += frame.command() == block::kTouchCapture ? 1 : 0;
        return reads;
    }

    test::SimWorld world;
    TouchCaptureDisplay display;
    std::vector<bool> busy;
    std::vector<int> progress;
    int hidden = 0;
};

TEST_F(TouchCapture, ATouchIsCaughtAndTheCaptureEnded) {
    const std::uint32_t start = world.host.tick_ms();
    world.sim.touch_at(start + 1450, 1234, 3001);
    const std::optional<TouchPoint> point = capture_touch_point(world.protocol, true, display);
    ASSERT_TRUE(point);
    EXPECT_EQ(point->x, 1234);
    EXPECT_EQ(point->y, 3001);
    EXPECT_EQ(capture_times(), (std::vector<unsigned>{10000, 0}));
    EXPECT_EQ(world.sim.touch_capture_ms(), 0);
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 1);
    EXPECT_LE(progress.size(), 17u);  // about 1.5 s in steps of 100 ms
    EXPECT_EQ(hidden, 1);
    ASSERT_EQ(world.host.flashes.size(), 1u);
    EXPECT_EQ(world.host.flashes[0].text.en, "Click in the right place on the screen");
    EXPECT_EQ(world.host.flashes[0].duration_ms, 10000);
    EXPECT_EQ(world.host.flashes[0].blink_ms, 250);
    EXPECT_EQ(world.host.flash_clears, 1);
    EXPECT_TRUE(world.host.boxes.empty());
}

TEST_F(TouchCapture, NoTouchEndsAfterAHundredReadsWithANotice) {
    const std::optional<TouchPoint> point = capture_touch_point(world.protocol, true, display);
    EXPECT_FALSE(point);
    EXPECT_EQ(capture_reads(), 100u);
    ASSERT_EQ(progress.size(), 100u);
    EXPECT_EQ(progress.back(), 100);
    ASSERT_EQ(world.host.flashes.size(), 2u);
    EXPECT_EQ(world.host.flashes[1].text.en, "No touch point");
    EXPECT_EQ(world.host.flashes[1].duration_ms, 3000);
    EXPECT_EQ(capture_times(), (std::vector<unsigned>{10000, 0}));
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
}

TEST_F(TouchCapture, CoordinatesKeepTheirLowTwelveBits) {
    world.sim.touch_at(world.host.tick_ms() + 200, 0x1ABC, 0xF123);
    const std::optional<TouchPoint> point = capture_touch_point(world.protocol, true, display);
    ASSERT_TRUE(point);
    EXPECT_EQ(point->x, 0xABC);
    EXPECT_EQ(point->y, 0x123);
}

TEST_F(TouchCapture, TheSimulatedPanelAnswersEveryCaptureAfterADelay) {
    world.sim.answer_touch_captures_after(1500);
    const std::uint32_t start = world.host.tick_ms();
    const std::optional<TouchPoint> first = capture_touch_point(world.protocol, true, display);
    ASSERT_TRUE(first);
    EXPECT_GE(world.host.tick_ms() - start, 1500u);
    EXPECT_LT(world.host.tick_ms() - start, 2000u);
    const std::optional<TouchPoint> second = capture_touch_point(world.protocol, true, display);
    ASSERT_TRUE(second);
    EXPECT_FALSE(first->x == second->x && first->y == second->y);
}

TEST_F(TouchCapture, WithoutAControllerNothingIsLocked) {
    const std::uint64_t requests_before = world.sim.requests();
    EXPECT_FALSE(capture_touch_point(world.protocol, false, display));
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].text.en, "Controller is disconnected");
    EXPECT_TRUE(busy.empty());
    EXPECT_EQ(world.sim.requests(), requests_before);
}

TEST_F(TouchCapture, AFailedStartShowsTheWriteErrorAndUnlocks) {
    world.sim.inject(sim::FaultPlan(sim::Fault::AnswerFailed, 0, 1, block::kTouchCapture | kWriteBit));
    EXPECT_FALSE(capture_touch_point(world.protocol, true, display));
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_TRUE(world.host.boxes[0].text.en.starts_with("Error writing to the device")) << world.host.boxes[0].text.en;
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(capture_reads(), 0u);
    EXPECT_TRUE(progress.empty());
}

TEST_F(TouchCapture, ClosingTheProgramEndsTheWait) {
    const std::uint32_t closing_at = world.host.tick_ms() + 500;
    world.host.on_pump = [closing_at](test::FakeHost& host) {
        if (host.tick_ms() > closing_at) host.set_closing(true);
    };
    EXPECT_FALSE(capture_touch_point(world.protocol, true, display));
    EXPECT_LT(capture_reads(), 10u);
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(hidden, 1);
}

TEST_F(TouchCapture, AFailedReadStopsTheLoopWithTheNotice) {
    world.sim.inject(sim::FaultPlan(sim::Fault::AnswerFailed, 3, 1, block::kTouchCapture));
    EXPECT_FALSE(capture_touch_point(world.protocol, true, display));
    EXPECT_EQ(capture_reads(), 4u);
    EXPECT_EQ(world.host.flashes.back().text.en, "No touch point");
    EXPECT_EQ(capture_times(), (std::vector<unsigned>{10000, 0}));
}

}  // namespace
}  // namespace ztv
