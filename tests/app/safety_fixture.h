// The window with the simulated controller behind it and undo in place: the fixture of the
// safety net's tests (undo, the unsaved mark, backups, comparisons).
#pragma once

#include <QApplication>
#include <QFile>

#include <memory>

#include "app/device_link.h"
#include "app/setup_options.h"
#include "app/undo_actions.h"
#include "config/config_backups.h"
#include "config/config_file.h"
#include "config/parameter_pages.h"
#include "shell_fixture.h"

namespace ztv::testing {

class SafetyFixture : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        // Backups of this test's own, so that it counts only its own.
        saved_data_home = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        make_form();
        link = std::make_unique<DeviceLink>(window->device_link_shell(), state, true);
        window->initialise();
        undo = std::make_unique<UndoActions>(window->undo_actions_shell(), link->session());
    }
    void TearDown() override {
        undo.reset();
        link.reset();
        window.reset();
        qputenv("XDG_DATA_HOME", saved_data_home);
    }
    bool connect_controller() {
        return wait_until([this] { return link->monitor().connected() && state.record_valid && !window->busy(); });
    }
    // The controller's own record, as the simulated controller holds it.
    const Record& controller() { return link->simulator()->memory().record; }
    void act(const char* control, ControlKind kind, std::int64_t value, const char* text) {
        window->parameter_pages()->act({control, kind, value, text});
        QApplication::processEvents();
    }
    // A configuration file whose long-press time-out is `long_press`.
    QString file_with_long_press(const char* name, std::uint16_t long_press) {
        ConfigState file;
        file.record.set_u16(0, long_press);
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_EQ(save_config_file(path.toStdString(), file), FileWriteStatus::Ok);
        return path;
    }
    std::size_t backup_count() { return list_backups(default_backup_folder()).entries.size(); }

    std::unique_ptr<DeviceLink> link;
    std::unique_ptr<UndoActions> undo;
    QByteArray saved_data_home;
};

// The backups folder made unusable (its parent is a file) for the test's lifetime.
class BackupsFolderBlocked {
public:
    explicit BackupsFolderBlocked(const QString& not_a_folder) : saved_(qgetenv("XDG_DATA_HOME")) {
        QFile file(not_a_folder);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        qputenv("XDG_DATA_HOME", not_a_folder.toLocal8Bit());
    }
    ~BackupsFolderBlocked() { qputenv("XDG_DATA_HOME", saved_); }
    BackupsFolderBlocked(const BackupsFolderBlocked&) = delete;
    BackupsFolderBlocked& operator=(const BackupsFolderBlocked&) = delete;

private:
    QByteArray saved_;
};

}  // namespace ztv::testing
