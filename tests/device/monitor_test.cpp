#include <gtest/gtest.h>

#include <algorithm>

#include "device/device_errors.h"
#include "support/sim_world.h"

namespace ztv {
namespace {

using sim::Fault;
using sim::FaultPlan;
using test::SimWorld;

struct CanSinkSpy : CanRecordSink {
    void receive_can_records(std::span<const std::uint8_t> records) override {
        pulls.emplace_back(records.begin(), records.end());
    }
    bool log_file_open() const override { return file_open; }
    void close_log_file() override {
        file_open = false;
        ++closes;
    }
    std::vector<std::vector<std::uint8_t>> pulls;
    bool file_open = false;
    int closes = 0;
};

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(MonitorConnect, FirstPollsFindControllerReadConfigurationAndPrintInfo) {
    SimWorld world;
    world.sim.memory().record.set_u8(1000, 0x77);
    world.sim.memory().serial = 123456;
    ASSERT_TRUE(world.connect());
    EXPECT_EQ(world.monitor.remembered_serial(), 123456u);
    EXPECT_TRUE(world.state.record_valid);
    EXPECT_EQ(world.state.record.u8(1000), 0x77);
    EXPECT_EQ(world.events.refreshes, 1);
    const auto log = world.host.log_texts();
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[0], "Controller          \"ZEB-TERVIO-V4-CKT\"");
    EXPECT_EQ(log[1], "The serial number   123456");
    EXPECT_EQ(log[2], "Boot version        1.03");
    EXPECT_EQ(log[3], "Application version 10.05");
    EXPECT_EQ(world.events.busy_calls, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(world.protocol.tick_skip(), 0);
    // The status line is left alone on the connecting tick, then shows name and dots.
    const std::size_t texts = world.host.status_texts.size();
    world.monitor.poll();
    ASSERT_EQ(world.host.status_texts.size(), texts + 1);
    EXPECT_EQ(world.host.status_texts.back().en, "Controller \"ZEB-TERVIO-V4-CKT V10.05\" is connected.");
}

TEST(MonitorConnect, SerialZeroIsNeverReadAutomatically) {
    SimWorld world;
    world.sim.memory().serial = 0;
    ASSERT_TRUE(world.connect());
    EXPECT_FALSE(world.state.record_valid);
    EXPECT_EQ(world.events.refreshes, 0);
}

TEST(MonitorConnect, BootloaderIsNotReadAndShowsItsStatusLine) {
    SimWorld world;
    world.sim.set_mode(sim::SimMode::Bootloader);
    ASSERT_TRUE(world.connect());
    EXPECT_EQ(world.events.refreshes, 0);
    world.monitor.poll();
    EXPECT_EQ(world.host.status_texts.back().en, "The bootloader of controller \"ZEB-TERVIO-V4-BOOT\" is connected.");
    const auto log = world.host.log_texts();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[4], "---------------------------");
    // Changes are not sent to a bootloader.
    world.state.record_valid = true;
    world.state.record.set_u8(5, 1);
    world.sim.keep_request_log(true);
    world.session.send_changes();
    EXPECT_TRUE(world.sim.request_log().empty());
}

TEST(MonitorDisconnect, BannerOnlyOnTransitionAndErrorInStatusLine) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.host.log.clear();
    world.sim.unplug();
    EXPECT_NE(world.monitor.poll(), kOk);
    EXPECT_FALSE(world.monitor.connected());
    EXPECT_EQ(world.host.log_texts(), (std::vector<std::string>{"******** Controller is disconnected **********"}));
    EXPECT_EQ(world.events.busy_calls.back(), false);
    world.monitor.poll();
    EXPECT_EQ(world.host.log.size(), 1u) << "no second banner";
    EXPECT_EQ(world.host.status_texts.back().en, "Controller is disconnected");
    EXPECT_EQ(world.monitor.remembered_serial(), 0u);
    // Plugged back in: read again because the remembered serial is 0.
    world.sim.replug();
    ASSERT_TRUE(world.connect());
    EXPECT_EQ(world.events.refreshes, 2);
}

TEST(MonitorDisconnect, LanguageChangeReconnectsWithoutBanner) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.host.log.clear();
    world.host.lang = Lang::Russian;
    world.monitor.clear_connected();
    world.monitor.poll();
    EXPECT_TRUE(world.monitor.connected());
    EXPECT_EQ(world.events.refreshes, 2);
    const auto log = world.host.log_texts();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], "Контроллер          \"ZEB-TERVIO-V4-CKT\"");
    EXPECT_FALSE(contains(log, "******** Controller is disconnected **********"));
}

