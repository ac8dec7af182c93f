// The button grid and the two procedure buttons in the window, with the simulated controller
// behind it on the real polling timer.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QTabBar>
#include <QTabWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QMouseEvent>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <QAction>
#include <QStackedWidget>

#include "app/device_link.h"
#include "app/learning_tools_view.h"
#include "app/undo_actions.h"
#include "app/shell_fixture.h"
#include "config/field_table.h"
#include "config/parameter_bindings.h"
#include "config/parameter_pages.h"
#include "events/button_drop_helper.h"
#include "events/editor_controls_widget.h"
#include "events/slot_editor_view.h"
#include "tools/button_grid_widget.h"

namespace ztv {
namespace {

class LearningToolsTest : public testing::ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        make_form();
        link = std::make_unique<DeviceLink>(window->device_link_shell(), state, true);
        tools = add_learning_tools(window->learning_tools_shell(), *link);
        // The "Touchpanel" page's own controls.
        touch = qobject_cast<QToolButton*>(window->parameter_pages()->touch_calibration_button());
        inset = window->findChild<QCheckBox*>(QStringLiteral("CheckBoxTouchDXY"));
        pages = window->parameter_pages();
        window->initialise();
        window->page_host().set_language(1);
        window->resize(900, 700);
        window->show();
        grid = tools->grid_widget();
        // The grid lives on a page of its own ("Keys", or the stand-in panel): bring it in sight
        // so that clicks reach it.
        for (QWidget* w = grid; w != nullptr && w->parentWidget() != nullptr; w = w->parentWidget())
            if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget())) stack->setCurrentWidget(w);
        QApplication::processEvents();  // lay the page out before the tests measure cells
    }
    void TearDown() override {
        link.reset();
        window.reset();
    }

    bool connect_controller() {
        return wait_until([this] { return link->monitor().connected() && state.record_valid; }, 8000);
    }    QPoint centre(unsigned column, unsigned row) const { return grid->cell_rect({column, row}).center(); }
    void learned(unsigned channel, unsigned row, std::uint16_t code, const char* name = "") {
        state.record.set_u16(Record::button_offset(channel, row - 1), code);
        state.record.set_button_name(channel, row - 1, name);
    }
    // Names a cell through the editor the way a user does: double-click, type, Enter, then the
    // polling tick commits.
    void type_name(unsigned column, unsigned row, const char* text) {
        QTest::mouseDClick(grid, Qt::LeftButton, Qt::NoModifier, centre(column, row));
        ASSERT_TRUE(grid->editor_open());
        link->commit_pending_edit();  // a tick sees the editor open
        grid->editor()->selectAll();
        QTest::keyClicks(grid->editor(), QString::fromUtf8(text));
        QTest::keyClick(grid->editor(), Qt::Key_Return);
        link->commit_pending_edit();
    }
    void hover(const QPoint& pos) {
        QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(grid->mapToGlobal(pos)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(grid, &move);
    }
    bool has_code_near(unsigned channel, int code) const {
        for (std::size_t e = 0; e < kButtonsPerChannel; ++e)
            if (std::abs(state.record.button_code(channel, e) - code) <= 4) return true;
        return false;
    }
    QMenu* shared_popup() const { return window->findChild<QMenu*>(QStringLiteral("PopupMenuShared")); }

    std::unique_ptr<DeviceLink> link;
    LearningTools* tools = nullptr;
    QToolButton* touch = nullptr;
    QCheckBox* inset = nullptr;
    ParameterPages* pages = nullptr;
    ButtonGridWidget* grid = nullptr;
};

TEST_F(LearningToolsTest, NamingInPlaceStoresTheNameAndRefusesADuplicate) {
    learned(0, 1, 900);
    learned(1, 1, 1700, "Mute");
    window->page_host().refresh_pages();
    type_name(0, 1, "Volume+");
    EXPECT_EQ(state.record.button_name(0, 0), "Volum");
    EXPECT_EQ(tools->grid().text(0, 1), "Volum");
    EXPECT_FALSE(grid->selection().has_value());
    EXPECT_TRUE(boxes.empty());

    type_name(0, 1, "Mute");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("The name \"Mute\"\nis already assigned\nPlease enter a different name"));
    EXPECT_EQ(boxes[0].title, QStringLiteral("Information"));
    EXPECT_EQ(tools->grid().text(0, 1), "Volum");
    EXPECT_EQ(state.record.button_name(0, 0), "Volum");
}

