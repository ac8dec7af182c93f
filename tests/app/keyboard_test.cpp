// The main window by keyboard alone: toolbar keys, Tab out of the terminal, focus kept on a
// toolbar button pressed with Space, and the main popup menu by key and by a visible button.
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/shell_messages.h"
#include "app/toolbar_rules.h"
#include "diag/terminal_page.h"
#include "events/button_tab_row_widget.h"
#include "events/slot_editor_view.h"
#include "config/record.h"
#include "shell_fixture.h"

namespace ztv {
namespace {

class KeyboardTest : public testing::ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        make_form();
        window->file_dialogs().set_chooser([this](FileDialogKind kind, const QString&, const QString&, const QString&) {
            chosen.push_back(kind);
            return QString();
        });
        window->set_device(&device);
        window->page_host().set_language(1);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void press(const char* keys) {
        const QKeySequence sequence(QString::fromLatin1(keys));
        QTest::keySequence(window.get(), sequence);
    }

    void TearDown() override { window->set_device(nullptr); }

    // Counts the toolbar's device operations.
    struct CountingDevice : WindowDevice {
        bool connected() const override { return present; }
        void read_configuration() override { ++reads; }
        void write_configuration() override { ++writes; }
        void firmware_update() override { ++updates; }
        int reads = 0;
        int writes = 0;
        int updates = 0;
        bool present = true;
    };

    std::vector<FileDialogKind> chosen;
    CountingDevice device;
};

TEST_F(KeyboardTest, ToolbarKeysPressTheirButtonsAndTheHintsNameThem) {
    press("Ctrl+O");
    press("Ctrl+S");
    EXPECT_EQ(chosen, (std::vector<FileDialogKind>{FileDialogKind::OpenConfig, FileDialogKind::SaveConfig}));
    press("Ctrl+R");
    press("Ctrl+W");
    press("Ctrl+U");
    EXPECT_EQ(device.reads, 1);
    EXPECT_EQ(device.writes, 1);
    EXPECT_EQ(device.updates, 1);
    EXPECT_EQ(window->chrome().button(Command::ReadConfig)->toolTip(),
              QStringLiteral("Open the device configuration file (Ctrl+O)"));
    EXPECT_EQ(window->chrome().button(Command::UpdateDevice)->toolTip(), QStringLiteral("Firmware update (Ctrl+U)"));
    window->page_host().set_language(0);
    window->page_host().set_language(0);  // a second switch must not name the keys twice
    EXPECT_EQ(window->chrome().button(Command::WriteDevice)->toolTip(),
              QStringLiteral("Записать конфигурацию в устройство (Ctrl+W)"));
    EXPECT_EQ(window->chrome().button(Command::Reset)->toolTip(), QStringLiteral("Перезагрузить устройство"));
}

TEST_F(KeyboardTest, KeysOfLockedButtonsDoNothing) {
    device.present = false;
    window->set_busy(false);
    press("Ctrl+W");
    press("Ctrl+U");
    press("Ctrl+R");
    EXPECT_EQ(device.writes + device.updates + device.reads, 0);
    window->set_busy(true);
    press("Ctrl+O");
    EXPECT_TRUE(chosen.empty());
}

TEST_F(KeyboardTest, TabLeavesTheTerminalSendPaneWithoutTypingATab) {
    window->page_control()->setCurrentWidget(window->terminal());
    QPlainTextEdit* input = window->terminal()->send_pane();
    input->setFocus();
    ASSERT_TRUE(input->hasFocus());
    QTest::keyClicks(input, QStringLiteral("ab"));
    QTest::keyClick(input, Qt::Key_Tab);
    EXPECT_FALSE(input->hasFocus());
    EXPECT_EQ(input->toPlainText(), QStringLiteral("ab"));
}

TEST_F(KeyboardTest, SpaceOnAToolbarButtonLeavesTheFocusThereAndASecondSpacePressesItAgain) {
    QToolButton* open = window->chrome().button(Command::ReadConfig);
    QToolButton* only_used = window->chrome().button(Command::OnlyUsed);
    open->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(open->hasFocus());
    QTest::keyClick(open, Qt::Key_Space);
    EXPECT_EQ(chosen.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), open);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(chosen.size(), 2u);
    EXPECT_FALSE(only_used->isChecked());
}

TEST_F(KeyboardTest, FocusTheUserMovedDuringAnOperationStaysWhereTheUserPutIt) {
    QToolButton* open = window->chrome().button(Command::ReadConfig);
    QWidget* input = window->terminal()->send_pane();
    window->page_control()->setCurrentWidget(window->terminal());
    window->file_dialogs().set_chooser([&](FileDialogKind, const QString&, const QString&, const QString&) {
        input->setFocus(Qt::MouseFocusReason);
        return QString();
    });
    open->setFocus(Qt::TabFocusReason);
    QTest::keyClick(open, Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), input);
}

