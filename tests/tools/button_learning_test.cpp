#include <gtest/gtest.h>

#include <algorithm>

#include "device/device_errors.h"
#include "sim/sim_demo.h"
#include "support/sim_world.h"
#include "tools/button_learning.h"

namespace ztv {
namespace {

using test::SimWorld;

struct RecordingProcedureEvents : ProcedureEvents {
    void set_running(bool running) override { running_calls.push_back(running); }
    void grid_changed() override { ++grid_changes; }
    void finished() override { ++finishes; }
    std::vector<bool> running_calls;
    int grid_changes = 0;
    int finishes = 0;
};

// The quiet phase takes 20 passes of 100 ms; the collection starts about 2 s after the start.
constexpr std::uint32_t kCollectionStartsMs = 2200;

struct Learning : ::testing::Test {
    Learning() {
        world.sim.set_idle_noise(0);
        world.sim.set_idle_level(0, 100);
        world.sim.set_idle_level(1, 200);
        world.sim.set_idle_level(2, 0);
        world.sim.set_idle_level(3, 50);
        EXPECT_TRUE(world.connect());
        world.state.record.set_u16(0, 1000);
        start_ms = world.host.tick_ms();
    }
    // Holds a button from `from` to `to` milliseconds after the start.
    void hold(std::size_t channel, std::uint16_t code, std::uint32_t from, std::uint32_t to) {
        world.sim.hold_button(channel, code, start_ms + from, start_ms + to);
    }
    // Runs `action` once, at the first pump `at` milliseconds after the start or later.
    void meanwhile(std::uint32_t at, std::function<void()> action) {
        actions.push_back({at, std::move(action), false});
        world.host.on_pump = [this](test::FakeHost& host) {
            for (auto& timed : actions)
                if (!timed.done && host.tick_ms() - start_ms >= timed.at) {
                    timed.done = true;
                    timed.action();
                }
        };
    }
    struct Timed {
        std::uint32_t at;
        std::function<void()> action;
        bool done;
    };
    std::vector<Timed> actions;
    void run_yes() {
        world.host.answer_next(kIdYes);
        learning.on_button();
    }
    std::vector<std::string> flashes_en() const {
        std::vector<std::string> texts;
        for (const auto& flash : world.host.flashes) texts.push_back(flash.text.in(Lang::English));
        return texts;
    }

