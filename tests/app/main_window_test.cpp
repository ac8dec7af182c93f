#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "app/shell_messages.h"
#include "config/parameter_pages.h"
#include "config/field_table.h"
#include "device/transport.h"
#include "diag/terminal_page.h"
#include "diag/terminal_view.h"
#include "events/slot_editor_view.h"
#include "shell_fixture.h"
#include "tools/key_board_window.h"

namespace ztv {
namespace {

using testing::ShellFixture;

// Runs check once the box that opens next is shown and placed (the box is placed from the
// event loop, after it is shown).
void after_box_placed(std::function<void()> check) {
    QTimer::singleShot(0, [check = std::move(check)] { QTimer::singleShot(0, check); });
}

class MainWindowTest : public ShellFixture {};

TEST_F(MainWindowTest, CaptionCarriesTheVersionInTheCurrentLanguage) {
    auto& form = make_form();
    form.initialise();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Программа настройки ZEB TERVIO V4. Версия 10.05"));
    form.page_host().set_language(1);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Setup program ZEB TERVIO V4. Version 10.05"));
}

TEST_F(MainWindowTest, ToolbarButtonsInOrderWithTheirHints) {
    auto& form = make_form();
    form.page_host().set_language(1);
    using C = Command;
    const Command order[] = {C::UpdateDevice, C::ReadConfig,      C::WriteConfig, C::ReadDevice,
                             C::WriteDevice,  C::ToDefault,       C::Reset,       C::OnlyUsed,
                             C::BackgroundPulls, C::Language,     C::LanguageMaker};
    form.show();
    int last_x = -1;
    for (const Command command : order) {
        QToolButton* button = form.chrome().button(command);
        ASSERT_NE(button, nullptr) << command_row(command).name;
        if (!button->isVisible()) continue;  // the hidden ones take no place
        EXPECT_GT(button->x(), last_x) << command_row(command).name;
        last_x = button->x();
    }
    EXPECT_EQ(form.chrome().button(Command::ReadConfig)->toolTip(),
              QStringLiteral("Open the device configuration file (Ctrl+O)"));
    EXPECT_EQ(form.chrome().button(Command::Reset)->toolTip(), QStringLiteral("Reset device"));
    EXPECT_EQ(form.chrome().button(Command::Language)->toolTip(), QStringLiteral("Выбор языка/Select language"));
    EXPECT_FALSE(form.chrome().button(Command::BackgroundPulls)->isVisible());
    EXPECT_FALSE(form.chrome().button(Command::LanguageMaker)->isVisible());
    EXPECT_EQ(form.chrome().strip()->toolTip(),
              QStringLiteral("Select Options from the menu after clicking the right mouse button"));
    ASSERT_NE(form.chrome().gauge(), nullptr);
    EXPECT_EQ(form.chrome().gauge()->objectName(), QStringLiteral("CGaugeProgressProcent"));
    EXPECT_FALSE(form.chrome().gauge()->isVisible());
}

TEST_F(MainWindowTest, PagesAreTerminalParametersCanLogAndParametersIsActiveAtStart) {
    auto& form = make_form();
    form.initialise();
    form.page_host().set_language(1);
    QTabWidget* pages = form.page_control();
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), QStringLiteral("Terminal"));
    EXPECT_EQ(pages->tabText(1), QStringLiteral("Parameters"));
    EXPECT_EQ(pages->tabText(2), QStringLiteral("CAN log"));
    EXPECT_EQ(pages->currentWidget(), form.parameters_page());
}

