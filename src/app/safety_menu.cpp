#include "app/safety_menu.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

#include "app/backup_guard.h"
#include "app/backups_window.h"
#include "app/main_window.h"
#include "common/format.h"
#include "config/config_file.h"
#include "device/device_errors.h"
#include "events/shown_configuration.h"
#include "session/config_session.h"
#include "session/controller_backup.h"
#include "session/safety_texts.h"

namespace ztv {

SafetyMenu::SafetyMenu(TMainForm& form, ConfigSession& session) : QObject(&form), form_(form), session_(session) {
    compare_file_ = form_.chrome().take(Command::CompareFile);
    compare_controller_ = form_.chrome().take(Command::CompareController);
    backups_ = form_.chrome().take(Command::Backups);
    connect(compare_file_, &QAction::triggered, this, [this] { compare_with_file(); });
    connect(compare_controller_, &QAction::triggered, this, &SafetyMenu::compare_with_controller);
    connect(backups_, &QAction::triggered, this, [this] {
        if (!form_.busy()) open_backups_window(form_);
    });
}

SafetyMenu::~SafetyMenu() = default;

void SafetyMenu::compare_with_file() {
    if (form_.busy()) return;
    const QString path = form_.ask_file(FileDialogKind::OpenConfig);
    if (!path.isEmpty()) compare_with_file(path);
}

void SafetyMenu::compare_with_file(const QString& path) {
    ConfigState other;
    const std::string name_bytes = QFile::encodeName(path).toStdString();
    if (const ConfigFileStatus status = load_config_file(name_bytes, other); status != ConfigFileStatus::Ok) {
        form_.show_message(kBoxError, config_file_error(status, name_bytes));
        return;
    }
    const Lang lang = form_.language();
    const std::string name = QFileInfo(path).fileName().toStdString();
    const Comparison changes = compare_as_shown(take_snapshot(form_.state()), take_snapshot(other), ConfigOrigin::File,
                                                lang, CompareScope{true, pick(kWindowSide, lang), name});
    show_comparison(form_, QString::fromStdString(format_pair(kCompareFileTitle, name.c_str()).in(lang)), changes.text);
}

void SafetyMenu::compare_with_controller() {
    if (form_.busy()) return;
    ConnectionMonitor& monitor = session_.monitor();
    if (!monitor.connected() || monitor.is_bootloader()) {
        form_.show_message(kBoxInformation, to_text(kCompareNeedsController));
        return;
    }
    ConfigState held;
    const int error = read_controller_configuration(monitor.protocol(), held, kReadingTitle);
    form_.progress_hide();
    if (error != kOk) {
        form_.show_message(kBoxError, with_error_text(kReadConfigurationFailed, error));
        return;
    }
    // The controller keeps no slot names: they are left out.
    const Lang lang = form_.language();
    const Comparison changes =
        compare_as_shown(take_snapshot(form_.state()), take_snapshot(held), ConfigOrigin::Controller, lang,
                         CompareScope{false, pick(kWindowSide, lang), pick(kControllerSide, lang)});
    show_comparison(form_, form_.tr_pair(kCompareControllerTitle), changes.text);
}

}  // namespace ztv