TEST_F(KeyboardTest, TheMainMenuOpensFromAVisibleButtonAtTheToolbarsEndAndFromF10) {
    QToolButton* button = window->chrome().menu_button();
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->menu(), window->chrome().main_popup());
    EXPECT_GT(button->x(), window->chrome().strip()->x());
    EXPECT_EQ(button->toolTip(), QStringLiteral("Menu (F10)"));
    EXPECT_FALSE(button->icon().isNull());

    press(command_row(Command::MainMenu).keys);
    ASSERT_TRUE(window->chrome().main_popup()->isVisible());
    // The first entry shown is active: without the undo and safety parts, "Debug".
    EXPECT_EQ(window->chrome().main_popup()->activeAction(), window->chrome().debug_item());
    // The same items as the strip's right click: the filter toggle works from here too.
    const bool before = window->chrome().only_used_item()->isChecked();
    window->chrome().only_used_item()->trigger();
    EXPECT_NE(window->chrome().button(Command::OnlyUsed)->isChecked(), before);
    window->chrome().main_popup()->close();

    window->chrome().button(Command::OnlyUsed)->setFocus();
    QTest::keyClick(window->chrome().button(Command::OnlyUsed), Qt::Key_Menu);
    EXPECT_TRUE(window->chrome().main_popup()->isVisible());
    window->chrome().main_popup()->close();
}

}  // namespace
}  // namespace ztv

namespace ztv {
namespace {

// The editor's tab rows by keyboard: the slot row selects as the cursor moves, the event-kind
// row moves its cursor and changes the slot's kind only on Space, and both keep to visible tabs.
TEST_F(KeyboardTest, TheEditorsTabRowsAreReachedAndWorkedByKeys) {
    window->page_control()->setCurrentWidget(window->parameters_page());
    SlotEditor& editor = *window->slot_editor();
    ButtonTabRow* slots_row = editor.findChild<ButtonTabRow*>(QStringLiteral("TabControlSlotsx"));
    ASSERT_NE(slots_row, nullptr);
    EXPECT_TRUE(slots_row->focusPolicy() & Qt::TabFocus);
    slots_row->setFocus();
    QTest::keyClick(slots_row, Qt::Key_Right);
    EXPECT_EQ(editor.current_slot(), 1u);
    QTest::keyClick(slots_row, Qt::Key_End);
    EXPECT_EQ(editor.current_slot(), kSlotCount - 1);
    QTest::keyClick(slots_row, Qt::Key_Right);  // the row's end: nothing moves, nothing wraps
    EXPECT_EQ(editor.current_slot(), kSlotCount - 1);
    QTest::keyClick(slots_row, Qt::Key_Home);
    EXPECT_EQ(editor.current_slot(), 0u);
    EXPECT_TRUE(slots_row->tab(0)->property("keyCursor").toBool());
    EXPECT_FALSE(slots_row->tab(static_cast<int>(kSlotCount) - 1)->property("keyCursor").toBool());
    // The menu key opens the slot menu below the tab under the cursor, wherever the pointer is.
    QContextMenuEvent menu_key(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
    QApplication::sendEvent(slots_row, &menu_key);
    ASSERT_TRUE(editor.slot_menu()->isVisible());
    EXPECT_GE(editor.slot_menu()->pos().y(), slots_row->tab(0)->mapToGlobal(QPoint(0, 0)).y());
    editor.slot_menu()->hide();

    ButtonTabRow* kinds = editor.event_tabs();
    const std::uint8_t kind_before = state.record.slot(0)[0];
    kinds->setFocus();
    EXPECT_FALSE(slots_row->tab(0)->property("keyCursor").toBool()) << "the mark leaves with the focus";
    const int first = kinds->cursor();
    QTest::keyClick(kinds, Qt::Key_Right);
    QTest::keyClick(kinds, Qt::Key_Right);
    EXPECT_EQ(kinds->cursor(), first + 2);
    EXPECT_EQ(state.record.slot(0)[0], kind_before) << "moving the cursor leaves the slot alone";
    EXPECT_EQ(kinds->current(), first);
    QTest::keyClick(kinds, Qt::Key_Space);
    EXPECT_EQ(kinds->current(), first + 2);
    EXPECT_NE(state.record.slot(0)[0], kind_before);
}

}  // namespace
}  // namespace ztv