class EnablingTest : public ShellFixture {
protected:
    // The keys page's setup button is the learning tools'; a stand-in follows its rule. The
    // touch page's is the parameter pages' own.
    void add_setup_buttons(TMainForm& form) {
        keys = new QToolButton(form.parameters_page());
        form.chrome().follow_rule(keys, EnablingRule::Controller);
        touch = form.parameter_pages()->touch_calibration_button();
        ASSERT_NE(touch, nullptr);
    }
    std::vector<bool> device_buttons(TMainForm& form) {
        std::vector<bool> enabled;
        for (const Command command :
             {Command::UpdateDevice, Command::ReadDevice, Command::WriteDevice, Command::ToDefault, Command::Reset})
            enabled.push_back(form.chrome().button(command)->isEnabled());
        enabled.push_back(keys->isEnabled());
        return enabled;
    }
    QToolButton* keys = nullptr;
    QAbstractButton* touch = nullptr;
};

TEST_F(EnablingTest, WithoutControllerOnlyTheFileButtons) {
    auto& form = make_form();
    add_setup_buttons(form);
    form.set_busy(false);
    EXPECT_TRUE(form.chrome().button(Command::ReadConfig)->isEnabled());
    EXPECT_TRUE(form.chrome().button(Command::WriteConfig)->isEnabled());
    EXPECT_EQ(device_buttons(form), std::vector<bool>(6, false));
    EXPECT_FALSE(touch->isEnabled());
}

TEST_F(EnablingTest, WithControllerAllButTouchWhenCap2ResIsSelected) {
    auto& form = make_form();
    add_setup_buttons(form);
    struct Present : WindowDevice {
        bool connected() const override { return true; }
    } device;
    form.set_device(&device);
    form.set_busy(false);
    EXPECT_EQ(device_buttons(form), std::vector<bool>(6, true));
    EXPECT_TRUE(touch->isEnabled());

    set_field(state.record, FieldId::CAP2RES_NUM, 1);
    form.set_busy(false);
    EXPECT_EQ(device_buttons(form), std::vector<bool>(6, true));
    EXPECT_FALSE(touch->isEnabled());

    form.set_busy(true);
    EXPECT_TRUE(form.busy());
    EXPECT_EQ(device_buttons(form), std::vector<bool>(6, false));
    EXPECT_FALSE(form.chrome().button(Command::ReadConfig)->isEnabled());
}

TEST_F(MainWindowTest, PollingStaysOffUntilInitialisedAndNestsSuspensions) {
    auto& form = make_form();
    EXPECT_EQ(form.host().polling_suspension(), 1);
    EXPECT_FALSE(form.host().polling_running());
    form.initialise();
    EXPECT_EQ(form.host().polling_suspension(), 0);
    EXPECT_TRUE(form.host().polling_running());

    form.host().suspend_polling();
    form.host().suspend_polling();
    EXPECT_FALSE(form.host().polling_running());
    form.host().resume_polling();
    EXPECT_FALSE(form.host().polling_running());
    form.host().resume_polling();
    EXPECT_TRUE(form.host().polling_running());
    form.host().resume_polling();  // one too many: nothing happens
    EXPECT_EQ(form.host().polling_suspension(), 0);
    form.host().suspend_polling();
    EXPECT_FALSE(form.host().polling_running());
}

TEST_F(MainWindowTest, MessageBoxesSuspendPollingWhileOpen) {
    auto& form = make_form();
    form.initialise();
    answer = kIdYes;
    EXPECT_EQ(form.host().show_message(0x120, Text("Вопрос?", "Question?")), kIdYes);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, QStringLiteral("Вопрос"));
    EXPECT_EQ(boxes[0].text, QStringLiteral("Вопрос?"));
    EXPECT_FALSE(polling_during_box[0]);
    EXPECT_TRUE(form.host().polling_running());
}

