// The CAN log page in the window, with the simulated controller behind it on the polling
// timer: popup items, details with gauges, a save through the dialog, the page's visibility.
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QHeaderView>
#include <QMenu>
#include <QProgressBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include "app/device_link.h"
#include "app/shell_fixture.h"
#include "common/format.h"
#include "diag/can_log_page.h"
#include "diag/can_log_view.h"
#include "diag/candump_log.h"
#include "diag/terminal_page.h"
#include "sim/sim_can_traffic.h"

namespace ztv {
namespace {

class CanLogPageTest : public testing::ShellFixture {
protected:
    void start_window(sim::SimMemory memory = {}) {
        make_form();
        link = std::make_unique<DeviceLink>(window->device_link_shell(), state, true);
        link->simulator()->memory() = std::move(memory);
        window->initialise();
        window->page_host().set_language(1);
        window->resize(1000, 700);
        window->show();
        page = link->can_log_page();
        window->page_control()->setCurrentWidget(window->can_log_page());
    }
    void TearDown() override {
        link.reset();
        window.reset();
    }
    bool connect_controller() {
        return wait_until([this] { return link->monitor().connected() && state.record_valid; });
    }
    std::vector<CanMenuItem> visible_items() const {
        std::vector<CanMenuItem> items;
        for (std::size_t i = 0; i < kCanMenuItems; ++i)
            if (page->menu_action(static_cast<CanMenuItem>(i))->isVisible()) items.push_back(static_cast<CanMenuItem>(i));
        return items;
    }
    bool running_and_rows(int rows) {
        return wait_until([&] {
            return link->monitor().status().can_log_running() && page->model()->rowCount() >= rows;
        });
    }
    // The window with a controller whose bus is quiet, its log started: the test feeds the frames.
    CanLog& start_quiet_log() {
        start_window();
        link->simulator()->set_can_traffic(nullptr);
        EXPECT_TRUE(connect_controller());
        page->choose(CanMenuItem::Start);
        return link->can_log();
    }
    void click_row(int row) {
        const QRect rect = page->id_list()->visualRect(page->model()->index(row, 2));
        QTest::mouseClick(page->id_list()->viewport(), Qt::LeftButton, {}, rect.center());
    }

