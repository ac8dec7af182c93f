#include "app/toolbar_actions.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <utility>

#include "app/file_dialogs.h"
#include "app/page_host.h"
#include "app/shell_clock.h"
#include "app/shell_host.h"
#include "app/window_device.h"
#include "app/window_operations.h"
#include "app/shell_messages.h"
#include "config/config_file.h"
#include "config/config_history.h"
#include "config/config_messages.h"

namespace ztv {

ToolbarActions::ToolbarActions(const ToolbarActionsShell& shell, ConfigState& state)
    : QObject(&shell.host.window()), shell_(shell), state_(state) {
    retry_ = new ShellTimer(shell_.host.clock(), this);
    retry_->set_single_shot(true);
    connect(retry_, &ShellTimer::timeout, this, &ToolbarActions::open_pending_file);
}

void ToolbarActions::run(Command command) {
    switch (command) {
        case Command::UpdateDevice: return update_device();
        case Command::ReadConfig: return open_config();
        case Command::WriteConfig: return save_config();
        case Command::ReadDevice: return read_device();
        case Command::WriteDevice: return write_device();
        case Command::ToDefault: return to_default();
        case Command::Reset: return reset();
        case Command::Language: shell_.pages.set_language(shell_.pages.language() == Lang::Russian ? 1 : 0); return;
        case Command::Russian: shell_.pages.set_language(0); return;
        case Command::English: shell_.pages.set_language(1); return;
        case Command::MainMenu:         // opens the menu: the chrome's own
        case Command::Debug:            // the window's own switches (app/main_window_actions.cpp)
        case Command::BackgroundPulls:
        case Command::Log:
        case Command::OnlyUsed:
        case Command::LanguageMaker:  // shown nowhere: this version makes no language files
        case Command::WriteNow:
        case Command::Undo:
        case Command::Redo:
        case Command::CompareFile:
        case Command::CompareController:
        case Command::Backups: return;
    }
}

void ToolbarActions::open_config() {
    shell_.operations.run_toolbar_action([this] {
        const QString path = shell_.files.ask(FileDialogKind::OpenConfig);
        if (!path.isEmpty()) load_config(QFile::encodeName(path));
    });
}

void ToolbarActions::open_config_file(const QByteArray& path) {
    shell_.operations.run_toolbar_action([this, &path] {
        if (!path.isEmpty()) load_config(path);
    });
}

void ToolbarActions::open_handed_over_file(const QByteArray& path) {
    QWidget& window = shell_.host.window();
    if (window.isMinimized()) window.showNormal();
    window.raise();
    window.activateWindow();
    pending_open_ = path;  // of several requests in a row the last one counts
    if (!pending_retry_) open_pending_file();
}

void ToolbarActions::open_pending_file() {
    pending_retry_ = false;
    if (pending_open_.isEmpty() || shell_.host.closing()) return;
    // Not in the middle of a device operation, and not under a box or a dialog that is
    // waiting for the user: the file would pull the record from under them.
    if (shell_.operations.toolbar_operation_running() || shell_.operations.busy() || QApplication::activeModalWidget() != nullptr) {
        if (!shown_when_handed_over_) shown_when_handed_over_ = take_snapshot(state_);
        pending_retry_ = true;
        retry_->start(250);
        return;
    }
    const QByteArray path = std::exchange(pending_open_, QByteArray());
    const bool changed_meanwhile =
        shown_when_handed_over_ && !same_configuration(*shown_when_handed_over_, take_snapshot(state_));
    shown_when_handed_over_.reset();
    shell_.operations.run_toolbar_action([this, &path, changed_meanwhile] { load_config(path, changed_meanwhile); });
}

void ToolbarActions::load_config(const QByteArray& path, bool changed_meanwhile) {
    if (EditHistory* edits = shell_.operations.edit_history(); edits != nullptr && !edits->may_replace(changed_meanwhile)) return;
    // The change sender must not see the record between the file and the controller's copy.
    PollingSuspension no_polling(shell_.host);
    ConfigState file;
    if (const ConfigFileStatus status = load_config_file(path.toStdString(), file); status != ConfigFileStatus::Ok) {
        // The record was not touched, so what the controller is sent stays as it was.
        shell_.host.show_message(kBoxError, config_file_error(status, path.toStdString()));
        return;
    }
    // A connected controller takes the file: what it holds is backed up first.
    if (WindowDevice* device = shell_.operations.device(); device != nullptr && !device->before_file_applied(file, path.toStdString())) return;
    state_.record_valid = false;
    restore_snapshot(take_snapshot(file), state_);
    shell_.files.remember_folder(FileDialogKind::OpenConfig, QFile::decodeName(path));
    file_name_ = QFileInfo(QFile::decodeName(path)).fileName();
    shell_.pages.refresh_pages();
    state_.record_valid = true;
    if (EditHistory* edits = shell_.operations.edit_history()) edits->file_done(true);
    shell_.host.flash_message(2500, 250, to_text(msg::kConfigRead));
}

void ToolbarActions::save_config() {
    shell_.operations.run_toolbar_action([this] {
        shell_.pages.commit_pending_edits();
        const QString path = shell_.files.ask(FileDialogKind::SaveConfig, file_name_);
        if (path.isEmpty()) return;
        FileWriteStatus status;
        {
            PollingSuspension no_polling(shell_.host);
            status = save_config_file(path.toStdString(), state_);
        }
        if (status != FileWriteStatus::Ok) {
            shell_.host.show_message(kBoxError, config_file_error(status, path.toStdString()));
            return;
        }
        shell_.files.remember_folder(FileDialogKind::SaveConfig, path);
        file_name_ = QFileInfo(path).fileName();
        if (EditHistory* edits = shell_.operations.edit_history()) edits->file_done(false);
        shell_.host.flash_message(2500, 250, to_text(msg::kConfigWritten));
    });
}

void ToolbarActions::read_device() {
    shell_.operations.run_toolbar_action([this] {
        if (WindowDevice* device = shell_.operations.device()) device->read_configuration();
    });
}

void ToolbarActions::write_device() {
    shell_.operations.run_toolbar_action([this] {
        shell_.pages.commit_pending_edits();
        if (WindowDevice* device = shell_.operations.device()) device->write_configuration();
    });
}

void ToolbarActions::to_default() {
    shell_.operations.run_toolbar_action([this] {
        if (WindowDevice* device = shell_.operations.device()) device->reset_to_defaults();
    });
}

void ToolbarActions::reset() {
    shell_.operations.run_toolbar_action([this] {
        if (WindowDevice* device = shell_.operations.device()) device->restart();
    });
}

void ToolbarActions::update_device() {
    shell_.operations.run_toolbar_action([this] {
        if (WindowDevice* device = shell_.operations.device()) device->firmware_update();
    });
}

}  // namespace ztv