TEST(MonitorTick, SkipsAfterRequestsAndWhileExchanging) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    std::array<std::uint8_t, 4> ir{};
    std::size_t got = 0;
    ASSERT_EQ(world.protocol.read_area(0x13, 0, ir, got), kOk);
    const auto before = world.sim.requests();
    world.monitor.on_polling_tick();
    world.monitor.on_polling_tick();
    EXPECT_EQ(world.sim.requests(), before) << "two ticks left out after an explicit request";
    world.monitor.on_polling_tick();
    EXPECT_EQ(world.sim.requests(), before + 1);
    EXPECT_EQ(world.host.suspension(), 0);
    EXPECT_FALSE(world.host.progress_visible);
}

TEST(MonitorChanges, OneByteChangeSendsOneWriteAndFlashes) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.sim.keep_request_log(true);
    world.state.record.set_bits(632, 0, 4, 3);
    world.session.send_changes();
    ASSERT_EQ(world.sim.request_log().size(), 1u);
    const Frame& w = world.sim.request_log()[0];
    EXPECT_EQ(w.command(), 0x90);
    EXPECT_EQ(w.offset(), 632);
    EXPECT_EQ(w.length(), 1);
    EXPECT_EQ(world.sim.memory().record.u8(632), world.state.record.u8(632));
    EXPECT_EQ(world.state.shadow.u8(632), world.state.record.u8(632));
    ASSERT_EQ(world.host.flashes.size(), 1u);
    EXPECT_EQ(world.host.flashes[0].text.en, "Send of changes");
    EXPECT_EQ(world.host.flashes[0].duration_ms, 1000);
    EXPECT_EQ(world.host.flashes[0].blink_ms, 250);
    world.session.send_changes();
    EXPECT_EQ(world.sim.request_log().size(), 1u) << "nothing left to send";
}

TEST(MonitorChanges, SeparateRunsAndLongRunsInFrames) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.sim.keep_request_log(true);
    world.state.record.set_u8(10, 1);
    world.state.record.set_u8(12, 1);
    for (std::size_t i = 1900; i < 2000; ++i) world.state.record.set_u8(i, 0xAB);
    world.state.record.set_u8(2037, 0xCD);
    world.session.send_changes();
    const auto& log = world.sim.request_log();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0].offset(), 10);
    EXPECT_EQ(log[0].length(), 1);
    EXPECT_EQ(log[1].offset(), 12);
    EXPECT_EQ(log[1].length(), 1);
    EXPECT_EQ(log[2].offset(), 1900);
    EXPECT_EQ(log[2].length(), 64);
    EXPECT_EQ(log[3].offset(), 1964);
    EXPECT_EQ(log[3].length(), 36);
    EXPECT_EQ(log[4].offset(), 2037);
    // (The header defaults the program put into an unconfigured record are in the shadow too.)
    const auto sent = world.sim.memory().record.bytes().subspan(10);
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), world.state.record.bytes().subspan(10).begin()));
}

TEST(MonitorChanges, NothingSentWhenInvalidLearningOrDisconnected) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.sim.keep_request_log(true);
    world.state.record.set_u8(20, 1);
    world.state.record_valid = false;
    world.session.send_changes();
    world.state.record_valid = true;
    world.monitor.set_learning(true);
    world.session.send_changes();
    EXPECT_TRUE(world.sim.request_log().empty());
    EXPECT_EQ(world.state.shadow.u8(20), 0);
    world.monitor.set_learning(false);
    world.monitor.clear_connected();
    world.session.send_changes();
    EXPECT_TRUE(world.sim.request_log().empty());
    EXPECT_EQ(world.state.shadow.u8(20), 1) << "the shadow takes the bytes without sending";
    EXPECT_TRUE(world.host.flashes.empty());
}

