// The CAN log against the simulated controller: menu actions, filters, table, terminal lines,
// log files and the change journal a view reads.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "device/device_errors.h"
#include "diag/can_log.h"
#include "diag/candump_log.h"
#include "support/sim_world.h"
#include "support/temp_dir.h"

namespace ztv {
namespace {

using test::SimWorld;

struct CanWorld : SimWorld {
    explicit CanWorld(sim::SimMemory memory = {}) : SimWorld(std::move(memory)) {
        CanLogLink link;
        link.connected = [this] { return monitor.connected(); };
        link.send_mode = [this](std::uint8_t mode) { return write_can_mode(protocol, mode); };
        link.terminal_active = [this] { return terminal_active; };
        link.ask_file_name = [this] {
            ++dialogs;
            return dialog_answer;
        };
        link.remember_folder = [this](const std::string& path) { remembered.push_back(path); };
        link.set_busy = [this](bool busy) { busy_calls.push_back(busy); };
        log = std::make_unique<CanLog>(host, link);
        monitor.set_can_sink(log.get());
        sim.keep_request_log(true);
    }
    void push(std::uint32_t id, std::vector<std::uint8_t> data, std::uint32_t stamp, bool ext = false) {
        sim.push_can_record(ext ? id : id << 18, ext, data, stamp);
    }
    // Lets the monitor pull everything the controller holds.
    void drain() {
        for (int i = 0; i < 200 && sim.pending_can_records() > 0; ++i) monitor.poll();
    }
    std::vector<std::uint8_t> modes_sent() const {
        std::vector<std::uint8_t> modes;
        for (const Frame& f : sim.request_log())
            if (f.command() == (block::kCanLog | 0x80)) modes.push_back(f.payload()[0]);
        return modes;
    }
    std::vector<std::string> cells(CanIdColumn column) const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < log->table().size(); ++i) out.push_back(can_row_cell(log->table().row(i), i, column));
        return out;
    }

    bool terminal_active = false;
    std::string dialog_answer;
    int dialogs = 0;
    std::vector<std::string> remembered;
    std::vector<bool> busy_calls;
    std::unique_ptr<CanLog> log;
};

std::vector<std::string> file_lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back("UNTERMINATED:" + text.substr(at));
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

