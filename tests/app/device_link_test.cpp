// The window with the simulated controller behind it, on the real polling timer.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/device_link.h"
#include "app/setup_options.h"
#include "config/field_table.h"
#include "diag/terminal_page.h"
#include "config/parameter_pages.h"
#include "events/slot_editor_view.h"
#include "sim/sim_firmware.h"
#include "shell_fixture.h"

namespace ztv {
namespace {

class DeviceLinkTest : public testing::ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        make_form();
        link = std::make_unique<DeviceLink>(window->device_link_shell(), state, true);
        keys = new QToolButton(window->parameters_page());
        window->chrome().follow_rule(keys, EnablingRule::Controller);
        touch = window->parameter_pages()->touch_calibration_button();
        window->initialise();
    }
    void TearDown() override {
        link.reset();
        window.reset();
    }

    bool connect_controller() {
        return wait_until([this] { return link->monitor().connected() && state.record_valid; });
    }

    std::unique_ptr<DeviceLink> link;
    QToolButton* keys = nullptr;
    QAbstractButton* touch = nullptr;  // the "Touchpanel" page's own
};

TEST_F(DeviceLinkTest, ConnectedControllerEnablesTheDeviceButtonsAndCap2ResKeepsTouchOff) {
    EXPECT_FALSE(window->chrome().button(Command::ReadDevice)->isEnabled());
    ASSERT_TRUE(connect_controller());
    // The status line names the controller once the first configuration read is over.
    ASSERT_TRUE(wait_until([this] {
        return window->chrome().button(Command::ReadDevice)->isEnabled() &&
               window->status_line().contains(QStringLiteral("ZEB-TERVIO-V4"));
    }));
    for (const Command command : {Command::UpdateDevice, Command::WriteDevice, Command::ToDefault, Command::Reset})
        EXPECT_TRUE(window->chrome().button(command)->isEnabled()) << command_row(command).name;
    EXPECT_TRUE(keys->isEnabled());
    EXPECT_EQ(get_field(state.record, FieldId::CAP2RES_NUM), 0u);
    EXPECT_TRUE(touch->isEnabled());

    set_field(state.record, FieldId::CAP2RES_NUM, 1);
    window->set_busy(false);
    EXPECT_FALSE(touch->isEnabled());
    EXPECT_TRUE(keys->isEnabled());
}

TEST_F(DeviceLinkTest, TheCurrentSourcePanelShowsWhatTheControllerReports) {
    QLabel* panel = window->slot_editor()->current_source_panel();
    EXPECT_EQ(panel->text(), QStringLiteral("Выбрано: ?"));
    EXPECT_FALSE(panel->isEnabled());
    window->page_host().set_language(1);
    EXPECT_EQ(panel->text(), QStringLiteral("Selected: ?"));
    link->simulator()->set_source_index(2);
    ASSERT_TRUE(connect_controller());
    ASSERT_TRUE(wait_until([panel] { return panel->text() == QStringLiteral("Selected: 3"); }));
    EXPECT_TRUE(panel->isEnabled());
    link->simulator()->unplug();
    ASSERT_TRUE(wait_until([panel] { return panel->text() == QStringLiteral("Selected: ?"); }));
    EXPECT_FALSE(panel->isEnabled());
}

TEST_F(DeviceLinkTest, TypedLineReachesTheControllerCutTo63Characters) {
    ASSERT_TRUE(connect_controller());
    QPlainTextEdit* input = window->terminal()->send_pane();
    input->setPlainText(QString(100, QLatin1Char('k')));
    input->moveCursor(QTextCursor::End);
    QTest::keyClick(input, Qt::Key_Return);
    ASSERT_TRUE(wait_until([this] { return !link->simulator()->terminal_input().empty(); }, 2000));
    EXPECT_EQ(link->simulator()->terminal_input().back(), std::string(63, 'k'));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DeviceLinkTest, ControllerTextAppearsInTheTerminal) {
    ASSERT_TRUE(connect_controller());
    const int before = window->terminal()->line_count();
    link->simulator()->feed_terminal_text("hello from the controller\r\n");
    ASSERT_TRUE(wait_until([&] { return window->terminal()->line_count() > before; }, 3000));
    EXPECT_TRUE(window->terminal()->receive_pane()->text().contains(QStringLiteral("hello from the controller")));
}