TEST(MonitorChanges, FailedWriteInTheMiddleOfATickSaysWhatWasNotSentAndCountsAsUnsaved) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.state.record.set_u8(100, 1);
    world.state.record.set_u8(300, 1);
    world.session.record_edit(Text::same("edit"));
    world.sim.inject(FaultPlan(Fault::AnswerParameters, 1, 10, std::uint8_t{0x90}));  // the second run
    world.session.send_changes();
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_TRUE(world.host.boxes[0].text.en.starts_with(
        "Error writing to the device: the changes were not sent\nError in parameters\n"))
        << world.host.boxes[0].text.en;
    EXPECT_NE(world.host.boxes[0].text.en.find("Not sent:\n(the changes)"), std::string::npos);
    ASSERT_TRUE(world.events.unsent_held);
    EXPECT_EQ(world.events.unsent_held->record.u8(100), 1);  // the first run went through
    EXPECT_EQ(world.events.unsent_held->record.u8(300), 0);
    EXPECT_FALSE(world.session.controller_holds_configuration());
    EXPECT_TRUE(world.session.unsaved());

    // Sent once: the shadow took both runs, and nothing is sent again.
    EXPECT_EQ(world.state.shadow.u8(300), 1);
    world.sim.clear_faults();
    world.sim.keep_request_log(true);
    world.session.on_polling_tick();
    EXPECT_EQ(std::ranges::count(world.sim.request_log(), 0x90, &Frame::command), 0);
    EXPECT_TRUE(world.session.unsaved());
    // A whole read knows again what the controller holds.
    ASSERT_EQ(world.session.read_configuration_if_application(), kOk);
    EXPECT_TRUE(world.session.controller_holds_configuration());
    EXPECT_FALSE(world.session.unsaved());
}

TEST(SessionUnsaved, RenamedSlotIsUnsavedThoughTheControllerHoldsEverythingElse) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.state.set_slot_name(2, "Radio");
    world.session.record_edit(Text::same("Slot 3 name"));
    world.session.on_polling_tick();
    EXPECT_TRUE(world.session.controller_holds_configuration());
    EXPECT_TRUE(world.session.unsaved());
    world.session.mark_clean(CleanPoint::File, Text::same("saved"));
    EXPECT_FALSE(world.session.unsaved());
}

TEST(MonitorPending, TerminalTextIsPulledAndAssembledIntoLines) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.host.log.clear();
    world.sim.feed_terminal_text("boot ok\r\nLIN EV:29 \r\npart");
    world.monitor.poll();
    EXPECT_EQ(world.monitor.interval_ms(), kFastIntervalMs);
    ASSERT_EQ(world.host.log.size(), 2u);
    EXPECT_EQ(world.host.log[0].text, "boot ok");
    EXPECT_EQ(world.host.log[0].source, LogSource::Controller);
    EXPECT_EQ(world.host.log[1].text, "LIN EV:29 ");
    EXPECT_EQ(world.monitor.terminal().pending(), 4u);
    world.sim.feed_terminal_text("ial\n");
    world.monitor.poll();
    ASSERT_EQ(world.host.log.size(), 3u);
    EXPECT_EQ(world.host.log[2].text, "partial");
}

TEST(MonitorPending, IntervalFallsBackAfterFiveQuietTicks) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.sim.feed_terminal_text("x\n");
    world.monitor.poll();
    EXPECT_EQ(world.monitor.interval_ms(), 10u);
    for (int i = 0; i < 5; ++i) {
        world.monitor.poll();
        EXPECT_EQ(world.monitor.interval_ms(), 10u) << i;
    }
    world.monitor.poll();
    EXPECT_EQ(world.monitor.interval_ms(), 200u);
}

TEST(MonitorPending, BothPendingAlternatesTerminalFirst) {
    SimWorld world;
    CanSinkSpy can;
    world.monitor.set_can_sink(&can);
    ASSERT_TRUE(world.connect());
    world.sim.keep_request_log(true);
    const std::uint8_t data[2] = {1, 2};
    for (int i = 0; i < 6; ++i) world.sim.push_can_record(0x123u << 18, false, data, 1000u + static_cast<std::uint32_t>(i));
    // Plenty of terminal text: it stays pending across drains bounded by the request cap.
    world.sim.feed_terminal_text(std::string(64 * 300, 'a'));
    std::vector<std::uint8_t> pulls;
    for (int tick = 0; tick < 4; ++tick) {
        const std::size_t from = world.sim.request_log().size();
        world.monitor.poll();
        for (std::size_t i = from; i < world.sim.request_log().size(); ++i) {
            const std::uint8_t c = world.sim.request_log()[i].command();
            if (c == 0x05 || c == 0x15) {
                pulls.push_back(c);
                break;
            }
        }
    }
    EXPECT_EQ(pulls, (std::vector<std::uint8_t>{0x05, 0x15, 0x05, 0x15}));
    ASSERT_EQ(can.pulls.size(), 2u);
    EXPECT_EQ(can.pulls[0].size(), 60u);
}

TEST(MonitorPending, LongOperationIgnoresPendingData) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.sim.feed_terminal_text("hello\n");
    world.monitor.set_no_background_pulls(true);
    world.monitor.poll();
    EXPECT_EQ(world.sim.pending_terminal_bytes(), 6u);
    EXPECT_EQ(world.monitor.interval_ms(), 200u);
}

