// Undo and redo in the window, the unsaved-changes questions and the question of a controller
// connecting under a configuration of the user's, with the simulated controller behind it.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QAbstractButton>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "app/backups_window.h"
#include "app/compare_window.h"
#include "app/device_link.h"
#include "app/setup_options.h"
#include "app/undo_actions.h"
#include "config/config_backups.h"
#include "config/config_file.h"
#include "config/parameter_bindings.h"
#include "config/parameter_pages.h"
#include "events/slot_editor_view.h"
#include "safety_fixture.h"
#include "session/edit_steps.h"
#include "tools/key_board_window.h"
#include "widgets/slot_name_window.h"

namespace ztv {
namespace {

using UndoActionsTest = testing::SafetyFixture;

TEST_F(UndoActionsTest, ParameterEditIsUndoneAndRedoneByNameAndTheControllerFollows) {
    window->page_host().set_language(1);  // a switch announces the controller anew: first
    ASSERT_TRUE(connect_controller());
    const std::uint16_t before = state.record.long_press_ms();
    ASSERT_NE(before, 1500);
    act("Edit_PAR_LongTO", ControlKind::Edit, 0, "1500");
    EXPECT_EQ(undo->undo_item()->text(), QStringLiteral("Undo: Long press over"));
    ASSERT_TRUE(wait_until([&] { return controller().long_press_ms() == 1500; }));

    window->set_busy(true);  // an operation runs: nothing is undone under it
    EXPECT_FALSE(undo->undo_item()->isEnabled());
    undo->undo();
    EXPECT_EQ(state.record.long_press_ms(), 1500);
    window->set_busy(false);
    undo->undo_item()->trigger();
    EXPECT_EQ(state.record.long_press_ms(), before);
    EXPECT_EQ(undo->redo_item()->text(), QStringLiteral("Redo: Long press over"));
    ASSERT_TRUE(wait_until([&] { return controller().long_press_ms() == before; }));

    undo->redo_item()->trigger();
    EXPECT_EQ(state.record.long_press_ms(), 1500);
    EXPECT_TRUE(wait_until([&] { return controller().long_press_ms() == 1500; }));
    window->page_host().set_language(0);
    EXPECT_EQ(undo->undo_item()->text(), QStringLiteral("Отменить: Долгое нажатие более"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(UndoActionsTest, RedoneTouchCalibrationReachesTheController) {
    ASSERT_TRUE(connect_controller());
    const TouchBlock held = state.touch;
    state.touch[2] = static_cast<std::uint8_t>(held[2] ^ 0x5A);  // as a calibration leaves it
    const TouchBlock calibrated = state.touch;
    undo->record(to_text(step::kTouchCalibration));
    undo->undo_item()->trigger();
    EXPECT_EQ(state.touch, held);
    undo->redo_item()->trigger();
    EXPECT_TRUE(wait_until([&] { return link->simulator()->memory().touch == calibrated; }));
}

TEST_F(UndoActionsTest, TypingInOneFieldIsOneStep) {
    ASSERT_TRUE(connect_controller());
    const std::size_t steps = link->session().history().undo_count();
    for (const char* typed : {"R", "Ra", "Rad", "Radio"}) act("ValueListEditorSourceName", ControlKind::Table, 2, typed);
    EXPECT_EQ(state.record.source_name(2), "Radio");
    EXPECT_EQ(link->session().history().undo_count(), steps + 1);
    undo->undo_item()->trigger();
    EXPECT_EQ(state.record.source_name(2), "");
}

TEST_F(UndoActionsTest, KeyPickerClickIsASlotStepAndNeverTurnsAnotherReaction) {
    window->page_host().set_language(1);
    ASSERT_TRUE(connect_controller());
    SlotEditor& editor = *window->slot_editor();
    editor.select_slot(3);
    editor.open_key_picker(3);
    TFormKeyBoard* picker = editor.key_picker();
    picker->button(QStringLiteral("PanelKey4x"))->click();
    QApplication::processEvents();
    EXPECT_EQ(state.record.slot(3)[14], 4);
    EXPECT_EQ(undo->undo_item()->text(), QStringLiteral("Undo: Slot 4"));
    undo->undo_item()->trigger();
    EXPECT_EQ(state.record.slot(3)[14], 0);

    // A slot whose reaction is not a USB key: the picker leaves it and a stray click is refused.
    state.record.slot(5)[11] = 2;  // the reaction kind byte: not a USB key
    const std::vector<std::uint8_t> held(state.record.slot(5).begin(), state.record.slot(5).end());
    editor.select_slot(5);
    EXPECT_FALSE(picker->isVisible());
    picker->button(QStringLiteral("PanelKey4x"))->click();
    EXPECT_TRUE(std::ranges::equal(state.record.slot(5), held));
}

TEST_F(UndoActionsTest, CloseWithUnsavedChangesAsksAndTheUnattendedAnswerDiscards) {
    ASSERT_TRUE(connect_controller());
    link->simulator()->unplug();
    ASSERT_TRUE(wait_until([this] { return !link->monitor().connected(); }));
    act("Edit_PAR_LongTO", ControlKind::Edit, 0, "1500");
    EXPECT_TRUE(window->windowTitle().startsWith(QLatin1Char('*')));

    answer = kIdCancel;
    EXPECT_FALSE(window->close());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, kBoxQuestion | kBoxWithCancel);
    EXPECT_FALSE(window->host().closing());

    answer = unattended_answer(kBoxQuestion | kBoxWithCancel);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(window->host().closing());
}

TEST_F(UndoActionsTest, SlotRenamedIsAStepOfItsOwnName) {
    window->page_host().set_language(1);
    SlotEditor& editor = *window->slot_editor();
    editor.select_slot(2);
    TFormSlotName* names = editor.slot_name_window();
    QTimer::singleShot(0, names, [names] {
        QTest::keyClicks(names->field(), QStringLiteral("Radio"));
        QTest::keyClick(names->field(), Qt::Key_Return);
    });
    editor.rename_current_slot(QPoint(40, 40));
    ASSERT_EQ(state.slot_name(2), "Radio");
    EXPECT_EQ(undo->undo_item()->text(), QStringLiteral("Undo: Slot 3 name"));
    window->page_host().set_language(0);
    EXPECT_EQ(undo->undo_item()->text(), QStringLiteral("Отменить: Имя слота 3"));
}

TEST_F(UndoActionsTest, FirstUndoInABoxWithTypingTakesBackTheTypingNotAnOlderStep) {
    window->page_host().set_language(1);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    act("Edit_PAR_LongTO", ControlKind::Edit, 0, "1500");  // the older step
    const auto undo_key = [](QWidget* box) { QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier); };
    const auto redo_key = [](QWidget* box) { QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); };

    window->parameter_pages()->show_page(static_cast<int>(ParamPage::Keys));
    auto* edit = window->findChild<QLineEdit*>(QStringLiteral("Edit_PAR_LongTO"));
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("7"));
    undo_key(edit);
    EXPECT_EQ(edit->text(), QStringLiteral("1500"));
    EXPECT_EQ(state.record.long_press_ms(), 1500);
    redo_key(edit);
    EXPECT_EQ(edit->text(), QStringLiteral("15007"));
    undo_key(edit);
    undo_key(edit);  // no typing left: now the step
    EXPECT_NE(state.record.long_press_ms(), 1500);