TEST_F(DeviceLinkTest, BusEventNumbersInControllerLinesAreShownByName) {
    ASSERT_TRUE(connect_controller());
    link->simulator()->feed_terminal_text("bus IBUS EV:3\r\n");
    TerminalView* pane = window->terminal()->receive_pane();
    ASSERT_TRUE(wait_until([&] { return pane->text().contains(QStringLiteral("bus IBUS EV:")); }, 3000));
    EXPECT_TRUE(pane->text().contains(QStringLiteral("bus IBUS EV:MFSW_MODE_PHONE")));
    EXPECT_FALSE(pane->text().contains(QStringLiteral("bus IBUS EV:3")));
}

TEST_F(DeviceLinkTest, OverlongControllerLineIsSplitAfter9999CharactersDroppingOne) {
    ASSERT_TRUE(connect_controller());
    window->terminal()->clear_receive_pane();
    link->simulator()->feed_terminal_text(std::string(10000, 'a') + "b\n");
    ASSERT_TRUE(wait_until([&] { return window->terminal()->line_count() >= 2; }, 5000));
    TerminalView* pane = window->terminal()->receive_pane();
    int long_line = -1;
    for (int i = 0; i < pane->line_count(); ++i)
        if (pane->line(i).startsWith(QStringLiteral("aaaa"))) long_line = i;
    ASSERT_GE(long_line, 0);
    EXPECT_EQ(pane->line(long_line), QString(9999, QLatin1Char('a')));
    ASSERT_LT(long_line + 1, pane->line_count());
    EXPECT_EQ(pane->line(long_line + 1), QStringLiteral("b"));
}

TEST_F(DeviceLinkTest, WriteConfigurationAskedNoSendsNothing) {
    ASSERT_TRUE(connect_controller());
    const int restarts = link->simulator()->restarts();
    answer = kIdNo;
    window->toolbar().write_device();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, kBoxQuestion | kBoxDefaultSecond | kBoxShowChanges);
    EXPECT_EQ(link->simulator()->restarts(), restarts);
    EXPECT_FALSE(window->busy());
}

TEST_F(DeviceLinkTest, ReadAndWriteConfigurationFromTheToolbar) {
    ASSERT_TRUE(connect_controller());
    window->toolbar().read_device();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(state.record_valid);
    answer = kIdYes;
    const int restarts = link->simulator()->restarts();
    window->toolbar().write_device();
    EXPECT_EQ(boxes.size(), 1u);  // the question only, no error
    EXPECT_EQ(link->simulator()->restarts(), restarts + 1);
    EXPECT_FALSE(window->busy());
}

TEST_F(DeviceLinkTest, LanguageSwitchMakesTheMonitorAnnounceTheControllerAgain) {
    ASSERT_TRUE(connect_controller());
    window->page_host().set_language(1);
    EXPECT_FALSE(link->monitor().connected());
    ASSERT_TRUE(wait_until([this] { return window->status_line().contains(QStringLiteral("is connected")); }));
}

TEST_F(DeviceLinkTest, SourcePanelFollowsTheControllersSourceAndLosesItOnDisconnection) {
    window->page_host().set_language(1);
    const QLabel* panel = window->slot_editor()->current_source_panel();
    link->simulator()->set_source_index(2);
    ASSERT_TRUE(connect_controller());
    ASSERT_TRUE(wait_until([&] { return panel->text() == QStringLiteral("Selected: 3"); }));
    EXPECT_TRUE(panel->isEnabled());
    link->simulator()->unplug();
    ASSERT_TRUE(wait_until([&] { return panel->text() == QStringLiteral("Selected: ?"); }));
    EXPECT_FALSE(panel->isEnabled());
}