// Without a mouse: the arrows select cells, F2 opens the name editor on the selected one and
// the menu key its popup.
TEST_F(LearningToolsTest, TheArrowsSelectACellThatF2NamesAndTheMenuKeyOffers) {
    learned(1, 1, 900);
    learned(1, 2, 1400);
    window->page_host().refresh_pages();
    grid->setFocus();
    learned(0, 3, 2000);
    window->page_host().refresh_pages();
    QTest::keyClick(grid, Qt::Key_Down);  // the first arrow: the first learned button
    QTest::keyClick(grid, Qt::Key_Right);  // channel 2, on its row nearest row 3: row 2
    QTest::keyClick(grid, Qt::Key_Down);  // nothing learned below: the selection stays
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Up);  // the header is not a cell: the selection stays
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_F2);
    ASSERT_TRUE(grid->editor_open());
    link->commit_pending_edit();
    grid->editor()->selectAll();
    QTest::keyClicks(grid->editor(), QStringLiteral("Seek"));
    QTest::keyClick(grid->editor(), Qt::Key_Return);
    link->commit_pending_edit();
    EXPECT_EQ(state.record.button_name(1, 1), "Seek");  // channel 2, row 2

    // The menu key offers the selected cell's popup, as a right-click on it does.
    if (!grid->selection()) QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_TRUE(grid->selection().has_value());
    QContextMenuEvent menu_key(QContextMenuEvent::Keyboard, QPoint(0, 0), grid->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(grid, &menu_key);
    QMenu* menu = shared_popup();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(window->chrome().popup_context(), kPopupDeleteKey);
    menu->hide();
}

// What a drag does, by keyboard: Enter on a learned button offers it as the slot's "Button" or
// "Mod", under the drop rules.
TEST_F(LearningToolsTest, EnterOnALearnedButtonAssignsItToTheSlotWithoutTheMouse) {
    window->page_host().set_language(1);
    learned(1, 2, 1400);
    state.record.slot(0)[4] = 1;  // slot 1 has a "Mod" on channel 2 already
    state.record.slot(0)[5] = 1;
    window->page_host().refresh_pages();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    QMenu* menu = tools->use_menu();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->actions().at(0)->text(), QStringLiteral("Use as Button of slot 1"));
    EXPECT_FALSE(menu->actions().at(0)->isEnabled()) << "a key and its modifier lie on different channels";
    EXPECT_TRUE(menu->actions().at(1)->isEnabled());
    menu->actions().at(1)->trigger();
    menu->hide();
    EXPECT_EQ(state.record.slot(0)[4], 2);  // row 2 of channel 2
    EXPECT_EQ(state.record.slot(0)[5], 1);
}

// The mouse's popup on a learned button offers the same entries, under the same rules.
TEST_F(LearningToolsTest, ThePopupOfALearnedButtonAssignsItToTheSlot) {
    window->page_host().set_language(1);
    learned(1, 2, 1400);
    state.record.slot(0)[4] = 1;  // slot 1 has a "Mod" on channel 2 already
    state.record.slot(0)[5] = 1;
    window->page_host().refresh_pages();
    QTest::mouseClick(grid, Qt::RightButton, Qt::NoModifier, centre(1, 2));
    QMenu* menu = shared_popup();
    ASSERT_TRUE(menu->isVisible());
    QStringList offered;
    for (QAction* item : menu->actions())
        if (item->isVisible() && !item->isSeparator()) offered << item->text() + (item->isEnabled() ? "" : " (off)");
    EXPECT_EQ(offered, (QStringList{"Delete this key", "Use as Button of slot 1 (off)", "Use as Mod of slot 1"}));
    menu->actions().last()->trigger();
    menu->hide();
    EXPECT_EQ(state.record.slot(0)[4], 2);
    EXPECT_EQ(state.record.button_code(1, 1), 1400);  // the key itself stays
}

