#include "app/safety_menu.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

#include "app/backup_guard.h"
#include "app/backups_window.h"
#include "app/file_dialogs.h"
#include "app/shell_host.h"
#include "app/window_operations.h"
#include "common/format.h"
#include "config/config_file.h"
#include "device/device_errors.h"
#include "events/shown_configuration.h"
#include "session/config_session.h"
#include "session/controller_backup.h"
#include "session/safety_texts.h"

namespace ztv {

SafetyMenu::SafetyMenu(const SafetyMenuShell& shell, ConfigSession& session)
    : QObject(&shell.host.window()), shell_(shell), session_(session) {
    compare_file_ = &shell_.compare_file;
    compare_controller_ = &shell_.compare_controller;
    backups_ = &shell_.backups;
    connect(compare_file_, &QAction::triggered, this, [this] { compare_with_file(); });
    connect(compare_controller_, &QAction::triggered, this, &SafetyMenu::compare_with_controller);
    connect(backups_, &QAction::triggered, this, [this] {
        if (!shell_.operations.busy()) open_backups_window(shell_.host, shell_.state, shell_.operations);
    });
}

SafetyMenu::~SafetyMenu() = default;

void SafetyMenu::compare_with_file() {
    if (shell_.operations.busy()) return;
    const QString path = shell_.files.ask(FileDialogKind::OpenConfig);
    if (!path.isEmpty()) compare_with_file(path);
}

void SafetyMenu::compare_with_file(const QString& path) {
    ConfigState other;
    const std::string name_bytes = QFile::encodeName(path).toStdString();
    if (const ConfigFileStatus status = load_config_file(name_bytes, other); status != ConfigFileStatus::Ok) {
        shell_.host.show_message(kBoxError, config_file_error(status, name_bytes));
        return;
    }
    const Lang lang = shell_.host.language();
    const std::string name = QFileInfo(path).fileName().toStdString();
    const Comparison changes = compare_as_shown(take_snapshot(shell_.state), take_snapshot(other), ConfigOrigin::File,
                                                lang, CompareScope{true, pick(kWindowSide, lang), name});
    show_comparison(shell_.host, QString::fromStdString(format_pair(kCompareFileTitle, name.c_str()).in(lang)), changes.text);
}

void SafetyMenu::compare_with_controller() {
    if (shell_.operations.busy()) return;
    ConnectionMonitor& monitor = session_.monitor();
    if (!monitor.connected() || monitor.is_bootloader()) {
        shell_.host.show_message(kBoxInformation, to_text(kCompareNeedsController));
        return;
    }
    ConfigState held;
    const int error = read_controller_configuration(monitor.protocol(), held, kReadingTitle);
    shell_.host.progress_hide();
    if (error != kOk) {
        shell_.host.show_message(kBoxError, with_error_text(kReadConfigurationFailed, error));
        return;
    }
    // The controller keeps no slot names: they are left out.
    const Lang lang = shell_.host.language();
    const Comparison changes =
        compare_as_shown(take_snapshot(shell_.state), take_snapshot(held), ConfigOrigin::Controller, lang,
                         CompareScope{false, pick(kWindowSide, lang), pick(kControllerSide, lang)});
    show_comparison(shell_.host, shell_.host.tr_pair(kCompareControllerTitle), changes.text);
}

}  // namespace ztv