    SimWorld world;
    ButtonGrid grid;
    RecordingProcedureEvents events;
    ButtonLearning learning{world.monitor, world.state, grid, events};
    std::uint32_t start_ms = 0;
};

TEST_F(Learning, TwoButtonsOnTwoChannelsAreWrittenWithLimitsAndThresholds) {
    hold(0, 900, 3000, 3500);
    hold(0, 1700, 4000, 4300);
    hold(1, 2500, 5000, 5400);
    hold(0, 930, 6000, 6300);  // the first button again, a little higher
    meanwhile(7000, [this] { learning.on_button(); });  // stop: the results are written
    run_yes();

    EXPECT_EQ(learning.last_end(), LearningEnd::Stopped);
    EXPECT_TRUE(learning.written());
    EXPECT_EQ(learning.idle_levels(), (ChannelLevels{100, 200, 0, 50}));
    const Record& device = world.sim.memory().record;
    EXPECT_EQ(device.button_code(0, 0), 930);
    EXPECT_EQ(device.button_code(0, 1), 1700);
    EXPECT_EQ(device.button_code(0, 2), 0);
    EXPECT_EQ(device.button_code(1, 0), 2500);
    EXPECT_EQ(device.button_limit(0, 0), 385);  // min(830/2, 770/2)
    EXPECT_EQ(device.button_limit(0, 1), 385);
    EXPECT_EQ(device.button_limit(1, 0), 1150);
    EXPECT_EQ(device.press_threshold(0), (930 + 100) / 2);
    EXPECT_EQ(device.press_threshold(1), (2500 + 200) / 2);
    EXPECT_EQ(device.press_threshold(2), 4095);
    EXPECT_EQ(device.press_threshold(3), 4095);
    EXPECT_EQ(device.long_press_ms(), 1000);  // written back unchanged
    // The program's record, its shadow and the controller agree on the 550 bytes written.
    EXPECT_TRUE(std::equal(world.state.record.data(), world.state.record.data() + 550, device.data()));
    EXPECT_TRUE(std::equal(world.state.record.data(), world.state.record.data() + 550, world.state.shadow.data()));
    EXPECT_EQ(world.sim.learning_block()[0], 0);  // learning mode is off again
    EXPECT_TRUE(world.state.record_valid);
    EXPECT_EQ(grid.text(0, 1), "1.930");
    EXPECT_EQ(grid.text(1, 1), "2.2500");
    EXPECT_FALSE(grid.highlighted(0, 1));

    const auto flashes = flashes_en();
    EXPECT_EQ(flashes, (std::vector<std::string>{"Do not press anything", "Press each button and give it a name",
                                                 "Customize Buttons completed successfully"}));
    EXPECT_EQ(world.host.flashes.back().duration_ms, 3000);
    EXPECT_EQ(world.host.flashes.front().duration_ms, 0);
    EXPECT_EQ(world.host.progress_titles.back().in(Lang::English), "Write data");
    EXPECT_EQ(world.host.progress_max, 550);
    EXPECT_EQ(events.running_calls, (std::vector<bool>{true, false}));
    EXPECT_EQ(events.finishes, 1);
    EXPECT_FALSE(learning.running());
    EXPECT_FALSE(world.monitor.learning());
}

TEST_F(Learning, TheControllerIsToldTheIdleCeilingsThirtyTwoAboveTheQuietLevels) {
    std::array<std::uint8_t, 9> told{};
    meanwhile(kCollectionStartsMs + 100, [this, &told] {
        told = world.sim.learning_block();
        learning.on_button();
    });
    run_yes();
    EXPECT_EQ(told, (std::array<std::uint8_t, 9>{1, 132, 0, 232, 0, 32, 0, 82, 0}));
}

TEST_F(Learning, TheGridShowsPressesLiveAndHighlightsTheHeldButton) {
    hold(2, 3000, 3000, 3600);
    bool highlighted_while_held = false;
    std::string text_while_held;
    meanwhile(3400, [&] {
        highlighted_while_held = grid.highlighted(2, 1);
        text_while_held = grid.text(2, 1);
    });
    meanwhile(4500, [this] { learning.on_button(); });
    run_yes();
    EXPECT_TRUE(highlighted_while_held);
    EXPECT_EQ(text_while_held, "3.3000");
    EXPECT_GT(events.grid_changes, 10);
}

TEST_F(Learning, SixtySecondsWithoutAPressEndAndWrite) {
    hold(3, 1234, 3000, 3200);
    run_yes();
    EXPECT_EQ(learning.last_end(), LearningEnd::NoPress);
    EXPECT_TRUE(learning.written());
    // The last press restarted the 60 s.
    EXPECT_GE(world.host.tick_ms() - start_ms, 3200u + 59000u);
    EXPECT_LE(world.host.tick_ms() - start_ms, 3200u + 62000u);
    EXPECT_EQ(world.sim.memory().record.button_code(3, 0), 1234);
}

TEST_F(Learning, NoAtTheQuestionTouchesNothing) {
    const Record before = world.sim.memory().record;
    learning.on_button();  // the fake host answers questions with No
    EXPECT_EQ(learning.last_end(), LearningEnd::Declined);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].type, kBoxQuestion | kBoxDefaultSecond);
    EXPECT_EQ(world.host.boxes[0].text.in(Lang::English), "You really want to launch setup of keys?");
    EXPECT_EQ(world.sim.learning_block()[0], 0);
    EXPECT_EQ(world.sim.memory().record.raw, before.raw);
    EXPECT_EQ(events.running_calls, (std::vector<bool>{true, false}));
}

TEST_F(Learning, AFailedFirstWriteShowsTheErrorAndTouchesNothing) {
    world.sim.inject(sim::FaultPlan(sim::Fault::AnswerParameters, 0, 1, 0x92));
    const Record before = world.state.record;
    run_yes();
    EXPECT_EQ(learning.last_end(), LearningEnd::FirstWriteFailed);
    ASSERT_EQ(world.host.boxes.size(), 2u);
    EXPECT_EQ(world.host.boxes[1].text.in(Lang::English), "Error writing to the device\nError in parameters");
    EXPECT_EQ(world.state.record.raw, before.raw);
    EXPECT_TRUE(world.host.flashes.empty());
}

TEST_F(Learning, AFailedReadInTheCollectionWritesWhatWasGathered) {
    hold(1, 2222, 2600, 2900);
    meanwhile(3300, [this] { world.sim.inject(sim::FaultPlan(sim::Fault::AnswerFailed, 0, 3, 0x12)); });
    run_yes();
    EXPECT_EQ(learning.last_end(), LearningEnd::ReadFailed);
    EXPECT_TRUE(learning.written());
    EXPECT_EQ(world.sim.memory().record.button_code(1, 0), 2222);
    // No box for the failed read itself.
    EXPECT_EQ(world.host.boxes.size(), 1u);
}