// Tab walks the Keys page as it stands: its fields, the learn button, the grid, then the editor,
// and never stops where nothing shows the focus (a page's scroll area, the tab row's arrows).
TEST_F(LearningToolsTest, TabReachesTheLearnButtonAndTheGridAfterTheKeysPageFields) {
    ASSERT_TRUE(connect_controller());
    pages->show_page(static_cast<int>(ParamPage::Keys));
    QApplication::setActiveWindow(window.get());
    auto* renault = window->findChild<QWidget*>(QStringLiteral("ComboBoxRenaultJoyType"));
    ASSERT_NE(renault, nullptr);
    QStringList stops;
    for (QWidget* w = window->findChild<QWidget*>(QStringLiteral("PageControlParameters")); stops.size() < 12;) {
        w = w->nextInFocusChain();
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) {
            EXPECT_EQ(qobject_cast<QAbstractScrollArea*>(w), nullptr) << w->objectName().toStdString();
            EXPECT_NE(w->objectName(), QStringLiteral("ScrollRightButton"));
            stops << w->objectName();
        }
    }
    const qsizetype at = stops.indexOf(QStringLiteral("ComboBoxRenaultJoyType"));
    ASSERT_GE(at, 0) << stops.join(u' ').toStdString();
    EXPECT_EQ(stops.value(at + 1), QStringLiteral("SpeedButtonKeysSetup"));
    EXPECT_EQ(stops.value(at + 2), QStringLiteral("StringGridKeysx"));
}

TEST_F(LearningToolsTest, EscapeKeepsTheOldNameAndEncoderCellsDoNotOpen) {
    learned(2, 3, 2500, "Src");
    set_field(state.record, FieldId::ENC0MODE, 1);
    window->page_host().refresh_pages();
    QTest::mouseDClick(grid, Qt::LeftButton, Qt::NoModifier, centre(2, 3));
    ASSERT_TRUE(grid->editor_open());
    QTest::keyClicks(grid->editor(), QStringLiteral("X"));
    QTest::keyClick(grid->editor(), Qt::Key_Escape);
    link->commit_pending_edit();
    EXPECT_EQ(state.record.button_name(2, 2), "Src");
    QTest::mouseDClick(grid, Qt::LeftButton, Qt::NoModifier, centre(4, 1));
    EXPECT_FALSE(grid->editor_open());
    EXPECT_EQ(tools->grid().text(4, 1), "Enc1+");
}

TEST_F(LearningToolsTest, NamesTypedInTheGridGoIntoTheRecordBeforeASave) {
    learned(3, 2, 3100);
    window->page_host().refresh_pages();
    grid->select({3, 2});
    ASSERT_TRUE(grid->open_editor());
    grid->editor()->setText(QStringLiteral("Next"));
    grid->close_editor();  // closed, but no tick has committed it yet
    EXPECT_EQ(state.record.button_name(3, 1), "");
    window->file_dialogs().set_chooser([](FileDialogKind, const QString&, const QString&, const QString&) { return QString(); });
    window->toolbar().save_config();  // the dialog is cancelled; the names are stored first all the same
    EXPECT_EQ(state.record.button_name(3, 1), "Next");
}

TEST_F(LearningToolsTest, DeleteThisKeyFromTheSharedPopupClearsTheEntryAndItsEvents) {
    learned(0, 2, 1200);
    learned(1, 1, 400);
    state.record.slot(0)[2] = 2;  // slot 1: key channel 0 row 2, modifier channel 1 row 1
    state.record.slot(0)[4] = 1;
    state.record.slot(0)[5] = 1;
    window->page_host().refresh_pages();
    int descriptions = 0;
    tools->set_description_redraw([&] { ++descriptions; });
    QTest::mouseClick(grid, Qt::RightButton, Qt::NoModifier, centre(0, 2));
    QMenu* menu = shared_popup();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->actions().at(0)->text(), QStringLiteral("Delete this key"));
    EXPECT_FALSE(menu->actions().at(1)->isVisible());
    EXPECT_EQ(window->chrome().popup_context(), kPopupDeleteKey);
    menu->actions().at(0)->trigger();
    menu->hide();
    EXPECT_EQ(state.record.button_code(0, 1), 0);
    EXPECT_EQ(tools->grid().text(0, 2), "");
    EXPECT_EQ(state.record.slot(0)[2], 0);
    EXPECT_EQ(state.record.slot(0)[4], 1);
    EXPECT_EQ(window->chrome().popup_context(), 0);
    EXPECT_EQ(descriptions, 1);
}