    std::unique_ptr<DeviceLink> link;
    CanLogPage* page = nullptr;
};

using M = CanMenuItem;

TEST_F(CanLogPageTest, ColumnsCaptionsAndCellsComeFromTheCanLogTables) {
    start_window();
    QTreeView* list = page->id_list();
    EXPECT_TRUE(list->isColumnHidden(0));
    for (std::size_t c = 1; c < kCanIdColumns; ++c) {
        EXPECT_EQ(page->model()->headerData(static_cast<int>(c), Qt::Horizontal, Qt::DisplayRole).toString(),
                  QString::fromUtf8(kCanIdColumnTable[c].caption.en));
        EXPECT_EQ(list->header()->sectionSize(static_cast<int>(c)), kCanIdColumnTable[c].width);
    }
    // "DLC" at most 40, "ID Hex(Dec)" at least 170.
    list->header()->resizeSection(3, 90);
    EXPECT_EQ(list->header()->sectionSize(3), 40);
    list->header()->resizeSection(2, 20);
    EXPECT_EQ(list->header()->sectionSize(2), 170);
    EXPECT_EQ(list->toolTip(), QStringLiteral("Select Options from the menu after clicking the right mouse button"));
    window->page_host().set_language(0);
    EXPECT_EQ(page->model()->headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(),
              QString::fromUtf8(kCanIdColumnTable[5].caption.ru));
    EXPECT_EQ(page->menu_action(M::HideAccumulated)->text(), QStringLiteral("Скрыть накопленные"));

    ASSERT_TRUE(connect_controller());
    page->choose(M::Start);
    ASSERT_TRUE(running_and_rows(5));
    const CanIdTable& table = link->can_log().table();
    // The demo's extended 0C1C0000, whose bits 0-17 are clear, among them.
    ASSERT_TRUE(wait_until([&] { return table.find(can_key(0x0C1C0000, true)).has_value(); }));
    page->refresh();
    for (int r = 0; r < page->model()->rowCount(); ++r) {
        const CanRow& row = table.row(static_cast<std::size_t>(r));
        for (std::size_t c = 1; c < kCanIdColumns; ++c) {
            const QModelIndex index = page->model()->index(r, static_cast<int>(c));
            EXPECT_EQ(index.data().toString().toStdString(),
                      can_row_cell(row, static_cast<std::size_t>(r), static_cast<CanIdColumn>(c)));
            EXPECT_EQ(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
        }
        // The identifier reads as in a candump log of the same frame.
        EXPECT_TRUE(page->model()->index(r, static_cast<int>(CanIdColumn::Id)).data().toString().startsWith(
            QString::fromStdString(candump_id(row.frame) + "(")));
    }
}

TEST_F(CanLogPageTest, PopupItemsFollowTheControllerTheTableAndTheSelection) {
    start_window();
    ASSERT_TRUE(connect_controller());
    page->prepare_popup(std::nullopt);
    EXPECT_EQ(visible_items(), (std::vector<M>{M::Start, M::StartSave, M::StartSaveTab, M::StartSaveCandump,
                                               M::HideAccumulated, M::HideNotChanged, M::ShowAll, M::LearnBackground,
                                               M::HighlightChanges}));
    EXPECT_EQ(page->menu_action(M::StartSaveTab)->text(), QStringLiteral("Start and save to file with a TAB"));
    page->choose(M::Start);
    ASSERT_TRUE(running_and_rows(3));
    page->prepare_popup(std::nullopt);
    EXPECT_EQ(visible_items(), (std::vector<M>{M::Stop, M::Clear, M::HideAccumulated, M::HideNotChanged, M::ShowAll,
                                               M::LearnBackground, M::HighlightChanges}));
    click_row(1);
    page->prepare_popup(1);
    EXPECT_EQ(visible_items(), (std::vector<M>{M::Stop, M::Clear, M::HideDetails, M::HideThis, M::HideAllExcept,
                                               M::HideAccumulated, M::HideNotChanged, M::ShowAll, M::LearnBackground,
                                               M::HighlightChanges}));
    // A real right click opens the menu with the row under the pointer selected.
    const QRect rect = page->id_list()->visualRect(page->model()->index(2, 2));
    QTimer::singleShot(0, page->popup(), [this] { page->popup()->close(); });
    emit page->id_list()->customContextMenuRequested(rect.center());
    EXPECT_EQ(link->can_log().selected_row(), 2u);
    page->choose(M::Stop);
    EXPECT_EQ(link->simulator()->can_mode(), 0);
    EXPECT_FALSE(page->detail_list()->isVisible());
    ASSERT_TRUE(wait_until([this] { return !link->monitor().status().can_log_running(); }));
    page->prepare_popup(std::nullopt);
    EXPECT_EQ(visible_items(), (std::vector<M>{M::Start, M::StartSave, M::StartSaveTab, M::StartSaveCandump, M::Clear,
                                               M::HideAccumulated, M::HideNotChanged, M::ShowAll, M::LearnBackground,
                                               M::HighlightChanges}));
    page->choose(M::Clear);
    EXPECT_EQ(page->model()->rowCount(), 0);
}

TEST_F(CanLogPageTest, DetailsShownWithGaugesOverValueAndHidden) {
    start_window();
    ASSERT_TRUE(connect_controller());
    page->choose(M::Start);
    ASSERT_TRUE(running_and_rows(1));
    const CanIdTable& table = link->can_log().table();
    int row = -1;  // an identifier with eight data bytes
    for (int r = 0; r < page->model()->rowCount() && row < 0; ++r)
        if (table.row(static_cast<std::size_t>(r)).frame.data_length() == 8) row = r;
    ASSERT_GE(row, 0);
    EXPECT_FALSE(page->detail_list()->isVisible());
    click_row(row);
    CanDetailList* detail = page->detail_list();
    ASSERT_TRUE(detail->isVisible());
    ASSERT_EQ(detail->topLevelItemCount(), 8);
    const int value_left = detail->header()->sectionViewportPosition(static_cast<int>(CanDetailColumn::Value));
    const CanFrame& frame = table.row(static_cast<std::size_t>(row)).frame;
    for (int i = 0; i < 8; ++i) {
        QTreeWidgetItem* item = detail->topLevelItem(i);
        EXPECT_EQ(item->text(1), QString::number(i));
        EXPECT_EQ(item->text(2).toStdString(), can_detail_cell(frame.data()[static_cast<std::size_t>(i)], 0, CanDetailColumn::Hex));
        QProgressBar* gauge = detail->gauge(i);
        EXPECT_TRUE(gauge->isVisible());
        EXPECT_EQ(gauge->maximum(), 255);
        EXPECT_FALSE(gauge->isTextVisible());
        EXPECT_EQ(gauge->geometry().left(), value_left);
        const QRect item_rect = detail->visualItemRect(item);
        EXPECT_EQ(gauge->geometry().top(), item_rect.top());
        EXPECT_EQ(gauge->geometry().height(), item_rect.height() - 1);
    }
    // The gauges follow a column that moves.
    detail->header()->resizeSection(static_cast<int>(CanDetailColumn::Hex), 80);
    EXPECT_EQ(detail->gauge(0)->geometry().left(),
              detail->header()->sectionViewportPosition(static_cast<int>(CanDetailColumn::Value)));
    // The same row again hides the list; another row shows it; a double click hides it.
    click_row(row);
    EXPECT_FALSE(detail->isVisible());
    click_row(row);
    EXPECT_TRUE(detail->isVisible());
    QTest::mouseDClick(detail->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(detail->isVisible());
    EXPECT_FALSE(link->can_log().details_shown());
    // An identifier without data bytes shows no rows and no gauges.
    int empty = -1;
    for (int r = 0; r < page->model()->rowCount() && empty < 0; ++r)
        if (table.row(static_cast<std::size_t>(r)).frame.data_length() == 0) empty = r;
    if (empty >= 0) {
        click_row(empty);
        EXPECT_EQ(detail->topLevelItemCount(), 0);
        for (int i = 0; i < 8; ++i) EXPECT_FALSE(detail->gauge(i)->isVisible());
    }
}

TEST_F(CanLogPageTest, SaveThroughTheDialogWritesTheFileAndRemembersTheFolder) {
    start_window();
    ASSERT_TRUE(connect_controller());
    const QString path = dir.filePath(QStringLiteral("car.LOG"));
    QString title, filter;
    window->file_dialogs().set_chooser([&](FileDialogKind kind, const QString& dialog_title, const QString&, const QString& pattern) {
        EXPECT_EQ(kind, FileDialogKind::SaveCanLog);
        title = dialog_title;
        filter = pattern;
        return path;
    });
    page->choose(M::StartSave);
    EXPECT_EQ(title, QStringLiteral("Saving the File CAN log"));
    EXPECT_TRUE(filter.contains(QStringLiteral("*.LOG")));
    EXPECT_FALSE(window->busy() && !link->monitor().connected());
    ASSERT_TRUE(running_and_rows(3));
    ASSERT_TRUE(wait_until([&] { return window->status_line().contains(QStringLiteral("written to the file")); }));
    page->choose(M::Stop);
    EXPECT_FALSE(link->can_log().log_file_open());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("   1(   1)    0.000(   0.000) "));
    EXPECT_TRUE(lines[0].endsWith("]\r"));
    QSettings settings(QString::fromStdString(options.settings_path), QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("DirectoryConfig/ZEBTERVIOCANLOG")).toString(), path);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CanLogPageTest, PageFollowsTheControllerNameAndHidingStopsTheLog) {
    sim::SimMemory memory;
    memory.features = "KT";
    start_window(memory);
    ASSERT_TRUE(connect_controller());
    const int tab = window->page_control()->indexOf(window->can_log_page());
    ASSERT_TRUE(wait_until([&] { return !window->page_control()->isTabVisible(tab); }));
    // The same controller with a CAN bus after a restart.
    link->simulator()->memory().features = "CKT";
    link->simulator()->memory().serial += 1;
    window->toolbar().reset();
    ASSERT_TRUE(wait_until([&] { return window->page_control()->isTabVisible(tab); }, 8000));
    window->file_dialogs().set_chooser([this](FileDialogKind, const QString&, const QString&, const QString&) {
        return dir.filePath(QStringLiteral("hide.LOG"));
    });
    page->choose(M::StartSaveTab);
    ASSERT_TRUE(link->can_log().log_file_open());
    link->simulator()->keep_request_log(true);
    link->simulator()->memory().features = "KT";
    ASSERT_TRUE(wait_until([&] { return !window->page_control()->isTabVisible(tab); }, 3000));
    EXPECT_FALSE(link->can_log().log_file_open());
    // Mode 0 was sent (this controller now refuses it, having no CAN log any more).
    bool stop_sent = false;
    for (const Frame& f : link->simulator()->request_log())
        stop_sent = stop_sent || (f.command() == (block::kCanLog | 0x80) && f.payload()[0] == 0);
    EXPECT_TRUE(stop_sent);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CanLogPageTest, NotSupportedAndDisconnectedMessages) {
    start_window();
    page->choose(M::Start);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Controller is disconnected"));
    ASSERT_TRUE(connect_controller());
    link->simulator()->memory().features = "T";
    page->choose(M::HideNotChanged);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, QStringLiteral("This operation\nfor this firmware\nis not supported"));
    EXPECT_EQ(boxes[1].type & 0xFF, kBoxError);
}

TEST_F(CanLogPageTest, TerminalLinesOnlyWhileTheTerminalIsInFront) {
    start_window();
    ASSERT_TRUE(connect_controller());
    page->choose(M::Start);
    ASSERT_TRUE(running_and_rows(3));
    const auto can_lines = [this] {
        int n = 0;
        const QString text = window->terminal()->receive_pane()->text();
        for (const QString& line : text.split(QLatin1Char('\n')))
            if (line.contains(QStringLiteral(" CANRX "))) ++n;
        return n;
    };
    EXPECT_EQ(can_lines(), 0);
    window->page_control()->setCurrentWidget(window->terminal());
    ASSERT_TRUE(wait_until([&] { return can_lines() >= 5; }));
}

TEST_F(CanLogPageTest, RepaintsAtMostTenTimesASecond) {
    start_window();
    link->simulator()->set_can_traffic(sim::make_can_load(2000, 300));
    ASSERT_TRUE(connect_controller());
    page->choose(M::Start);
    ASSERT_TRUE(running_and_rows(100));
    const int before = page->refreshes_with_changes();
    run_for(1000);
    const int refreshes = page->refreshes_with_changes() - before;
    EXPECT_GE(refreshes, 3);
    EXPECT_LE(refreshes, 10);
}

// Frames handed to the log directly, on the simulated clock.
void feed(CanLog& log, std::uint32_t id, std::vector<std::uint8_t> data, std::uint32_t stamp) {
    log.receive(CanFrame::make(id << kCanStandardShift, false, data, stamp));
}

TEST_F(CanLogPageTest, HighlightGraphsAndPauseInTheDetails) {
    CanLog& log = start_quiet_log();
    EXPECT_TRUE(page->menu_action(M::HighlightChanges)->isChecked());
    feed(log, 0x100, {0x00, 0x10}, 1000);
    page->refresh();
    click_row(0);
    run_for(200);
    feed(log, 0x100, {0x05, 0x10}, 1200);
    page->refresh();
    CanDetailList* detail = page->detail_list();
    const int bin = static_cast<int>(CanDetailColumn::Bin);
    EXPECT_EQ(detail->topLevelItem(0)->data(bin, kRecentBitsRole).toInt(), 0x05);
    EXPECT_EQ(detail->topLevelItem(1)->data(bin, kRecentBitsRole).toInt(), 0);
    // Each byte's graph lies over "History" and tells the value and the controller's time.
    CanByteGraphWidget* graph = detail->graph(0);
    ASSERT_TRUE(graph->isVisible());
    EXPECT_EQ(graph->geometry().left(), detail->header()->sectionViewportPosition(static_cast<int>(CanDetailColumn::History)));
    EXPECT_EQ(graph->tip_at(graph->width() - 1), QStringLiteral("5 (0x05) at 1.200 s"));
    // Paused (and saying so), the graph keeps what it showed; the changes fade all the same.
    EXPECT_FALSE(page->paused_note()->isVisible());
    page->pause_button()->click();
    EXPECT_TRUE(page->pause_button()->isChecked());
    EXPECT_TRUE(page->paused_note()->isVisible());
    EXPECT_EQ(page->paused_note()->text(), QStringLiteral("Graphs paused: new values are not drawn"));
    run_for(1000);
    feed(log, 0x100, {0x07, 0x10}, 2200);
    page->refresh();
    EXPECT_EQ(graph->tip_at(graph->width() - 1), QStringLiteral("5 (0x05) at 1.200 s"));
    run_for(2500);
    EXPECT_EQ(detail->topLevelItem(0)->data(bin, kRecentBitsRole).toInt(), 0);
    // Another identifier chosen while paused shows its own values, held from then on.
    feed(log, 0x200, {0x09}, 4700);
    page->refresh();
    click_row(1);
    EXPECT_EQ(graph->tip_at(graph->width() - 1), QStringLiteral("9 (0x09) at 4.700 s"));
    feed(log, 0x200, {0x0A}, 4800);
    page->refresh();
    EXPECT_EQ(graph->tip_at(graph->width() - 1), QStringLiteral("9 (0x09) at 4.700 s"));
    window->page_host().set_language(0);
    EXPECT_EQ(page->paused_note()->text().toStdString(), can_msg::kGraphsPaused.ru);
    window->page_host().set_language(1);
    page->pause_button()->click();
    EXPECT_FALSE(page->paused_note()->isVisible());
    EXPECT_EQ(graph->tip_at(graph->width() - 1), QStringLiteral("10 (0x0A) at 4.800 s"));
    // The tick is kept in the settings.
    page->choose(M::HighlightChanges);
    EXPECT_FALSE(page->menu_action(M::HighlightChanges)->isChecked());
    QSettings settings(QString::fromStdString(options.settings_path), QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("MainSettings/CanHighlight")).toString(), QStringLiteral("0"));
}