    window->parameter_pages()->show_page(static_cast<int>(ParamPage::Encoders));
    act("ComboBoxEditEncoder1Mode", ControlKind::List, 1, "");  // the divider's box is usable then
    auto* spin = window->findChild<QSpinBox*>(QStringLiteral("CSpinEditEncoder1Div"));
    ASSERT_NE(spin, nullptr);
    ASSERT_TRUE(spin->isEnabled());
    const QString shown = spin->text();
    const std::size_t steps = link->session().history().undo_count();
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QStringLiteral("7"));
    ASSERT_NE(spin->text(), shown);
    undo_key(spin);
    EXPECT_EQ(spin->text(), shown);
    EXPECT_EQ(link->session().history().undo_count(), steps);
    EXPECT_EQ(link->session().history().redo_count(), 0u);
}

TEST_F(UndoActionsTest, UndoWhileACellIsTypedInLeavesTheCellShowingTheRecord) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->parameter_pages()->show_page(static_cast<int>(ParamPage::Sources));
    auto* table = window->findChild<QTableWidget*>(QStringLiteral("ValueListEditorSourceName"));
    ASSERT_NE(table, nullptr);
    table->setFocus();
    table->setCurrentCell(2, 1);
    table->editItem(table->item(2, 1));
    auto* cell = table->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(cell, nullptr);
    QTest::keyClicks(cell, QStringLiteral("Ra"));  // each change is in the record at once
    ASSERT_EQ(state.record.source_name(2), "Ra");
    QTest::keyClick(cell, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state.record.source_name(2), "");
    EXPECT_EQ(cell->text(), QString());
    table->setCurrentCell(3, 1);  // leaving the cell puts the editor's text into the table
    EXPECT_EQ(table->item(2, 1)->text(), QString());
}