TEST_F(LearningToolsTest, DeleteAChannelFromItsHeaderLeavesEventsAlone) {
    learned(1, 1, 400);
    learned(1, 2, 1400);
    state.record.slot(5)[2] = 2;
    state.record.slot(5)[3] = 1;
    window->page_host().refresh_pages();
    int descriptions = 0;
    tools->set_description_redraw([&] { ++descriptions; });
    QTest::mouseClick(grid, Qt::RightButton, Qt::NoModifier, centre(0, 0));
    EXPECT_FALSE(shared_popup()->isVisible());  // channel 1 has no buttons: no menu
    QTest::mouseClick(grid, Qt::RightButton, Qt::NoModifier, centre(1, 0));
    ASSERT_TRUE(shared_popup()->isVisible());
    EXPECT_EQ(shared_popup()->actions().at(0)->text(), QStringLiteral("Delete all buttons of the channel 2"));
    shared_popup()->actions().at(0)->trigger();
    shared_popup()->hide();
    EXPECT_FALSE(channel_has_buttons(state.record, 1));
    EXPECT_EQ(state.record.slot(5)[2], 2);
    EXPECT_EQ(descriptions, 0);
}

TEST_F(LearningToolsTest, HoverShowsTheHintAndTheLanguageSwitchRenamesTheHeaders) {
    learned(0, 1, 900);
    state.record.set_u16(Record::button_offset(0, 0) + 2, 300);
    window->page_host().refresh_pages();
    EXPECT_EQ(grid->hover_at(centre(0, 1)).hint.in(Lang::English), "Channel 1, code 900 (limit 300)");
    hover(centre(0, 1));
    EXPECT_EQ(grid->cursor().shape(), Qt::PointingHandCursor);
    hover(centre(0, 5));
    EXPECT_EQ(grid->cursor().shape(), Qt::ForbiddenCursor);
    hover(centre(0, 0));
    EXPECT_EQ(grid->cursor().shape(), Qt::WhatsThisCursor);
    // The headers are drawn from the same core texts in the language in force.
    QImage english = grid->grab().toImage();
    window->page_host().set_language(0);
    QImage russian = grid->grab().toImage();
    const QRect header = grid->cell_rect({0, 0});
    EXPECT_NE(english.copy(header), russian.copy(header));
}

// A learned button dragged from the grid lands on the editor's "Button" and "Mod" fields of
// the current slot, under the editor's rules; empty cells and unused encoders start no drag.
TEST_F(LearningToolsTest, ADragFromTheGridLandsOnTheEditorsButtonAndModFields) {
    learned(2, 4, 2800, "Mute");
    learned(0, 1, 900);
    set_field(state.record, FieldId::ENC1MODE, 2);
    window->page_host().refresh_pages();
    SlotEditor& editor = *window->slot_editor();
    editor.select_slot(5);
    const auto drop = [&](const char* target, GridCell cell) {
        std::unique_ptr<QMimeData> data(grid->drag_data(cell));
        if (data == nullptr) return 99;
        auto* control = dynamic_cast<ButtonDropControl*>(editor.control(target));
        if (control == nullptr) return 98;
        return testing::drag_over_target(*control, *data, true);
    };
    EXPECT_EQ(drop("PanelKeyx", {2, 5}), 99) << "an empty cell is no button";
    EXPECT_EQ(drop("PanelKeyx", {4, 1}), 99) << "encoder 1 is not in use";
    EXPECT_EQ(drop("PanelKeyx", {2, 4}), 1) << "a learned key shows green";
    EXPECT_EQ(state.record.slot(5)[2], 4);
    EXPECT_EQ(state.record.slot(5)[3], 2);
    const auto* key_label = qobject_cast<QLabel*>(editor.control("PanelKeyx")->input());
    ASSERT_NE(key_label, nullptr);
    EXPECT_EQ(key_label->text(), QStringLiteral("Mute"));  // the slot is redrawn with the key's name
    EXPECT_EQ(drop("PanelKeyModx", {2, 4}), -1) << "a modifier on the main button's channel shows red";
    EXPECT_EQ(state.record.slot(5)[4], 0);
    EXPECT_EQ(drop("PanelKeyModx", {0, 1}), 1);
    EXPECT_EQ(state.record.slot(5)[4], 1);
    EXPECT_EQ(state.record.slot(5)[5], 0);
    // The encoder in use may be the main button, never the modifier.
    EXPECT_EQ(drop("PanelKeyModx", {4, 4}), -1);
}