// The details show the row the list shows as chosen: they move with the current row, and
// leave when "Show only new changes" leaves their row out.
TEST_F(CanLogPageTest, DetailsFollowTheChosenRowAndLeaveWhenItIsFilteredOut) {
    CanLog& log = start_quiet_log();
    page->choose(M::LearnBackground);
    for (std::uint32_t id : {0x100u, 0x200u, 0x300u}) feed(log, id, {static_cast<std::uint8_t>(id >> 8)}, 0);
    page->choose(M::StopLearning);
    page->refresh();
    const auto shown_hex = [this] { return page->detail_list()->topLevelItem(0)->text(static_cast<int>(CanDetailColumn::Hex)); };
    click_row(0);
    page->id_list()->setFocus();
    QTest::keyClick(page->id_list(), Qt::Key_Down);
    EXPECT_EQ(log.detail_row(), 1u);
    EXPECT_EQ(shown_hex(), QStringLiteral("02"));
    click_row(1);  // the first click on it: the details stay
    EXPECT_TRUE(page->detail_list()->isVisible());
    // Only 0x300 changes outside the background: row 1 leaves the list and the details with it.
    feed(log, 0x300, {0x13}, 100);
    page->choose(M::ShowNewChanges);
    ASSERT_EQ(page->model()->rowCount(), 1);
    EXPECT_FALSE(page->detail_list()->isVisible());
    EXPECT_FALSE(log.details_shown());
    click_row(0);
    EXPECT_EQ(shown_hex(), QStringLiteral("13"));
    // Back to every row: the same row stays shown and chosen.
    page->choose(M::ShowAll);
    ASSERT_EQ(page->model()->rowCount(), 3);
    EXPECT_EQ(log.detail_row(), 2u);
    EXPECT_EQ(page->id_list()->currentIndex().row(), 2);
}