TEST_F(MainWindowTest, RealBoxHasTitleIconAndNoAsDefaultForSecondButtonTypes) {
    auto& form = make_form();
    form.host().set_message_answerer(nullptr);
    form.page_host().set_language(1);
    form.show();
    QString title;
    QString default_text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QPoint box_centre;
    after_box_placed([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        icon = box->icon();
        box_centre = box->frameGeometry().center();
        default_text = box->defaultButton() ? box->defaultButton()->text() : QString();
        box->defaultButton()->click();
    });
    const int pressed = form.host().show_message(0x130, Text("Точно?", "Sure?"));
    EXPECT_EQ(pressed, kIdNo);
    EXPECT_EQ(title, QStringLiteral("Warning"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    // Centred on the main window, 50 pixels lower (halves rounded: one pixel of slack).
    const QPoint main_centre = form.frameGeometry().center();
    EXPECT_NEAR(box_centre.x(), main_centre.x(), 1);
    EXPECT_NEAR(box_centre.y(), main_centre.y() + 50, 1);

    after_box_placed([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        box->defaultButton()->click();
    });
    EXPECT_EQ(form.host().show_message(0x20, Text("Точно?", "Sure?")), kIdYes);
    EXPECT_EQ(title, QStringLiteral("Question"));

    after_box_placed([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        icon = box->icon();
        box->defaultButton()->click();
    });
    EXPECT_EQ(form.host().show_message(0x55, Text("x", "x")), kIdOk);
    EXPECT_EQ(title, QString());
    EXPECT_EQ(icon, QMessageBox::NoIcon);
}

TEST_F(MainWindowTest, FlashWithoutDurationStaysAndWithoutBlinkDoesNotBlink) {
    auto& form = make_form();
    form.host().flash_message(0, 0, Text("Стоит", "Stays"));
    run_for(300);
    EXPECT_EQ(form.chrome().strip()->caption(), QStringLiteral("Стоит"));
    EXPECT_TRUE(form.chrome().strip()->shown());
}

TEST_F(MainWindowTest, FlashBlinksByTogglingTheStrip) {
    auto& form = make_form();
    form.host().flash_message(0, 20, Text("Мигает", "Blinks"));
    EXPECT_TRUE(form.chrome().strip()->shown());
    run_for(20);
    EXPECT_FALSE(form.chrome().strip()->shown());
    run_for(20);
    EXPECT_TRUE(form.chrome().strip()->shown());
    EXPECT_EQ(form.chrome().strip()->caption(), QStringLiteral("Мигает"));
}

TEST_F(MainWindowTest, FlashDurationClearsTheStripAndStopsTheBlinking) {
    auto& form = make_form();
    form.host().flash_message(150, 20, Text("Мигает", "Blinks"));
    EXPECT_EQ(form.chrome().strip()->caption(), QStringLiteral("Мигает"));
    run_for(145);
    EXPECT_EQ(form.chrome().strip()->caption(), QStringLiteral("Мигает"));
    run_for(5);
    EXPECT_EQ(form.chrome().strip()->caption(), QString());
    EXPECT_TRUE(form.chrome().strip()->shown());  // cleared: visible and empty, no longer blinking
    run_for(60);
    EXPECT_TRUE(form.chrome().strip()->shown());
}

TEST_F(MainWindowTest, ClearFlashMessageStopsBlinking) {
    auto& form = make_form();
    form.host().flash_message(0, 10, Text("a", "a"));
    run_for(30);
    form.host().clear_flash_message();
    run_for(50);
    EXPECT_TRUE(form.chrome().strip()->shown());
    EXPECT_EQ(form.chrome().strip()->caption(), QString());
}

TEST_F(MainWindowTest, ProgressShowsTheGaugeAndTheTitleInTheStatusLine) {
    auto& form = make_form();
    form.show();
    form.host().progress_begin(10, Text("Чтение", "Reading"));
    EXPECT_TRUE(form.chrome().gauge()->isVisible());
    EXPECT_EQ(form.status_line(), QStringLiteral("Чтение"));
    form.host().progress_add(4);
    form.host().progress_add(40);
    EXPECT_EQ(form.chrome().gauge()->value(), 10);
    form.host().progress_hide();
    EXPECT_FALSE(form.chrome().gauge()->isVisible());
}

TEST_F(MainWindowTest, AWaitForTheControllerCoversTheStatusLineUntilItEnds) {
    auto& form = make_form();
    form.page_host().set_language(1);
    form.host().set_status_text(Text("Подключён", "Connected"));
    form.host().show_wait_notice(to_text(kWaitingForController));
    EXPECT_EQ(form.status_line(), QStringLiteral("Waiting for the controller..."));
    form.host().set_status_text(Text("Ошибка", "Error"));  // written while the wait lasts
    form.page_host().set_language(0);
    EXPECT_EQ(form.status_line(), QStringLiteral("Ожидание ответа контроллера..."));
    form.host().clear_wait_notice();
    EXPECT_EQ(form.status_line(), QStringLiteral("Ошибка"));
}

TEST_F(MainWindowTest, OnceClosedNoBoxIsShownAndQuestionsAreAnsweredNo) {
    auto& form = make_form();
    form.close();
    answer = kIdYes;
    EXPECT_EQ(form.host().show_message(kBoxQuestion, Text("Вопрос?", "Question?")), kIdNo);
    EXPECT_EQ(form.host().show_message(kBoxError, Text("Ошибка", "Error")), kIdOk);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, ACloseWaitsForTheExchangeUnderWayButNotForAnUnansweredOne) {
    struct Exchanging : WindowDevice {
        bool running = true;
        bool exchange_running() const override { return running; }
    } device;
    auto& hung = make_form();
    hung.set_device(&device);
    hung.host().show_wait_notice(to_text(kWaitingForController));
    hung.close();
    EXPECT_TRUE(hung.host().closing());
    hung.set_device(nullptr);

    auto& form = make_form();
    form.set_device(&device);
    form.close();
    run_for(50);
    EXPECT_FALSE(form.host().closing());
    device.running = false;
    run_for(50);
    EXPECT_TRUE(form.host().closing());
    form.set_device(nullptr);
}

TEST_F(MainWindowTest, RedrawPauseNestsAndAnExtraEndDoesNothing) {
    auto& form = make_form();
    form.page_host().begin_redraw_pause();
    form.page_host().begin_redraw_pause();
    EXPECT_FALSE(form.updatesEnabled());
    form.page_host().end_redraw_pause();
    EXPECT_FALSE(form.updatesEnabled());
    form.page_host().end_redraw_pause();
    EXPECT_TRUE(form.updatesEnabled());
    form.page_host().end_redraw_pause();
    EXPECT_EQ(form.page_host().redraw_pause_depth(), 0);
}

TEST_F(MainWindowTest, DebugClickTogglesAndHidesBothItems) {
    write_settings("[MainSettings]\nDebug=1\nLog=1\n");
    auto& form = make_form();
    form.initialise();
    EXPECT_TRUE(form.chrome().debug_item()->isVisible());
    EXPECT_TRUE(form.chrome().log_item()->isVisible());
    EXPECT_TRUE(form.chrome().log_item()->isChecked());
    form.chrome().debug_item()->trigger();
    EXPECT_FALSE(form.chrome().debug_item()->isChecked());
    EXPECT_FALSE(form.chrome().debug_item()->isVisible());
    EXPECT_FALSE(form.chrome().log_item()->isVisible());
}

class ConfigFileActionTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        make_form();
        window->file_dialogs().set_chooser([this](FileDialogKind kind, const QString& title, const QString& folder, const QString&) {
            asked.push_back(kind);
            titles.push_back(title);
            folders.push_back(folder);
            return chosen;
        });
        window->initialise();
        state.record.set_u8(100, 0x5A);
        state.record_valid = true;
    }
    QString chosen;
    std::vector<FileDialogKind> asked;
    std::vector<QString> titles;
    std::vector<QString> folders;
};