TEST_F(LearningToolsTest, LearningRunsInTheWindowAndTheStartButtonStops) {
    ASSERT_TRUE(connect_controller());
    UndoActions undo(window->undo_actions_shell(), link->session());
    sim::SimController& controller = *link->simulator();
    const std::uint32_t now = window->host().tick_ms();
    controller.hold_button(0, 1500, now + 2600, now + 3300);
    controller.hold_button(2, 3000, now + 3400, now + 3900);
    answer = kIdYes;
    bool others_locked = false;
    bool own_enabled = false;
    bool highlighted = false;
    bool shows_how_to_stop = false;
    ShellTimer probe(clock, nullptr);
    QObject::connect(&probe, &ShellTimer::timeout, [&] {
        if (!tools->learning().running()) return;
        others_locked = !window->chrome().button(Command::ReadDevice)->isEnabled();
        own_enabled = tools->keys_button()->isEnabled();
        shows_how_to_stop = shows_how_to_stop || (tools->keys_button()->isChecked() &&
                                                  tools->keys_button()->toolTip().contains(QStringLiteral("Press this button again")));
        tools->on_touch_button(false);  // one procedure at a time: nothing starts
        highlighted = highlighted || tools->grid().highlighted(2, 1);
        if (window->host().tick_ms() - now > 4300) tools->keys_button()->click();  // stop
    });
    probe.start(50);
    tools->keys_button()->click();
    probe.stop();
    EXPECT_EQ(tools->learning().last_end(), LearningEnd::Stopped);
    EXPECT_EQ(tools->calibration().last_end(), CalibrationEnd::None);
    EXPECT_TRUE(tools->learning().written());
    EXPECT_TRUE(others_locked);
    EXPECT_TRUE(own_enabled);
    EXPECT_TRUE(shows_how_to_stop);
    EXPECT_FALSE(tools->keys_button()->isChecked());
    EXPECT_EQ(tools->keys_button()->toolTip(), QStringLiteral("Button settings"));
    EXPECT_TRUE(highlighted);
    // The demo presses its own buttons on channels 1 and 2 meanwhile; channel 3 is ours alone.
    EXPECT_TRUE(has_code_near(0, 1500));
    EXPECT_NEAR(state.record.button_code(2, 0), 3000, 4);
    EXPECT_EQ(state.record.button_code(2, 1), 0);
    EXPECT_TRUE(std::equal(state.record.data(), state.record.data() + 550, controller.memory().record.data()));
    EXPECT_TRUE(window->chrome().button(Command::ReadDevice)->isEnabled());
    EXPECT_FALSE(window->toolbar_operation_running());
    EXPECT_FALSE(window->chrome().gauge()->isVisible()) << "the final writes' progress ends with the procedure";
    EXPECT_EQ(window->chrome().strip()->caption(), QStringLiteral("Customize Buttons completed successfully"));
    EXPECT_EQ(undo.undo_item()->text(), QStringLiteral("Undo: Button learning"));
}

TEST_F(LearningToolsTest, CalibrationLocksThePagesWhileItRuns) {
    ASSERT_TRUE(connect_controller());
    UndoActions undo(window->undo_actions_shell(), link->session());
    link->simulator()->set_calibration_states({{1, 300}, {0x81, 200}, {3, 300}});
    answer = kIdYes;
    inset->setChecked(true);
    bool touch_enabled_while_running = false;
    bool pages_locked_while_running = false;
    bool inset_disabled_while_running = false;
    ShellTimer probe(clock, nullptr);
    QObject::connect(&probe, &ShellTimer::timeout, [&] {
        if (!tools->calibration().running()) return;
        touch_enabled_while_running = touch->isEnabled();
        pages_locked_while_running = pages->locked() && !pages->tabBar()->isEnabled();
        inset_disabled_while_running = !inset->isEnabled();
    });
    probe.start(50);
    touch->click();
    probe.stop();
    EXPECT_EQ(tools->calibration().last_end(), CalibrationEnd::Succeeded);
    EXPECT_TRUE(touch_enabled_while_running);
    EXPECT_TRUE(pages_locked_while_running);
    EXPECT_TRUE(inset_disabled_while_running);
    EXPECT_FALSE(pages->locked());
    EXPECT_TRUE(pages->tabBar()->isEnabled());
    EXPECT_TRUE(inset->isEnabled());
    EXPECT_EQ(state.touch, link->simulator()->memory().touch);
    EXPECT_EQ(undo.undo_item()->text(), QStringLiteral("Undo: Touch calibration"));
    EXPECT_EQ(state.touch[0], 1);  // the inset box was ticked
}

}  // namespace
}  // namespace ztv