TEST_F(DeviceLinkTest, FirmwareUpdateFromTheToolbarAsksForTheFileAndRemembersItsFolder) {
    ASSERT_TRUE(connect_controller());
    const QString path = dir.filePath(QStringLiteral("fw.LDR"));
    {
        const std::vector<std::uint8_t> image = sim::make_sim_firmware(1107, 4, 1024);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size()));
    }
    std::vector<QString> titles;
    std::vector<QString> folders;
    window->file_dialogs().set_chooser([&](FileDialogKind kind, const QString& title, const QString& folder, const QString&) {
        EXPECT_EQ(kind, FileDialogKind::OpenFirmware);
        titles.push_back(title);
        folders.push_back(folder);
        return path;
    });
    window->page_host().set_language(1);
    window->toolbar().update_device();
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0], QStringLiteral("The choice of device firmware update file"));
    EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0].text.toStdString());
    EXPECT_FALSE(window->busy());
    // The toolbar comes back once the new firmware runs and its configuration is read again.
    EXPECT_EQ(link->simulator()->memory().app_version, 1107u);
    EXPECT_EQ(link->monitor().status().app_version, 1107u);
    EXPECT_TRUE(state.record_valid);
    ASSERT_TRUE(connect_controller());

    window->file_dialogs().set_chooser([&](FileDialogKind, const QString&, const QString& folder, const QString&) {
        folders.push_back(folder);
        return QString();
    });
    window->toolbar().update_device();
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[1], dir.path());
}
// A file the bootloader takes but does not start: the window waits for the controller through
// its polling, says so once, and the polling that goes on meanwhile adds nothing.
TEST_F(DeviceLinkTest, FirmwareTheBootloaderDoesNotStartIsReportedOnce) {
    ASSERT_TRUE(connect_controller());
    const QString path = dir.filePath(QStringLiteral("foreign.LDR"));
    {
        const std::vector<std::uint8_t> image = make_firmware_file(1107, 4, std::vector<std::uint8_t>(500, 0x5A));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size()));
    }
    window->file_dialogs().set_chooser([&](FileDialogKind, const QString&, const QString&, const QString&) { return path; });
    window->page_host().set_language(1);
    boxes.clear();
    window->toolbar().update_device();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("The controller stayed in its bootloader: the new firmware did not start"));
    EXPECT_FALSE(window->busy());
    EXPECT_EQ(link->simulator()->mode(), sim::SimMode::Bootloader);
    run_for(1500);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(link->monitor().connected());
    EXPECT_TRUE(link->monitor().is_bootloader());
}

// Started from the application with a real-sized image: the user sees the wait for the
// bootloader, then the transfer advancing frame by frame under its title, and at the end a
// toolbar and a status line that agree with "The device is updated".
TEST_F(DeviceLinkTest, FirmwareUpdateFromTheApplicationShowsEveryStepAndEndsWithTheControllerBack) {
    ASSERT_TRUE(connect_controller());
    ASSERT_FALSE(link->monitor().is_bootloader());
    link->transport().options().reply_delay_ms = 1;  // 641 frames within a test's time
    constexpr std::size_t kBody = 40 * 1024;
    const QString path = dir.filePath(QStringLiteral("big.LDR"));
    {
        const std::vector<std::uint8_t> image = sim::make_sim_firmware(1107, 4, kBody);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size()));
    }
    window->file_dialogs().set_chooser([&](FileDialogKind, const QString&, const QString&, const QString&) { return path; });
    window->page_host().set_language(1);
    window->show();
    ASSERT_TRUE(connect_controller());

    QProgressBar* gauge = window->chrome().gauge();
    std::vector<int> values;  // every value the transfer's gauge took
    bool hidden_in_transfer = false;
    QStringList transfer_formats;
    QStringList transfer_status;
    QStringList wait_titles;
    QObject::connect(gauge, &QProgressBar::valueChanged, window.get(), [&](int value) {
        if (gauge->maximum() != static_cast<int>(kBody)) return;  // not the transfer (a configuration read)
        values.push_back(value);
        if (!gauge->isVisible()) hidden_in_transfer = true;
        if (!transfer_formats.contains(gauge->format())) transfer_formats << gauge->format();
        if (!transfer_status.contains(window->status_line())) transfer_status << window->status_line();
    });
    ShellTimer sampler(clock, nullptr);
    sampler.set_interval(10);
    QObject::connect(&sampler, &ShellTimer::timeout, window.get(), [&] {
        const bool waiting = gauge->isVisible() && gauge->maximum() == 0 && window->chrome().gauge_title()->isVisible();
        if (waiting && !wait_titles.contains(window->chrome().gauge_title()->text())) wait_titles << window->chrome().gauge_title()->text();
    });
    sampler.start();
    window->toolbar().update_device();
    sampler.stop();

    EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0].text.toStdString());
    EXPECT_EQ(wait_titles, (QStringList{QStringLiteral("Waiting for the bootloader"),
                                        QStringLiteral("Waiting for the new firmware to start")}));
    // One step of 64 bytes per frame, up to the body's length, never out of sight.
    ASSERT_EQ(values.size(), kBody / 64);
    for (std::size_t i = 0; i < values.size(); ++i) ASSERT_EQ(values[i], static_cast<int>((i + 1) * 64)) << i;
    EXPECT_FALSE(hidden_in_transfer);
    EXPECT_EQ(transfer_formats, QStringList{QStringLiteral("Firmware update: %p%")});
    // The transfer's title, and after it the note of the backup made before it.
    ASSERT_EQ(transfer_status.size(), 1);
    EXPECT_TRUE(transfer_status[0].startsWith(QStringLiteral("Firmware update   |   The controller's configuration was "
                                                             "backed up: 40123_")))
        << transfer_status[0].toStdString();

    // At the end the controller runs the new firmware, the status line names it, the toolbar
    // is usable and the gauge is gone.
    EXPECT_EQ(link->simulator()->memory().app_version, 1107u);
    EXPECT_TRUE(link->monitor().connected());
    EXPECT_FALSE(link->monitor().is_bootloader());
    EXPECT_TRUE(state.record_valid);
    EXPECT_TRUE(window->status_line().contains(QStringLiteral("is connected"))) << window->status_line().toStdString();
    for (const Command command : {Command::UpdateDevice, Command::ReadDevice, Command::WriteDevice})
        EXPECT_TRUE(window->chrome().button(command)->isEnabled()) << command_row(command).name;
    EXPECT_FALSE(gauge->isVisible());
}