TEST(MonitorPending, FailedPullCountsAsLostConnection) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.sim.feed_terminal_text("hello\n");
    world.sim.inject(FaultPlan(Fault::AnswerFailed, 0, 1, std::uint8_t{0x05}));
    EXPECT_EQ(world.monitor.poll(), kErrFailedResult);
    EXPECT_FALSE(world.monitor.connected());
    EXPECT_EQ(world.host.status_texts.back().en, "Failed result");
}

TEST(MonitorPending, CanRepliesOfOddLengthAreIgnored) {
    SimWorld world;
    CanSinkSpy can;
    world.monitor.set_can_sink(&can);
    ASSERT_TRUE(world.connect());
    const std::uint8_t data[8] = {};
    world.sim.push_can_record(5, true, data, 1);
    world.sim.feed_terminal_text("");
    // A record of 20 bytes reaches the sink; a stray 7 bytes in the queue make the next reply odd.
    EXPECT_EQ(world.monitor.pull_can_records(), kOk);
    ASSERT_EQ(can.pulls.size(), 1u);
    EXPECT_EQ(can.pulls[0].size(), 20u);
    world.sim.inject(FaultPlan(Fault::LongLength, 0, 3, std::uint8_t{0x15}));
    EXPECT_EQ(world.monitor.pull_can_records(), kErrBadReply);
    EXPECT_EQ(can.pulls.size(), 1u);
}

TEST(MonitorUntrusted, NameWithoutTerminatorAndShortStatus) {
    std::array<std::uint8_t, kStatusSize> bytes{};
    std::fill(bytes.begin() + 16, bytes.begin() + 48, std::uint8_t{'Z'});
    bytes[48] = 3;
    const StatusRecord full = StatusRecord::parse(bytes);
    EXPECT_EQ(full.name, std::string(32, 'Z'));
    EXPECT_EQ(full.source_index(), 3u);
    const StatusRecord shorter = StatusRecord::parse(std::span<const std::uint8_t>(bytes.data(), 20));
    EXPECT_EQ(shorter.name, "ZZZZ");
    EXPECT_EQ(shorter.status_word, 0);
    const StatusRecord none = StatusRecord::parse({});
    EXPECT_EQ(none.name, "");
}

TEST(MonitorUntrusted, PercentSignsInTheNameAreJustText) {
    StatusRecord s;
    s.name = "ZEB-%s%n%d";
    s.app_version = 1005;
    EXPECT_EQ(status_line_text(s, 0, false).en, "Controller \"ZEB-%s%n%d V10.05\" is connected");
    EXPECT_EQ(device_info_lines(s)[0].en, "Controller          \"ZEB-%s%n%d\"");
}

TEST(StatusTexts, DotsGrowToTenThenStartFromNone) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    std::vector<std::size_t> dots;
    for (int i = 0; i < 13; ++i) {
        world.monitor.poll();
        const std::string& text = world.host.status_texts.back().en;
        dots.push_back(text.size() - text.find_last_not_of('.') - 1);
    }
    EXPECT_EQ(dots, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1, 2}));
}

TEST(StatusTexts, CanLogSuffixes) {
    StatusRecord s;
    s.name = "ZEB-TERVIO-V4-CKT";
    s.app_version = 1102;
    s.status_word = kStatusCanLogRunning;
    EXPECT_EQ(status_line_text(s, 2, false).en, "Controller \"ZEB-TERVIO-V4-CKT V11.02\" is connected. CAN log started..");
    EXPECT_EQ(status_line_text(s, 0, true).en,
              "Controller \"ZEB-TERVIO-V4-CKT V11.02\" is connected. CAN log started and written to the file");
    EXPECT_EQ(status_line_text(s, 0, true).ru,
              "Контроллер \"ZEB-TERVIO-V4-CKT V11.02\" подключён. CAN-лог запущен и записывается в файл");
    s.status_word = 0;
    EXPECT_EQ(status_line_text(s, 0, true).en, "Controller \"ZEB-TERVIO-V4-CKT V11.02\" is connected");
}