TEST_F(UndoActionsTest, FileOpenedBeforeTheControllerConnectsIsWrittenToItByDefault) {
    ConfigState file;
    file.record.set_u16(0, 1234);  // the long-press time-out
    const QString path = dir.filePath(QStringLiteral("customer.ZTV"));
    ASSERT_EQ(save_config_file(path.toStdString(), file), FileWriteStatus::Ok);
    answer = unattended_answer(kBoxQuestion);
    window->open_config_file(path);  // before the first poll finds the controller
    ASSERT_EQ(state.record.long_press_ms(), 1234);

    ASSERT_TRUE(connect_controller());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("Записать показанную конфигурацию в контроллер")));
    EXPECT_EQ(state.record.long_press_ms(), 1234);
    EXPECT_EQ(controller().long_press_ms(), 1234);
    EXPECT_FALSE(link->session().unsaved());
}

TEST_F(UndoActionsTest, FileHandedOverWhileAnOperationChangesTheConfigurationAsksFirst) {
    ASSERT_TRUE(connect_controller());
    ConfigState file;
    file.record.set_u16(0, 1234);
    const QString path = dir.filePath(QStringLiteral("handed.ZTV"));
    ASSERT_EQ(save_config_file(path.toStdString(), file), FileWriteStatus::Ok);

    // As a learning run does: the file arrives under the operation, which then changes the
    // configuration and leaves it in the controller, so nothing counts as unsaved.
    answer = kIdCancel;
    window->run_toolbar_action([&] {
        window->toolbar().open_handed_over_file(QFile::encodeName(path));
        act("Edit_PAR_LongTO", ControlKind::Edit, 0, "1500");
    });
    ASSERT_TRUE(wait_until([&] { return controller().long_press_ms() == 1500 && !boxes.empty(); }));
    EXPECT_EQ(boxes[0].type, kBoxQuestion | kBoxWithCancel);
    EXPECT_EQ(state.record.long_press_ms(), 1500);

    answer = kIdNo;  // a second hand-over of the same file, now that nothing runs, opens it
    window->toolbar().open_handed_over_file(QFile::encodeName(path));
    EXPECT_EQ(state.record.long_press_ms(), 1234);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(UndoActionsTest, WriteIsBackedUpFirstShowsItsChangesAndTheBackupIsListed) {
    ASSERT_TRUE(connect_controller());
    link->simulator()->memory().record.set_u16(0, 4321);  // changed behind the window's back
    QString shown;
    int asked = 0;
    window->host().set_message_answerer([&](int type, const QString&, const QString&) {
        if (++asked > 1) return kIdYes;
        EXPECT_NE(type & kBoxShowChanges, 0);
        QTimer::singleShot(0, [&shown] {
            auto* changes = qobject_cast<CompareWindow*>(QApplication::activeModalWidget());
            if (changes == nullptr) return;
            shown = changes->text();
            changes->accept();
        });
        return kIdShowChanges;
    });
    window->on_write_device();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(shown.contains(QStringLiteral("4321"))) << shown.toStdString();
    EXPECT_EQ(controller().long_press_ms(), state.record.long_press_ms());

    const BackupListing listing = list_backups(default_backup_folder());
    ASSERT_FALSE(listing.entries.empty());
    EXPECT_EQ(listing.entries[0].serial, "40123");
    EXPECT_EQ(listing.entries[0].reason, backup_reason::kWrite);
    ConfigState backup;
    ASSERT_EQ(load_config_file(listing.entries[0].path, backup), ConfigFileStatus::Ok);
    EXPECT_EQ(backup.record.long_press_ms(), 4321);

    window->page_host().set_language(1);
    BackupsWindow backups(window->host(), window->state(), default_backup_folder());
    ASSERT_GE(backups.list()->topLevelItemCount(), 1);
    const QTreeWidgetItem* newest = backups.list()->topLevelItem(0);
    EXPECT_EQ(newest->text(2), QStringLiteral("write to the controller"));
    EXPECT_EQ(newest->text(3), QStringLiteral("yes"));
}

TEST_F(UndoActionsTest, WriteWithoutAPossibleBackupAsksAndStopsByDefault) {
    ASSERT_TRUE(connect_controller());
    testing::BackupsFolderBlocked blocked(dir.filePath(QStringLiteral("data-file")));
    const int restarts = link->simulator()->restarts();
    answer = kIdYes;  // the write's question
    window->host().set_message_answerer([&](int type, const QString& title, const QString& text) {
        boxes.push_back({type, title, text});
        return boxes.size() == 1 ? kIdYes : unattended_answer(type);
    });
    window->on_write_device();
    ASSERT_EQ(boxes.size(), 2u);  // the write's question, then the backup's
    EXPECT_TRUE(boxes[1].text.contains(QStringLiteral("резервной копии"))) << boxes[1].text.toStdString();
    EXPECT_EQ(link->simulator()->restarts(), restarts);
}

}  // namespace
}  // namespace ztv
