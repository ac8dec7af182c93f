#include "app/toolbar_actions.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <utility>

#include "app/main_window.h"
#include "app/shell_messages.h"
#include "config/config_file.h"
#include "config/config_history.h"
#include "config/config_messages.h"

namespace ztv {

ToolbarActions::ToolbarActions(TMainForm& form, ConfigState& state) : QObject(&form), form_(form), state_(state) {
    retry_ = new ShellTimer(form_.host().clock(), this);
    retry_->set_single_shot(true);
    connect(retry_, &ShellTimer::timeout, this, &ToolbarActions::open_pending_file);
}

void ToolbarActions::open_config() {
    form_.run_toolbar_action([this] {
        const QString path = form_.file_dialogs().ask(FileDialogKind::OpenConfig);
        if (!path.isEmpty()) load_config(QFile::encodeName(path));
    });
}

void ToolbarActions::open_config_file(const QByteArray& path) {
    form_.run_toolbar_action([this, &path] {
        if (!path.isEmpty()) load_config(path);
    });
}

void ToolbarActions::open_handed_over_file(const QByteArray& path) {
    if (form_.isMinimized()) form_.showNormal();
    form_.raise();
    form_.activateWindow();
    pending_open_ = path;  // of several requests in a row the last one counts
    if (!pending_retry_) open_pending_file();
}

void ToolbarActions::open_pending_file() {
    pending_retry_ = false;
    if (pending_open_.isEmpty() || form_.host().closing()) return;
    // Not in the middle of a device operation, and not under a box or a dialog that is
    // waiting for the user: the file would pull the record from under them.
    if (form_.toolbar_operation_running() || form_.busy() || QApplication::activeModalWidget() != nullptr) {
        if (!shown_when_handed_over_) shown_when_handed_over_ = take_snapshot(state_);
        pending_retry_ = true;
        retry_->start(250);
        return;
    }
    const QByteArray path = std::exchange(pending_open_, QByteArray());
    const bool changed_meanwhile =
        shown_when_handed_over_ && !same_configuration(*shown_when_handed_over_, take_snapshot(state_));
    shown_when_handed_over_.reset();
    form_.run_toolbar_action([this, &path, changed_meanwhile] { load_config(path, changed_meanwhile); });
}

void ToolbarActions::load_config(const QByteArray& path, bool changed_meanwhile) {
    if (EditHistory* edits = form_.edit_history(); edits != nullptr && !edits->may_replace(changed_meanwhile)) return;
    // The change sender must not see the record between the file and the controller's copy.
    PollingSuspension no_polling(form_.host());
    ConfigState file;
    if (const ConfigFileStatus status = load_config_file(path.toStdString(), file); status != ConfigFileStatus::Ok) {
        // The record was not touched, so what the controller is sent stays as it was.
        form_.host().show_message(kBoxError, config_file_error(status, path.toStdString()));
        return;
    }
    // A connected controller takes the file: what it holds is backed up first.
    if (WindowDevice* device = form_.device(); device != nullptr && !device->before_file_applied(file, path.toStdString())) return;
    state_.record_valid = false;
    restore_snapshot(take_snapshot(file), state_);
    form_.file_dialogs().remember_folder(FileDialogKind::OpenConfig, QFile::decodeName(path));
    file_name_ = QFileInfo(QFile::decodeName(path)).fileName();
    form_.page_host().refresh_pages();
    state_.record_valid = true;
    if (EditHistory* edits = form_.edit_history()) edits->file_done(true);
    form_.host().flash_message(2500, 250, to_text(msg::kConfigRead));
}

void ToolbarActions::save_config() {
    form_.run_toolbar_action([this] {
        form_.page_host().commit_pending_edits();
        const QString path = form_.file_dialogs().ask(FileDialogKind::SaveConfig, file_name_);
        if (path.isEmpty()) return;
        FileWriteStatus status;
        {
            PollingSuspension no_polling(form_.host());
            status = save_config_file(path.toStdString(), state_);
        }
        if (status != FileWriteStatus::Ok) {
            form_.host().show_message(kBoxError, config_file_error(status, path.toStdString()));
            return;
        }
        form_.file_dialogs().remember_folder(FileDialogKind::SaveConfig, path);
        file_name_ = QFileInfo(path).fileName();
        if (EditHistory* edits = form_.edit_history()) edits->file_done(false);
        form_.host().flash_message(2500, 250, to_text(msg::kConfigWritten));
    });
}

void ToolbarActions::read_device() {
    form_.run_toolbar_action([this] {
        if (WindowDevice* device = form_.device()) device->read_configuration();
    });
}

void ToolbarActions::write_device() {
    form_.run_toolbar_action([this] {
        form_.page_host().commit_pending_edits();
        if (WindowDevice* device = form_.device()) device->write_configuration();
    });
}

void ToolbarActions::to_default() {
    form_.run_toolbar_action([this] {
        if (WindowDevice* device = form_.device()) device->reset_to_defaults();
    });
}

void ToolbarActions::reset() {
    form_.run_toolbar_action([this] {
        if (WindowDevice* device = form_.device()) device->restart();
    });
}

void ToolbarActions::update_device() {
    form_.run_toolbar_action([this] {
        if (WindowDevice* device = form_.device()) device->firmware_update();
    });
}

}  // namespace ztv