TEST_F(Learning, AStopDuringTheQuietPhaseOnlyEndsLearningMode) {
    world.state.record.set_u16(Record::button_offset(0, 0), 800);
    world.state.record.set_u16(2, 450);
    world.state.record.set_u16(Record::button_offset(0, 0) + 2, 350);
    const Record before = world.state.record;
    meanwhile(500, [this] { learning.on_button(); });
    run_yes();
    EXPECT_EQ(learning.last_end(), LearningEnd::QuietPhaseEnded);
    EXPECT_FALSE(learning.written());
    EXPECT_EQ(world.state.record.raw, before.raw);  // limits and thresholds untouched
    EXPECT_EQ(world.sim.learning_block()[0], 0);
    EXPECT_NE(flashes_en().back(), "Customize Buttons completed successfully");
}

TEST_F(Learning, ARefusedCeilingWriteShowsTheErrorAndEndsLearningMode) {
    world.sim.inject(sim::FaultPlan(sim::Fault::AnswerParameters, 1, 1, 0x92));
    run_yes();
    EXPECT_EQ(learning.last_end(), LearningEnd::QuietPhaseEnded);
    EXPECT_EQ(world.host.box_texts_en().at(1), "Error writing to the device\nError in parameters");
    EXPECT_EQ(world.sim.learning_block()[0], 0);
}

TEST_F(Learning, ClosingWritesNothingButLearningModeOff) {
    hold(0, 1500, 2600, 3000);
    meanwhile(3500, [this] { world.host.set_closing(true); });
    run_yes();
    EXPECT_EQ(learning.last_end(), LearningEnd::Closing);
    EXPECT_FALSE(learning.written());
    EXPECT_EQ(world.sim.memory().record.button_code(0, 0), 0);
    EXPECT_EQ(world.sim.learning_block()[0], 0);
    EXPECT_EQ(world.host.boxes.size(), 1u);
}

TEST_F(Learning, AFailedFinalWriteIsNoSuccess) {
    hold(0, 1500, 2600, 3000);
    meanwhile(3500, [this] {
        world.sim.inject(sim::FaultPlan(sim::Fault::AnswerFailed, 0, 1, 0x90));
        learning.on_button();
    });
    run_yes();
    EXPECT_FALSE(learning.written());
    EXPECT_EQ(world.host.box_texts_en().at(1), "Error writing to the device\nFailed result");
    EXPECT_NE(flashes_en().back(), "Customize Buttons completed successfully");
    EXPECT_EQ(world.sim.learning_block()[0], 0);  // learning mode still ends
}

TEST_F(Learning, UnpluggedDuringTheCollectionKeepsTheButtonsInTheProgram) {
    hold(2, 2600, 2600, 3000);
    meanwhile(3300, [this] { world.sim.unplug(); });
    run_yes();
    EXPECT_EQ(learning.last_end(), LearningEnd::ReadFailed);
    EXPECT_FALSE(learning.written());
    EXPECT_EQ(world.state.record.button_code(2, 0), 2600);
    EXPECT_EQ(world.state.record.press_threshold(2), 1300);
    // Each of the three final writes says that it failed; none claims success.
    EXPECT_EQ(world.host.boxes.size(), 4u);
    EXPECT_NE(flashes_en().back(), "Customize Buttons completed successfully");
    EXPECT_FALSE(world.monitor.learning());
}

TEST_F(Learning, AbsurdReadingsStayWithinTheirFields) {
    world.sim.set_idle_level(0, 65500);
    hold(1, 65535, 2600, 3000);
    meanwhile(3300, [this] { learning.on_button(); });
    run_yes();
    EXPECT_EQ(world.sim.learning_block()[0], 0);
    EXPECT_EQ(world.state.record.button_code(1, 0), 65535);
    EXPECT_EQ(world.state.record.button_limit(1, 0), 4095);
    EXPECT_EQ(world.state.record.press_threshold(1), (65535 + 200) / 2);
    EXPECT_EQ(learning.idle_levels()[0], 65500);
}

TEST_F(Learning, ALanguageSwitchWhileLearningDoesNotReadTheGatheredButtonsAway) {
    hold(1, 1800, 2600, 3000);
    meanwhile(3300, [this] {
        // What a change of language does: the next poll meets the controller as a new one.
        world.monitor.clear_connected();
        world.monitor.poll();
    });
    meanwhile(3600, [this] { learning.on_button(); });
    run_yes();
    EXPECT_TRUE(learning.written());
    EXPECT_EQ(world.state.record.button_code(1, 0), 1800);
    EXPECT_EQ(world.sim.memory().record.button_code(1, 0), 1800);
    // Once learning is over the configuration is read again, and it holds the button.
    world.monitor.poll();
    EXPECT_EQ(world.state.record.button_code(1, 0), 1800);
    EXPECT_TRUE(world.state.record_valid);
}

