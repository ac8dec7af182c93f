#include <gtest/gtest.h>

#include "support/sim_world.h"
#include "tools/touch_calibration.h"

namespace ztv {
namespace {

using sim::CalibrationState;
using test::SimWorld;

struct RunningEvents : ProcedureEvents {
    void set_running(bool running) override { calls.push_back(running); }
    std::vector<bool> calls;
};

struct Calibration : ::testing::Test {
    Calibration() {
        EXPECT_TRUE(world.connect());
        world.state.touch = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    }
    void run_yes(bool inset = false) {
        world.host.answer_next(kIdYes);
        calibration.on_button(inset);
    }
    std::vector<std::string> flashes_en() const {
        std::vector<std::string> texts;
        for (const auto& flash : world.host.flashes) texts.push_back(flash.text.in(Lang::English));
        return texts;
    }

    SimWorld world;
    RunningEvents events;
    TouchCalibration calibration{world.monitor, world.state, events};
};

TEST_F(Calibration, ThreeCornersWithPressesAndReleasesSucceedAndFetchTheBlock) {
    world.sim.set_calibration_steps({1, 2, 3});
    run_yes();
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::Succeeded);
    // Each step shows its instruction, "release" while pressed, the instruction again once let go.
    EXPECT_EQ(flashes_en(), (std::vector<std::string>{
                                "Press at top left corner", "Please release it", "Press at top left corner",
                                "Press at top right corner", "Please release it", "Press at top right corner",
                                "Press at bottom right corner", "Please release it", "Press at bottom right corner",
                                "Setting the touch panel is completed successfully"}));
    EXPECT_EQ(world.host.flashes.back().duration_ms, 3000);
    EXPECT_EQ(world.host.flashes.front().duration_ms, 0);
    EXPECT_EQ(world.state.touch, world.sim.memory().touch);
    EXPECT_EQ(world.state.touch[0], 0);  // the real corners were asked for
    EXPECT_EQ(events.calls, (std::vector<bool>{true, false}));
    EXPECT_FALSE(calibration.running());
}

TEST_F(Calibration, TheInsetBoxAsksForInsetCorners) {
    world.sim.set_calibration_states({{3, 300}});
    run_yes(true);
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::Succeeded);
    EXPECT_EQ(world.state.touch[0], 1);
}

TEST_F(Calibration, EndingAfterStepsFourAndFiveIsATimeout) {
    world.sim.set_calibration_states({{4, 400}, {0x84, 300}, {5, 400}, {0x85, 300}});
    const TouchBlock before = world.state.touch;
    run_yes();
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::TimedOut);
    EXPECT_EQ(flashes_en(), (std::vector<std::string>{"Press at top left corner", "Please release it",
                                                      "Press at bottom right corner", "Please release it",
                                                      "Setting the touch panel is completed by timeout"}));
    EXPECT_EQ(world.state.touch, before);
}

TEST_F(Calibration, AnImmediateZeroIsATimeout) {
    world.sim.set_calibration_states({});
    const TouchBlock before = world.state.touch;
    run_yes();
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::TimedOut);
    EXPECT_EQ(flashes_en(), (std::vector<std::string>{"Setting the touch panel is completed by timeout"}));
    EXPECT_EQ(world.state.touch, before);
}

TEST_F(Calibration, PressedAtStepThreeBeforeZeroStillSucceeds) {
    world.sim.set_calibration_states({{2, 300}, {3, 300}, {0x83, 300}});
    run_yes();
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::Succeeded);
}

TEST_F(Calibration, RepeatedStatesShowNothingNewAndOtherStepsNothingAtAll) {
    world.sim.set_calibration_states({{1, 800}, {9, 500}, {0x89, 300}, {1, 500}});
    run_yes();
    // Step 9 has no instruction, but pressed is pressed; back at 1 the instruction returns.
    EXPECT_EQ(flashes_en(), (std::vector<std::string>{"Press at top left corner", "Please release it",
                                                      "Press at top left corner",
                                                      "Setting the touch panel is completed by timeout"}));
}

TEST_F(Calibration, TheButtonAgainStopsWithoutAWordAndWithoutWriting) {
    world.sim.set_calibration_steps({1, 2, 3});
    world.sim.keep_request_log(true);
    const std::uint32_t stop_at = world.host.tick_ms() + 1500;
    world.host.on_pump = [&](test::FakeHost& host) {
        if (host.tick_ms() >= stop_at && calibration.running()) calibration.on_button(false);
    };
    const TouchBlock before = world.state.touch;
    run_yes();
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::Stopped);
    EXPECT_EQ(world.host.flash_clears, 1);
    EXPECT_NE(flashes_en().back(), "Setting the touch panel is completed by timeout");
    EXPECT_EQ(world.state.touch, before);
    std::size_t writes = 0;
    for (const Frame& frame : world.sim.request_log()) writes += frame.command() == 0x91;
    EXPECT_EQ(writes, 1u);  // only the start
}

TEST_F(Calibration, AFailedStateReadShowsTheErrorAndEnds) {
    world.sim.inject(sim::FaultPlan(sim::Fault::AnswerFailed, 3, 1, 0x11));
    run_yes();
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::ReadFailed);
    EXPECT_EQ(world.host.box_texts_en().back(), "Error reading from device\nFailed result");
    EXPECT_EQ(world.host.flash_clears, 1);
}

TEST_F(Calibration, AFailedReadBackKeepsTheProgramsBlockAndClaimsNoSuccess) {
    world.sim.set_calibration_states({{3, 300}});
    sim::FaultPlan plan(sim::Fault::AnswerFailed, 0, 1, 0x11);
    plan.offset = 0;
    world.sim.inject(plan);
    const TouchBlock before = world.state.touch;
    run_yes();
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::ReadBackFailed);
    EXPECT_EQ(world.state.touch, before);
    EXPECT_EQ(world.host.box_texts_en().back(), "Error reading from device\nFailed result");
    EXPECT_NE(flashes_en().back(), "Setting the touch panel is completed successfully");
}

TEST_F(Calibration, NoAtTheQuestionWritesNothingButStillUnlocks) {
    world.sim.keep_request_log(true);
    calibration.on_button(false);
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::Declined);
    EXPECT_EQ(world.host.box_texts_en(), (std::vector<std::string>{"You really want to launch setup of touchpanel?"}));
    EXPECT_TRUE(world.sim.request_log().empty());
    EXPECT_EQ(events.calls, (std::vector<bool>{true, false}));
}

TEST_F(Calibration, ARefusedStartShowsTheWriteError) {
    world.sim.inject(sim::FaultPlan(sim::Fault::AnswerParameters, 0, 1, 0x91));
    run_yes();
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::StartFailed);
    EXPECT_EQ(world.host.box_texts_en().back(), "Error writing to the device\nError in parameters");
}

TEST_F(Calibration, ClosingEndsTheLoop) {
    world.sim.set_calibration_steps({1, 2, 3});
    const std::uint32_t close_at = world.host.tick_ms() + 800;
    world.host.on_pump = [&](test::FakeHost& host) {
        if (host.tick_ms() >= close_at) host.set_closing(true);
    };
    run_yes();
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::Closing);
}

TEST_F(Calibration, NotConnectedStartsNothing) {
    world.sim.unplug();
    world.monitor.poll();
    calibration.on_button(false);
    EXPECT_EQ(calibration.last_end(), CalibrationEnd::NotConnected);
    EXPECT_EQ(world.host.box_texts_en(), (std::vector<std::string>{"Controller is disconnected"}));
    EXPECT_TRUE(events.calls.empty());
}

}  // namespace
}  // namespace ztv