TEST(StatusTexts, DeviceInformationFeatureLines) {
    StatusRecord s;
    s.name = "ZEB-TERVIO-V4-CKX";
    s.serial = 42;
    s.boot_version = 205;
    s.app_version = 1005;
    std::vector<std::string> en;
    for (const Text& t : device_info_lines(s)) en.push_back(t.en);
    EXPECT_EQ(en, (std::vector<std::string>{"Controller          \"ZEB-TERVIO-V4-CKX\"", "The serial number   42",
                                            "Boot version        2.05", "Application version 10.05",
                                            "---------------------------", "Controller support:", " - CAN Bus",
                                            " - USB Keyboard page 7", "---------------------------"}));
    // Every line has its Russian twin, the feature lines included.
    const auto ru = device_info_lines(s);
    EXPECT_EQ(ru[1].ru, "Серийный номер      42");
    EXPECT_EQ(ru[6].ru, " - Шина CAN");
    EXPECT_EQ(ru[7].ru, " - USB-клавиатура, страница 7");
    s.name = "ZEB-TERVIO-V4-q8";
    const auto lines = device_info_lines(s);
    EXPECT_EQ(lines[6].en, " - Unknown 'q'");
    EXPECT_EQ(lines[7].en, " - CAN Bus for AUDI A8 seat");
    s.name = "NODASH";
    EXPECT_EQ(device_info_lines(s).size(), 4u);
    s.app_version = 0;
    const auto boot = device_info_lines(s);
    ASSERT_EQ(boot.size(), 4u);
    EXPECT_EQ(boot[3].en, "Application version (application is not loaded)");
}

TEST(CanLog, OfferedByTheName) {
    EXPECT_TRUE(can_log_offered("ZEB-TERVIO-V4-CKT"));
    EXPECT_FALSE(can_log_offered("ZEB-TERVIO-V4-KT"));
    EXPECT_FALSE(can_log_offered("ZEB-TERVIO-V4-BOOT"));
    EXPECT_TRUE(can_log_offered("X-CAN-1"));
    EXPECT_TRUE(can_log_offered("X-CL-1"));
    EXPECT_FALSE(can_log_offered("C-TERVIO"));

    SimWorld world;
    CanSinkSpy can;
    can.file_open = true;
    world.monitor.set_can_sink(&can);
    ASSERT_TRUE(world.connect());
    EXPECT_EQ(world.monitor.can_log_offered(), std::nullopt) << "not decided on the connecting poll";
    world.monitor.poll();
    EXPECT_EQ(world.monitor.can_log_offered(), true);
    EXPECT_EQ(can.closes, 0);
    world.sim.memory().features = "KT";
    world.monitor.poll();
    EXPECT_EQ(world.monitor.can_log_offered(), false);
    EXPECT_EQ(can.closes, 1) << "a controller without a CAN log closes the log file";
}

TEST(MonitorTimer, DrivenByTheWindowTimerThroughPumps) {
    SimWorld world;
    world.attach_timer();
    world.host.run_for(2000);
    EXPECT_TRUE(world.monitor.connected());
    EXPECT_TRUE(world.state.record_valid);
    world.state.record.set_u8(1500, 0x11);
    world.host.run_for(400);
    EXPECT_EQ(world.sim.memory().record.u8(1500), 0x11);
    EXPECT_EQ(world.host.suspension(), 0);
}

}  // namespace
}  // namespace ztv

namespace ztv {
namespace {

using test::SimWorld;

TEST(MonitorConnect, MissingHidLayerShowsErrorOne) {
    SimWorld world;
    world.sim.set_init_error(kErrDriverLoad);
    EXPECT_EQ(world.monitor.poll(), kErrDriverLoad);
    EXPECT_EQ(world.host.status_texts.back().en, "Error loading driver HID.DLL");
    EXPECT_FALSE(world.monitor.connected());
}

TEST(MonitorConnect, NewConnectionDropsAPartialTerminalLine) {
    SimWorld world;
    ASSERT_TRUE(world.connect());
    world.sim.feed_terminal_text("half a li");
    world.monitor.poll();
    EXPECT_EQ(world.monitor.terminal().pending(), 9u);
    world.sim.unplug();
    world.monitor.poll();
    world.sim.replug();
    ASSERT_TRUE(world.connect());
    EXPECT_EQ(world.monitor.terminal().pending(), 0u);
}

TEST(MonitorTick, PollingIsSuspendedForTheTicksOwnDuration) {
    SimWorld world;
    int suspension_seen = -1;
    world.host.on_pump = [&](test::FakeHost& host) {
        if (world.transport.is_exchange_running()) return;
        suspension_seen = std::max(suspension_seen, host.suspension());
    };
    world.sim.feed_terminal_text("x\n");  // the drain pumps inside the tick
    ASSERT_TRUE(world.connect());
    world.monitor.on_polling_tick();
    EXPECT_GE(suspension_seen, 1);
    EXPECT_EQ(world.host.suspension(), 0);
}

}  // namespace
}  // namespace ztv