TEST_F(ConfigFileActionTest, CancelledOpenDialogChangesNothing) {
    const Record before = state.record;
    window->toolbar().open_config();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], FileDialogKind::OpenConfig);
    EXPECT_EQ(titles[0], QStringLiteral("Выбор файла конфигурации устройства"));
    EXPECT_EQ(folders[0], dir.path());
    EXPECT_EQ(state.record.raw, before.raw);
    EXPECT_TRUE(state.record_valid);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(window->chrome().strip()->caption(), QString());
    EXPECT_FALSE(window->busy());
}

TEST_F(ConfigFileActionTest, FailedOpenShowsItsErrorAndChangesNothing) {
    const Record before = state.record;
    chosen = dir.filePath(QStringLiteral("missing.ZTV"));
    window->toolbar().open_config();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type & 0xFF, kBoxError);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("missing.ZTV")));
    EXPECT_EQ(state.record.raw, before.raw);
    EXPECT_TRUE(state.record_valid);
}

TEST_F(ConfigFileActionTest, OpenReadsTheFileRemembersItsFolderAndFlashes) {
    const QString copy = dir.filePath(QStringLiteral("conf/demo.ZTV"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("conf")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZTV_SAMPLES_DIR "/demo.ZTV"), copy));
    state.record_valid = false;
    int refreshed = 0;
    test_page.on_refresh = [&] { ++refreshed; };
    window->page_host().add_page(test_page);
    chosen = copy;
    window->toolbar().open_config();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(state.record_valid);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(window->chrome().strip()->caption(), QStringLiteral("Конфигурация прочитана"));

    chosen.clear();
    window->toolbar().save_config();  // the save dialog proposes the file opened last
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[1], dir.filePath(QStringLiteral("conf/demo.ZTV")));
    EXPECT_EQ(titles[1], QStringLiteral("Сохранение файла конфигурации устройства"));
}