TEST_F(Learning, NotConnectedStartsNothing) {
    world.sim.unplug();
    world.monitor.poll();
    ASSERT_FALSE(world.monitor.connected());
    learning.on_button();
    EXPECT_EQ(learning.last_end(), LearningEnd::NotConnected);
    EXPECT_EQ(world.host.box_texts_en(), (std::vector<std::string>{"Controller is disconnected"}));
    EXPECT_TRUE(events.running_calls.empty());
}

TEST_F(Learning, TheChangeSenderWaitsUntilLearningEnds) {
    world.state.shadow = world.state.record;
    world.state.record_valid = true;
    world.attach_timer();
    world.sim.keep_request_log(true);
    bool learning_flag = false;
    meanwhile(3000, [&] {
        learning_flag = world.monitor.learning();
        world.state.record.slot(10)[11] = 5;  // an edit made while learning runs
    });
    meanwhile(4000, [this] { learning.on_button(); });
    run_yes();
    EXPECT_TRUE(learning_flag);
    const std::size_t edited = Record::slot_offset(10) + 11;
    const auto sent_edit = [&] {
        return std::any_of(world.sim.request_log().begin(), world.sim.request_log().end(), [&](const Frame& f) {
            return f.command() == 0x90 && f.offset() == edited;
        });
    };
    EXPECT_FALSE(sent_edit());
    world.host.run_for(1000);
    EXPECT_TRUE(sent_edit());
    EXPECT_EQ(world.sim.memory().record.u8(edited), 5);
}

TEST_F(Learning, JitteringPressesStayOneButton) {
    world.sim.set_press_jitter(4);
    hold(0, 1000, 2600, 4000);
    hold(1, 3000, 4200, 5000);
    meanwhile(5500, [this] { learning.on_button(); });
    run_yes();
    EXPECT_NE(world.state.record.button_code(0, 0), 0);
    EXPECT_EQ(world.state.record.button_code(0, 1), 0);
    EXPECT_NE(world.state.record.button_code(1, 0), 0);
    EXPECT_EQ(world.state.record.button_code(1, 1), 0);
    EXPECT_NEAR(world.state.record.button_code(0, 0), 1000, 4);
}

}  // namespace

TEST(QuietPhase, AChannelThatMovedOrStandsHighWasDisturbed) {
    const ChannelLevels lowest{100, 200, 0, 50};
    EXPECT_EQ(disturbed_channels(lowest, {107, 232, 6, 57}), 0u);                  // noise only
    EXPECT_EQ(disturbed_channels(lowest, {100, 1700, 0, 50}), 0b0010u);            // pressed and released
    EXPECT_EQ(disturbed_channels({100, 200, 900, 50}, {100, 200, 900, 50}), 0b0100u);  // held throughout
}

TEST_F(Learning, AButtonHeldInTheQuietPhaseIsReportedAndTheMeasurementRepeated) {
    hold(1, 1700, 500, 900);
    hold(1, 900, 5000, 5300);  // below the held one: lost if its level had been kept
    meanwhile(5600, [this] { learning.on_button(); });
    world.host.answer_next(kIdYes);
    run_yes();  // Yes to measuring again
    ASSERT_EQ(world.host.boxes.size(), 2u);
    EXPECT_EQ(world.host.boxes[1].text.in(Lang::English),
              "A button was pressed while the idle levels were measured (channel 2).\n"
              "The buttons of that channel below it would be lost.\nMeasure again? Press nothing while it runs.");
    EXPECT_EQ(learning.idle_levels(), (ChannelLevels{100, 200, 0, 50}));
    EXPECT_EQ(world.sim.memory().record.button_code(1, 0), 900);
    const auto flashes = flashes_en();
    EXPECT_EQ(std::count(flashes.begin(), flashes.end(), "Do not press anything"), 2);
}

TEST_F(Learning, TheDemoKeepsItsHandsOffWhileTheIdleLevelsAreMeasured) {
    sim::start_demo(world.sim, world.host.tick_ms() - 2500);  // its first press falls into the quiet phase
    meanwhile(kCollectionStartsMs + 100, [this] { learning.on_button(); });
    run_yes();
    EXPECT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(learning.idle_levels(), (ChannelLevels{100, 200, 0, 50}));
}

}  // namespace ztv