TEST(CanLogStart, WritesModeZeroThenTheModeAndFillsTheTable) {
    CanWorld w;
    ASSERT_TRUE(w.connect());
    w.log->start(kCanModeAll);
    EXPECT_EQ(w.modes_sent(), (std::vector<std::uint8_t>{0, 1}));
    EXPECT_EQ(w.sim.can_mode(), 1);
    EXPECT_EQ(w.log->last_mode(), 1);
    w.push(0x123, {1, 2}, 1000);
    w.push(0x1A0, {}, 1005, true);
    w.push(0x123, {3, 4}, 1100);
    w.drain();
    EXPECT_EQ(w.cells(CanIdColumn::Id), (std::vector<std::string>{"123( 291)", "000001A0( 416)"}));
    EXPECT_EQ(w.cells(CanIdColumn::Cycle), (std::vector<std::string>{"100", "-"}));
    EXPECT_EQ(w.cells(CanIdColumn::Count), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(w.cells(CanIdColumn::Data)[0], "03 04" + std::string(18, ' '));
    EXPECT_TRUE(w.host.boxes.empty());
    // The terminal was not in front: no lines.
    for (const auto& line : w.host.log) EXPECT_EQ(line.text.find("CANRX"), std::string::npos);
}

TEST(CanLogStart, TerminalLinesInControllerColourOnlyWhileTheTerminalIsInFront) {
    CanWorld w;
    ASSERT_TRUE(w.connect());
    w.log->start(kCanModeAll);
    w.terminal_active = true;
    w.push(0x123, {0xAB}, 2003);
    w.drain();
    w.terminal_active = false;
    w.push(0x124, {}, 2004);
    w.drain();
    std::vector<std::string> lines;
    for (const auto& line : w.host.log)
        if (line.text.find("CANRX") != std::string::npos) {
            lines.push_back(line.text);
            EXPECT_EQ(line.source, LogSource::Controller);
        }
    EXPECT_EQ(lines, (std::vector<std::string>{"002.003 CANRX 0123 [ AB ]"}));
    EXPECT_EQ(w.log->table().size(), 2u);
}

TEST(CanLogStart, DisconnectedShowsTheMessageAndSendsNothing) {
    CanWorld w;
    w.log->run(CanMenuItem::Start);
    w.log->run(CanMenuItem::Stop);
    w.log->run(CanMenuItem::StartSave);
    w.log->run(CanMenuItem::Clear);
    EXPECT_EQ(w.host.box_texts_en(), std::vector<std::string>(4, "Controller is disconnected"));
    EXPECT_TRUE(w.modes_sent().empty());
    EXPECT_EQ(w.dialogs, 0);
}

TEST(CanLogStart, FirmwareWithoutCanLogIsNotSupported) {
    sim::SimMemory memory;
    memory.features = "KT";
    CanWorld w(memory);
    ASSERT_TRUE(w.connect());
    w.log->run(CanMenuItem::HideNotChanged);
    EXPECT_EQ(w.host.box_texts_en(), (std::vector<std::string>{"This operation\nfor this firmware\nis not supported"}));
    // A failed mode 0 ends the action there: no second write.
    EXPECT_EQ(w.modes_sent(), (std::vector<std::uint8_t>{0}));
    // The quiet stop says nothing.
    EXPECT_EQ(w.log->stop_quietly(), kErrParameters);
    EXPECT_EQ(w.host.boxes.size(), 1u);
}

TEST(CanLogFilters, HideAccumulatedThenShowAll) {
    CanWorld w;
    ASSERT_TRUE(w.connect());
    w.log->start(kCanModeAll);
    w.push(0xA, {1}, 10);
    w.push(0xB, {1}, 20);
    w.drain();
    w.log->run(CanMenuItem::HideAccumulated);
    EXPECT_EQ(w.sim.can_mode(), 2);
    EXPECT_TRUE(w.log->table().empty());
    w.push(0xA, {2}, 30);
    w.push(0xC, {2}, 31);
    w.push(0xB, {2}, 32);
    w.drain();
    EXPECT_EQ(w.cells(CanIdColumn::Id), (std::vector<std::string>{"00C(  12)"}));
    w.log->run(CanMenuItem::ShowAll);
    EXPECT_EQ(w.sim.can_mode(), 1);
    w.push(0xA, {3}, 40);
    w.push(0xB, {3}, 41);
    w.push(0xC, {3}, 42);
    w.drain();
    EXPECT_EQ(w.cells(CanIdColumn::Id), (std::vector<std::string>{"00A(  10)", "00B(  11)", "00C(  12)"}));
}

TEST(CanLogFilters, NotChangedModeDropsRepeats) {
    CanWorld w;
    ASSERT_TRUE(w.connect());
    w.log->start(kCanModeChangedOnly);
    w.push(0xA, {1, 2}, 10);
    w.push(0xA, {1, 2}, 20);
    w.push(0xA, {1, 3}, 30);
    w.push(0xA, {1, 3}, 40);
    w.drain();
    ASSERT_EQ(w.log->table().size(), 1u);
    EXPECT_EQ(w.log->table().row(0).count, 2u);
    EXPECT_EQ(w.log->table().row(0).cycle, 20u);
}

TEST(CanLogFilters, HideThisPacketAndAllExceptThis) {
    CanWorld w;
    ASSERT_TRUE(w.connect());
    w.log->start(kCanModeAll);
    for (std::uint32_t id : {0xA, 0xB, 0xC}) w.push(id, {}, id);
    w.drain();
    w.log->select_row(1);
    w.log->run(CanMenuItem::HideThis);
    EXPECT_TRUE(w.log->table().empty());
    for (std::uint32_t id : {0xA, 0xB, 0xC}) w.push(id, {}, id);
    w.drain();
    EXPECT_EQ(w.cells(CanIdColumn::Id), (std::vector<std::string>{"00A(  10)", "00C(  12)"}));
    w.log->select_row(1);
    w.log->run(CanMenuItem::HideAllExcept);
    for (std::uint32_t id : {0xA, 0xB, 0xC}) w.push(id, {}, id);
    w.drain();
    EXPECT_EQ(w.cells(CanIdColumn::Id), (std::vector<std::string>{"00C(  12)"}));
    EXPECT_TRUE(w.host.boxes.empty());
}

TEST(CanLogFilters, HideWhileDisconnectedChangesFiltersButKeepsTheTable) {
    CanWorld w;
    ASSERT_TRUE(w.connect());
    w.log->start(kCanModeAll);
    w.push(0xA, {}, 1);
    w.push(0xB, {}, 2);
    w.drain();
    w.sim.unplug();
    w.monitor.poll();
    ASSERT_FALSE(w.monitor.connected());
    w.log->select_row(0);
    w.log->run(CanMenuItem::HideThis);
    EXPECT_EQ(w.log->table().size(), 2u);
    EXPECT_TRUE(w.log->filters().find(can_key(0xAu << 18, false))->hidden);
    EXPECT_FALSE(w.log->filters().find(can_key(0xBu << 18, false))->hidden);
}

TEST(CanLogFile, AlignedFileLineByLineUntilStop) {
    CanWorld w;
    test::TempDir dir;
    ASSERT_TRUE(w.connect());
    w.dialog_answer = dir.file("run.LOG");
    w.log->run(CanMenuItem::StartSave);
    EXPECT_EQ(w.busy_calls, (std::vector<bool>{true, false}));
    EXPECT_EQ(w.remembered, (std::vector<std::string>{w.dialog_answer}));
    EXPECT_EQ(w.modes_sent(), (std::vector<std::uint8_t>{0, 1}));
    EXPECT_TRUE(w.log->log_file_open());
    w.push(0x123, {0x11, 0x22}, 5000);
    w.push(0x123, {0x11, 0x23}, 5100);
    w.push(0x18DC0000, {}, 6234, true);
    w.drain();
    w.log->run(CanMenuItem::Stop);
    EXPECT_FALSE(w.log->log_file_open());
    EXPECT_EQ(w.sim.can_mode(), 0);
    const std::string fill18(18, ' ');
    EXPECT_EQ(file_lines(w.dialog_answer),
              (std::vector<std::string>{
                  "   1(   1)    0.000(   0.000) 123( 291) 2 [11 22" + fill18 + "]",
                  "   2(   2)    0.100(   0.100) 123( 291) 2 [11 23" + fill18 + "]",
                  "   3(   1)    1.234(   0.000) 18DC0000(417071104) 0 [" + std::string(24, ' ') + "]",
              }));
}

TEST(CanLogFile, TabFileStartsAgainAfterClearLog) {
    CanWorld w;
    test::TempDir dir;
    ASSERT_TRUE(w.connect());
    w.dialog_answer = dir.file("tab.LOG");
    w.log->run(CanMenuItem::StartSaveTab);
    w.push(0x7DF, {2, 1, 0}, 100);
    w.push(0x7DF, {2, 1, 0}, 350);
    w.drain();
    w.log->run(CanMenuItem::Clear);
    EXPECT_TRUE(w.log->table().empty());
    EXPECT_TRUE(w.log->log_file_open());
    w.push(0x7DF, {}, 9000);
    w.drain();
    w.log->stop_quietly();
    const std::string header = "\xB9\tID count\tTime\tDlit\tID\tDLC\tData";
    EXPECT_EQ(file_lines(w.dialog_answer), (std::vector<std::string>{
                                               header,
                                               "1\t1\t0.000\t0.000\t7DF(2015)\t3\t02 01 00",
                                               "2\t2\t0.250\t0.250\t7DF(2015)\t3\t02 01 00",
                                               header,
                                               "1\t1\t0.000\t0.000\t7DF(2015)\t0\t",
                                           }));
}

// candump -l's stamps: the time of day the first frame arrived, the later ones after it by the
// controller's clock, its wrap counted as time going on and a restart of it as no time;
// with the controller's time asked for, its own stamps.
TEST(CanLogFile, CandumpLogIsStampedWithTheTimeOfDay) {
    for (const bool controller_time : {false, true}) {
        CanWorld w;
        test::TempDir dir;
        ASSERT_TRUE(w.connect());
        w.dialog_answer = dir.file("car.log");
        w.log->set_candump_controller_time(controller_time);
        w.log->run(CanMenuItem::StartSaveCandump);
        w.push(0x123, {0x01}, 4294967000u);
        w.push(0x123, {0x02}, 4294967290u);
        w.push(0x123, {0x03}, 100);  // the clock wrapped
        w.push(0x123, {0x04}, 50);   // the controller restarted
        const std::int64_t before = w.host.wall_clock_us();
        w.drain();
        const std::int64_t after = w.host.wall_clock_us();
        w.log->stop_quietly();
        std::vector<double> times;
        std::ifstream in(w.dialog_answer);
        for (std::string line; std::getline(in, line);) times.push_back(std::stod(line.substr(1)));
        ASSERT_EQ(times.size(), 4u);
        if (controller_time) {
            EXPECT_EQ(times, (std::vector<double>{4294967.0, 4294967.29, 0.1, 0.05}));
            continue;
        }
        EXPECT_GE(times[0], static_cast<double>(before) / 1e6 - 1e-6);
        EXPECT_LE(times[0], static_cast<double>(after) / 1e6 + 1e-6);
        EXPECT_NEAR(times[1] - times[0], 0.290, 1e-6);
        EXPECT_NEAR(times[2] - times[0], 0.396, 1e-6);
        EXPECT_NEAR(times[3] - times[0], 0.396, 1e-6);
    }
}

TEST(CanLogFile, CancelledDialogLeavesTheLogOffAndTheFolderAlone) {
    CanWorld w;
    ASSERT_TRUE(w.connect());
    w.log->start(kCanModeAll);
    w.log->run(CanMenuItem::StartSave);
    EXPECT_EQ(w.dialogs, 1);
    EXPECT_TRUE(w.remembered.empty());
    EXPECT_EQ(w.sim.can_mode(), 0);
    EXPECT_FALSE(w.log->log_file_open());
    EXPECT_EQ(w.busy_calls, (std::vector<bool>{true, false}));
}

TEST(CanLogFile, FileThatCannotBeCreatedIsReportedAndLoggingStaysOff) {
    CanWorld w;
    test::TempDir dir;
    ASSERT_TRUE(w.connect());
    w.dialog_answer = dir.file("no/such/folder/x.LOG");
    w.log->run(CanMenuItem::StartSaveTab);
    EXPECT_EQ(w.sim.can_mode(), 0);
    EXPECT_FALSE(w.log->log_file_open());
    ASSERT_EQ(w.host.boxes.size(), 1u);
    EXPECT_EQ(w.host.box_texts_en()[0],
              "The CAN log file could not be created\n" + w.dialog_answer + "\nThe folder does not exist");
}

TEST(CanLogFile, ASecondSaveClosesTheFirstFile) {
    CanWorld w;
    test::TempDir dir;
    ASSERT_TRUE(w.connect());
    w.dialog_answer = dir.file("a.LOG");
    w.log->run(CanMenuItem::StartSave);
    w.push(0x1, {}, 1);
    w.drain();
    w.dialog_answer = dir.file("b.LOG");
    w.log->run(CanMenuItem::StartSave);
    w.push(0x2, {}, 2);
    w.drain();
    w.log->stop_quietly();
    EXPECT_EQ(file_lines(dir.file("a.LOG")).size(), 1u);
    ASSERT_EQ(file_lines(dir.file("b.LOG")).size(), 1u);
    EXPECT_NE(file_lines(dir.file("b.LOG"))[0].find("002(   2)"), std::string::npos);
}

TEST(CanLogTable, FullTableNeitherShowsNorWritesNewIdentifiers) {
    CanWorld w;
    test::TempDir dir;
    ASSERT_TRUE(w.connect());
    w.dialog_answer = dir.file("full.LOG");
    w.log->run(CanMenuItem::StartSave);
    for (std::uint32_t i = 0; i < CanIdTable::kMaxRows; ++i)
        ASSERT_TRUE(w.log->receive(CanFrame::make(0x10000001 + i, true, {}, i)));
    EXPECT_FALSE(w.log->receive(CanFrame::make(0x1FFFFFFF, true, {}, 1)));
    EXPECT_TRUE(w.log->receive(CanFrame::make(0x10000001, true, {}, 20000)));
    w.log->stop_quietly();
    const auto lines = file_lines(w.dialog_answer);
    ASSERT_EQ(lines.size(), CanIdTable::kMaxRows + 1);
    EXPECT_EQ(lines.back(), "10000(   2)   20.000(  20.000) 10000001(268435457) 0 [" + std::string(24, ' ') + "]");
}

TEST(CanLogMenu, ItemsFollowTheState) {
    const auto items = [](CanMenuState s) {
        std::vector<CanMenuItem> out;
        const CanMenuVisibility v = can_menu_visibility(s);
        for (std::size_t i = 0; i < kCanMenuItems; ++i)
            if (v[i]) out.push_back(static_cast<CanMenuItem>(i));
        return out;
    };
    using M = CanMenuItem;
    EXPECT_EQ(items({}), (std::vector<M>{M::Start, M::StartSave, M::StartSaveTab, M::StartSaveCandump,
                                         M::HideAccumulated, M::HideNotChanged, M::ShowAll, M::LearnBackground,
                                         M::HighlightChanges}));
    EXPECT_EQ(items({true, true, true, true, true, false, false}),
              (std::vector<M>{M::Stop, M::Clear, M::HideDetails, M::HideThis, M::HideAllExcept, M::HideAccumulated,
                              M::HideNotChanged, M::ShowAll, M::StopLearning, M::HighlightChanges}));
    EXPECT_EQ(items({true, false, false, false, false, true, false}),
              (std::vector<M>{M::Stop, M::HideAccumulated, M::HideNotChanged, M::ShowAll, M::LearnBackground,
                              M::ShowNewChanges, M::HighlightChanges}));
    EXPECT_EQ(items({true, false, false, false, false, true, true}),
              (std::vector<M>{M::Stop, M::HideAccumulated, M::HideNotChanged, M::ShowAll, M::LearnBackground,
                              M::HighlightChanges}));
}

TEST(CanLogDetails, ClickShowsSecondClickHidesAndTheJournalSaysSo) {
    CanWorld w;
    ASSERT_TRUE(w.connect());
    w.log->start(kCanModeAll);
    w.push(0xA, {1}, 1);
    w.push(0xB, {1}, 2);
    w.drain();
    CanLogChanges first = w.log->take_changes();
    EXPECT_TRUE(first.reset);
    EXPECT_EQ(first.shown_rows, 0u);
    EXPECT_EQ(first.rows, 2u);
    w.log->click_row(1);
    EXPECT_EQ(w.log->detail_row(), 1u);
    EXPECT_TRUE(w.log->take_changes().detail_changed);
    w.push(0xB, {2}, 3);
    w.push(0xB, {3}, 4);
    w.push(0xC, {}, 5);
    w.drain();
    CanLogChanges next = w.log->take_changes();
    EXPECT_FALSE(next.reset);
    EXPECT_EQ(next.changed, (std::vector<std::size_t>{1}));  // twice changed, once listed
    EXPECT_EQ(next.shown_rows, 2u);
    EXPECT_EQ(next.rows, 3u);
    EXPECT_TRUE(next.detail_changed);
    EXPECT_TRUE(w.log->take_changes().changed.empty());
    w.log->click_row(0);
    EXPECT_EQ(w.log->detail_row(), 0u);
    w.log->click_row(0);
    EXPECT_FALSE(w.log->details_shown());
    w.log->click_row(0);
    EXPECT_TRUE(w.log->details_shown());
    w.log->run(CanMenuItem::HideDetails);
    EXPECT_FALSE(w.log->details_shown());
    w.log->click_row(7);  // no such row
    EXPECT_FALSE(w.log->details_shown());
    w.log->click_row(2);
    w.log->start(kCanModeAll);
    EXPECT_FALSE(w.log->details_shown());
    EXPECT_TRUE(w.log->take_changes().reset);
}

TEST(CanLogMonitor, StatusLineSaysWhenTheLogRunsAndIsWritten) {
    CanWorld w;
    test::TempDir dir;
    ASSERT_TRUE(w.connect());
    w.dialog_answer = dir.file("s.LOG");
    w.log->run(CanMenuItem::StartSave);
    w.monitor.poll();
    ASSERT_FALSE(w.host.status_texts.empty());
    EXPECT_NE(w.host.status_texts.back().en.find(". CAN log started and written to the file"), std::string::npos);
    w.log->stop_quietly();
    w.log->start(kCanModeAll);
    w.monitor.poll();
    EXPECT_NE(w.host.status_texts.back().en.find(". CAN log started"), std::string::npos);
    EXPECT_EQ(w.host.status_texts.back().en.find("written"), std::string::npos);
}

// The log's side: changes and history follow the table; "Show all" leaves the view of new
// changes without clearing it.
TEST(CanLogAnalysis, TableFeedsChangesHistoryAndTheViewOfNewChanges) {
    CanWorld w;
    ASSERT_TRUE(w.connect());
    CanLog& log = *w.log;
    test::FakeHost& host = w.host;
    log.start(kCanModeAll);
    std::vector<std::string> news;
    log.set_news_listener([&news](const CanFrame& f, const CanBits& bits) {
        news.push_back(candump_id(f) + ":" + std::to_string(bits[0]));
    });
    log.run(CanMenuItem::LearnBackground);
    const auto frame = [](std::uint8_t byte) { return CanFrame::make(0x100u << kCanStandardShift, false, std::vector<std::uint8_t>{byte}, 0); };
    log.receive(frame(1));
    log.receive(frame(2));
    host.advance_ms(100);
    EXPECT_EQ(log.changes().heat(0, 0, host.tick_ms()), 255 - 100 * 255 / CanChangeTracker::kFadeMs);
    log.run(CanMenuItem::StopLearning);
    log.receive(frame(6));  // bit 2 is news
    EXPECT_EQ(news, (std::vector<std::string>{"100:4"}));
    EXPECT_EQ(log.history().window(0, host.tick_ms()).size(), 3u);
    log.run(CanMenuItem::ShowNewChanges);
    EXPECT_TRUE(log.showing_new_changes());
    EXPECT_TRUE(log.take_changes().filter_changed);
    log.run(CanMenuItem::ShowAll);
    EXPECT_FALSE(log.showing_new_changes());
    EXPECT_EQ(log.table().size(), 1u);
    log.run(CanMenuItem::ShowAll);  // outside that view it restarts as before
    EXPECT_EQ(log.table().size(), 0u);
    log.run(CanMenuItem::HighlightChanges);
    EXPECT_FALSE(log.highlight());
}

}  // namespace
}  // namespace ztv