TEST_F(ConfigFileActionTest, FileFromTheCommandLineOpensWithoutTheDialog) {
    int refreshed = 0;
    test_page.on_refresh = [&] { ++refreshed; };
    window->page_host().add_page(test_page);
    const Record before = state.record;
    window->open_config_file(dir.filePath(QStringLiteral("missing.ZTV")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type & 0xFF, kBoxError);
    EXPECT_EQ(state.record.raw, before.raw);
    EXPECT_EQ(refreshed, 0);

    state.record_valid = false;
    window->open_config_file(QStringLiteral(ZTV_SAMPLES_DIR "/demo.ZTV"));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(state.record_valid);
    EXPECT_NE(state.record.raw, before.raw);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(window->chrome().strip()->caption(), QStringLiteral("Конфигурация прочитана"));
    EXPECT_FALSE(window->busy());
}

TEST_F(ConfigFileActionTest, FailedSaveSaysUnableToWrite) {
    window->page_host().set_language(1);
    chosen = dir.filePath(QStringLiteral("no/such/folder/x.ZTV"));
    QFile blocker(dir.filePath(QStringLiteral("no")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
    blocker.close();
    window->toolbar().save_config();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Unable to write to ") + chosen + QStringLiteral("\nThe folder does not exist"));
    EXPECT_EQ(window->chrome().strip()->caption(), QString());
}

TEST_F(ConfigFileActionTest, OpeningAFileThatHoldsNoConfigurationIsRefusedAndChangesNothing) {
    const Record before = state.record;
    chosen = dir.filePath(QStringLiteral("notes.txt"));
    QFile notes(chosen);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("Customer: Ivanov, Camry V50\n");
    notes.close();
    int refreshed = 0;
    test_page.on_refresh = [&] { ++refreshed; };
    window->page_host().add_page(test_page);
    window->toolbar().open_config();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type & 0xFF, kBoxError);
    EXPECT_EQ(boxes[0].text, QStringLiteral("В файле нет конфигурации устройства:\n") + chosen);
    EXPECT_EQ(state.record.raw, before.raw);
    EXPECT_TRUE(state.record_valid);  // the change sender keeps the controller's configuration
    EXPECT_EQ(refreshed, 0);
    EXPECT_EQ(window->chrome().strip()->caption(), QString());
}

TEST_F(MainWindowTest, RealSaveDialogHasItsTitleFilterAndFolderAndCancelGivesNothing) {
    auto& form = make_form();
    form.page_host().set_language(1);
    form.show();
    QString title;
    QStringList filters;
    QString folder;
    QString suffix;
    bool save_mode = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        folder = dialog->directory().absolutePath();
        suffix = dialog->defaultSuffix();
        save_mode = dialog->acceptMode() == QFileDialog::AcceptSave;
        dialog->reject();
    });
    EXPECT_TRUE(form.file_dialogs().ask(FileDialogKind::SaveCanLog).isEmpty());
    EXPECT_EQ(title, QStringLiteral("Saving the File CAN log"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("*.LOG (*.LOG *.log)")});
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());
    EXPECT_EQ(suffix, QStringLiteral("LOG"));
    EXPECT_TRUE(save_mode);
}