TEST_F(DeviceLinkTest, DefaultsAndRestartMakeTheNextPollReadTheConfigurationAgain) {
    ASSERT_TRUE(connect_controller());
    answer = kIdYes;
    window->toolbar().to_default();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, 0x130);
    EXPECT_FALSE(state.record_valid);
    EXPECT_EQ(link->monitor().remembered_serial(), 0u);
    ASSERT_TRUE(connect_controller());

    const int restarts = link->simulator()->restarts();
    window->toolbar().reset();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(link->simulator()->restarts(), restarts + 1);
    EXPECT_FALSE(state.record_valid);
    EXPECT_FALSE(link->monitor().long_operation());
    EXPECT_FALSE(window->busy());
}

TEST_F(DeviceLinkTest, WritingTheConfigurationAndClosingStopTheCanLog) {
    ASSERT_TRUE(connect_controller());
    window->file_dialogs().set_chooser([this](FileDialogKind, const QString&, const QString&, const QString&) {
        return dir.filePath(QStringLiteral("stop.LOG"));
    });
    ASSERT_TRUE(link->can_log().start_saving(CanFileFormat::Aligned));
    ASSERT_EQ(link->simulator()->can_mode(), 1);
    ASSERT_TRUE(link->can_log().log_file_open());
    answer = kIdYes;
    window->toolbar().write_device();
    EXPECT_EQ(link->simulator()->can_mode(), 0);
    EXPECT_FALSE(link->can_log().log_file_open());

    // The write ends with a restart: start the log again once the controller is back.
    ASSERT_TRUE(wait_until([&] {
        return link->monitor().connected() && link->can_log().start_saving(CanFileFormat::Tab);
    }));
    EXPECT_TRUE(link->can_log().log_file_open());
    window->close();
    EXPECT_EQ(link->simulator()->can_mode(), 0);
    EXPECT_FALSE(link->can_log().log_file_open());
}

TEST_F(DeviceLinkTest, ClosingStopsPollingAndClosesTheDevice) {
    ASSERT_TRUE(connect_controller());
    window->close();
    EXPECT_TRUE(window->host().closing());
    EXPECT_FALSE(window->host().polling_running());
    EXPECT_FALSE(link->transport().device_open());
}

}  // namespace
}  // namespace ztv