// A hidden page does nothing and catches up when shown; a shown one tells its list only of the
// rows on the screen.
TEST_F(CanLogPageTest, RefreshesOnlyWhatIsOnTheScreen) {
    CanLog& log = start_quiet_log();
    for (std::uint32_t id = 1; id <= 300; ++id) feed(log, id, {0x00}, 0);
    page->refresh();
    QSignalSpy repainted(page->model(), &QAbstractItemModel::dataChanged);
    feed(log, 250, {0x01}, 10);  // far below the screen
    page->refresh();
    EXPECT_EQ(repainted.count(), 0);
    feed(log, 2, {0x01}, 20);
    page->refresh();
    ASSERT_EQ(repainted.count(), 1);
    EXPECT_EQ(repainted[0][0].toModelIndex().row(), 1);
    EXPECT_EQ(repainted[0][1].toModelIndex().row(), 1);

    window->page_control()->setCurrentWidget(window->terminal());
    const int refreshes = page->refreshes_with_changes();
    feed(log, 0x7FF, {0x01}, 30);
    run_for(500);
    EXPECT_EQ(page->refreshes_with_changes(), refreshes);
    EXPECT_EQ(page->model()->rowCount(), 300);
    window->page_control()->setCurrentWidget(window->can_log_page());
    EXPECT_EQ(page->model()->rowCount(), 301);
}