TEST_F(MainWindowTest, MissingSettingsGiveDefaultsAndCloseWritesThemBack) {
    auto& form = make_form();
    form.initialise();
    EXPECT_EQ(form.terminal()->input_height(), 64);
    EXPECT_FALSE(form.chrome().debug_item()->isChecked());
    EXPECT_FALSE(form.chrome().log_item()->isChecked());
    EXPECT_FALSE(form.chrome().only_used_item()->isChecked());
    EXPECT_EQ(form.reply_delay_ms(), 0);
    EXPECT_EQ(form.host().language(), Lang::Russian);  // system language 1049
    form.page_host().set_language(1);
    form.close();
    EXPECT_TRUE(form.host().closing());
    EXPECT_FALSE(form.host().polling_running());
    QFile file(QString::fromStdString(options.settings_path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("Lang=1"));
    EXPECT_TRUE(text.contains("TXHeight=64"));
    EXPECT_TRUE(text.contains("MainTop="));
    EXPECT_TRUE(text.contains("KeyTop=") && text.contains("KeyLeft=")) << "a picker never opened has its place too";
}

TEST_F(MainWindowTest, TheKeyPickerComesBackWhereAndAsItWasLeft) {
    write_settings("[MainSettings]\nKeyTop=40\nKeyLeft=50\nKeyVisible=1\n");
    auto& form = make_form();
    form.initialise();
    QWidget* picker = form.slot_editor()->key_picker();
    EXPECT_TRUE(picker->isVisible());
    EXPECT_EQ(picker->pos(), form.screen()->geometry().topLeft() + QPoint(50, 40));
    picker->move(picker->pos() + QPoint(7, 9));
    picker->hide();
    form.close();
    QFile file(QString::fromStdString(options.settings_path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("KeyTop=49") && text.contains("KeyLeft=57") && text.contains("KeyVisible=0")) << text.toStdString();
}

TEST_F(MainWindowTest, SettingsThatCannotBeSavedAtCloseAreReportedOnStderrAndInTheTerminalLog) {
    write_settings("[MainSettings]\r\nLang=1\r\n");
    const QString path = QString::fromStdString(options.settings_path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);  // marked read-only
    auto& form = make_form();
    form.initialise();
    ::testing::internal::CaptureStderr();
    form.close();
    const std::string err = ::testing::internal::GetCapturedStderr();
    const std::string expected = "The program settings could not be saved to " + options.settings_path +
                                 "\nPermission denied: the file or its folder is protected against writing";
    EXPECT_EQ(err, expected + "\n");
    const QString log = form.terminal()->receive_pane()->text();
    EXPECT_TRUE(log.contains(QStringLiteral("The program settings could not be saved to ") + path)) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Permission denied: the file or its folder is protected against writing")));
    EXPECT_TRUE(boxes.empty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[MainSettings]\r\nLang=1\r\n"));
}

TEST_F(MainWindowTest, StoredSettingsAreApplied) {
    write_settings("[MainSettings]\nTXHeight=120\nOnlyUsed=1\nSpeedUp=20\nLang=1\n");
    auto& form = make_form();
    form.initialise();
    EXPECT_EQ(form.terminal()->input_height(), 120);
    EXPECT_TRUE(form.chrome().only_used_item()->isChecked());
    EXPECT_TRUE(form.chrome().button(Command::OnlyUsed)->isChecked());
    EXPECT_EQ(form.reply_delay_ms(), 20);
    EXPECT_EQ(form.host().language(), Lang::English);
    EXPECT_EQ(form.chrome().button(Command::OnlyUsed)->toolTip(), QStringLiteral("Display all events and reactions"));
}

TEST_F(MainWindowTest, AnAbsurdPaneHeightLeavesTheTerminalUsableAndIsNotSavedBack) {
    write_settings("[MainSettings]\nTXHeight=2147483647\n");
    auto& form = make_form();
    form.initialise();
    form.show();
    form.page_control()->setCurrentIndex(0);
    QApplication::processEvents();
    const auto* splitter = form.findChild<QSplitter*>(QStringLiteral("SplitterTerminal"));
    ASSERT_NE(splitter, nullptr);
    ASSERT_EQ(splitter->sizes().size(), 2);
    EXPECT_GT(splitter->sizes()[0], 0) << "the received lines keep their pane";
    EXPECT_GT(splitter->sizes()[1], 0);
    EXPECT_EQ(form.terminal()->input_height(), splitter->sizes()[1]);
    form.close();
    QFile file(QString::fromStdString(options.settings_path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("TXHeight=2147483647"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, StoredPlaceIsKeptUnlessItLeavesTheScreen) {
    write_settings("[MainSettings]\nMainTop=-5\nMainLeft=10\n");
    auto& form = make_form();
    form.initialise();
    const QRect screen = form.screen()->geometry();
    const QSize size = form.frameGeometry().size();
    EXPECT_EQ(form.frameGeometry().left(), screen.left() + 10);
    EXPECT_EQ(form.frameGeometry().top(), screen.top() + screen.height() / 2 - size.height() / 2);

    QWidget companion;
    companion.resize(200, 100);
    form.place_from_settings(companion, 30, -100);  // exactly half off the left edge: kept
    EXPECT_EQ(companion.frameGeometry().topLeft(), screen.topLeft() + QPoint(-100, 30));
    form.place_from_settings(companion, 30, -101);
    EXPECT_EQ(companion.frameGeometry().left(), screen.left() + screen.width() / 2 - 100);
}

TEST_F(MainWindowTest, HiddenNButtonShowsTheNoPullsState) {
    auto& form = make_form();
    struct Toggling : WindowDevice {
        bool toggle_no_background_pulls() override { return no_pulls = !no_pulls; }
        bool no_pulls = false;
    } device;
    form.set_device(&device);
    form.on_hidden_n();
    EXPECT_EQ(form.chrome().button(Command::BackgroundPulls)->text(), QStringLiteral("N"));
    form.on_hidden_n();
    EXPECT_EQ(form.chrome().button(Command::BackgroundPulls)->text(), QStringLiteral("L"));
}

TEST_F(MainWindowTest, WaitPumpingKeepsTimersRunning) {
    auto& form = make_form();
    int fired = 0;
    // A timer of the shell due long before the wait ends fires once within it.
    ShellTimer timer(clock, nullptr);
    timer.set_single_shot(true);
    QObject::connect(&timer, &ShellTimer::timeout, [&] { ++fired; });
    timer.start(1);
    const std::uint32_t waited = wait_pumping(form.host(), 200);
    EXPECT_GE(waited, 200u);
    EXPECT_EQ(fired, 1);
}

}  // namespace
}  // namespace ztv