TEST_F(CanLogPageTest, LearnedBackgroundLeavesOnlyNewChangesFromTheKeyboard) {
    CanLog& log = start_quiet_log();
    page->choose(M::LearnBackground);
    for (std::uint8_t i = 0; i < 30; ++i) {
        feed(log, 0x100, {i}, 100u * i);
        feed(log, 0x200, {0x00}, 100u * i);
        run_for(100);
    }
    page->refresh();
    EXPECT_EQ(page->status_line()->text().toStdString(), format_pair(can_msg::kLearning, 3ul).en);
    page->prepare_popup(std::nullopt);
    EXPECT_TRUE(page->menu_action(M::StopLearning)->isVisible());
    EXPECT_FALSE(page->menu_action(M::LearnBackground)->isVisible());
    page->choose(M::StopLearning);
    feed(log, 0x100, {31}, 4000);
    feed(log, 0x200, {0x02}, 4000);  // the button
    page->choose(M::ShowNewChanges);
    ASSERT_EQ(page->model()->rowCount(), 1);
    EXPECT_EQ(page->model()->index(0, static_cast<int>(CanIdColumn::Id)).data().toString(), QStringLiteral("200( 512)"));
    EXPECT_EQ(page->status_line()->text().toStdString(), std::string(can_msg::kShowingNew.en));
    // Enter opens the details of the current row, which mark the new bit; the menu key opens the popup there.
    page->id_list()->setFocus();
    page->id_list()->setCurrentIndex(page->model()->index(0, 2));
    QTest::keyClick(page->id_list(), Qt::Key_Return);
    ASSERT_TRUE(page->detail_list()->isVisible());
    EXPECT_EQ(page->detail_list()->topLevelItem(0)->data(static_cast<int>(CanDetailColumn::Bin), kNewBitsRole).toInt(), 0x02);
    QTimer::singleShot(0, page->popup(), [this] { page->popup()->close(); });
    QContextMenuEvent menu_key(QContextMenuEvent::Keyboard, QPoint(5, 5), page->id_list()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(page->id_list(), &menu_key);
    EXPECT_EQ(log.selected_row(), 1u);
    page->choose(M::ShowAll);
    EXPECT_EQ(page->model()->rowCount(), 2);
    EXPECT_EQ(log.last_mode(), kCanModeAll);
    window->page_host().set_language(0);
    EXPECT_EQ(page->menu_action(M::ShowNewChanges)->text(), QStringLiteral("Показывать только новые изменения"));
}

// The demo bus in the page's workflow: "Start" and "Learn background" for 20 s, then the
// steering-wheel button is pressed and "Show only new changes" lists its frame alone, whatever
// else moves on the bus. With ZTV_SCREENSHOT_DIR set the page is saved while learning
// (can_log_en.png, can_log_ru.png), with the button's frame found and its details open
// (can_new_*.png) and with the popup menu (can_menu_*.png), for a person to look at.
TEST_F(CanLogPageTest, DemoBusButtonFoundAfterLearning) {
    start_window();
    ASSERT_TRUE(connect_controller());
    page->choose(M::Start);
    page->choose(M::LearnBackground);
    ASSERT_TRUE(running_and_rows(30));
    CanLog& log = link->can_log();
    int row = 0;
    while (log.table().row(static_cast<std::size_t>(row)).frame.data_length() < 8) ++row;
    click_row(row);
    run_for(18000);
    EXPECT_TRUE(page->detail_list()->isVisible());
    const QString folder = qEnvironmentVariable("ZTV_SCREENSHOT_DIR");
    const auto save = [&](QWidget* widget, const char* name, int lang) {
        if (!folder.isEmpty()) {
            EXPECT_TRUE(widget->grab().save(folder + "/" + name + (lang == 1 ? "_en.png" : "_ru.png"), "PNG"));
        }
    };
    for (const int lang : {1, 0}) {
        window->page_host().set_language(lang);
        run_for(300);
        EXPECT_EQ(page->menu_action(M::Start)->text().toStdString(),
                  pick(can_menu_entry(M::Start).caption, lang == 1 ? Lang::English : Lang::Russian));
        save(window.get(), "can_log", lang);
    }
    page->choose(M::StopLearning);
    const CanKey button = can_key(sim::kDemoButtonId << kCanStandardShift, false);
    ASSERT_TRUE(wait_until([&] { return log.background().has_new(button); }, 10000));
    run_for(500);
    page->choose(M::ShowNewChanges);
    ASSERT_EQ(page->model()->rowCount(), 1);
    EXPECT_EQ(page->model()->index(0, static_cast<int>(CanIdColumn::Id)).data().toString(), QStringLiteral("5C0(1472)"));
    click_row(0);
    EXPECT_EQ(page->detail_list()->topLevelItem(0)->data(static_cast<int>(CanDetailColumn::Bin), kNewBitsRole).toInt(), 0x04);
    for (const int lang : {1, 0}) {
        window->page_host().set_language(lang);
        run_for(300);
        save(window.get(), "can_new", lang);
        if (!folder.isEmpty()) {
            page->prepare_popup(page->model()->table_row(0));
            page->popup()->adjustSize();
            save(page->popup(), "can_menu", lang);
        }
    }
}

}  // namespace
}  // namespace ztv
