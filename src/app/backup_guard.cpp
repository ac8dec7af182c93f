#include "app/backup_guard.h"

#include <ctime>
#include <filesystem>

#include "app/compare_window.h"
#include "app/shell_host.h"
#include "app/setup_options.h"
#include "common/format.h"
#include "events/shown_configuration.h"
#include "session/config_session.h"
#include "session/edit_steps.h"
#include "session/safety_texts.h"

namespace ztv {

HeldConfiguration read_before_overwrite(ConfigSession& session) {
    // Read whatever the monitor last said (a language switch makes it announce the controller
    // anew): a controller that is not there fails the read, and that is said, not skipped.
    return read_held_configuration(session.monitor().protocol());
}

bool keep_backup(ShellHost& host, ConfigSession& session, std::string_view reason, const HeldConfiguration& held,
                 const std::string& spare) {
    ConnectionMonitor& monitor = session.monitor();
    if (monitor.is_bootloader()) return true;
    const BackupResult backup =
        save_held_configuration(held, monitor.status().serial, reason, default_backup_folder(), std::time(nullptr), spare);
    if (backup.ok()) {
        host.log_line(backup.path, LogSource::Program);
        const std::string name = std::filesystem::path(backup.path).filename().string();
        host.show_status_note(format_pair(kBackupMade, name.c_str()), kBackupNoteMs);
        return true;
    }
    const Text ru = format_pair(kAskGoOnWithoutBackup, backup.error.ru.c_str());
    const Text en = format_pair(kAskGoOnWithoutBackup, backup.error.in(Lang::English).c_str());
    return host.show_message(kBoxQuestion | kBoxDefaultSecond, Text(ru.ru, en.en)) == kIdYes;
}

bool back_up_controller(ShellHost& host, ConfigSession& session, std::string_view reason) {
    if (session.monitor().is_bootloader()) return true;
    return keep_backup(host, session, reason, read_before_overwrite(session));
}

bool ask_overwrite(ShellHost& host, const ConfigState& shown, const TextPair& question, const HeldConfiguration& held) {
    const int type = kBoxQuestion | kBoxDefaultSecond | (held.read() ? kBoxShowChanges : 0);
    for (;;) {
        const int answer = host.show_message(type, to_text(question));
        if (answer != kIdShowChanges) return answer == kIdYes;
        // The controller keeps no slot names: they are left out.
        const Lang lang = host.language();
        const Comparison changes =
            compare_as_shown(take_snapshot(held.image), take_snapshot(shown), ConfigOrigin::Controller, lang,
                             CompareScope{false, pick(kControllerSide, lang), pick(kWindowSide, lang)});
        show_comparison(host, host.tr_pair(kChangesTitle), changes.text);
    }
}

void show_comparison(ShellHost& host, const QString& title, const std::string& text) {
    CompareWindow window(&host.window());
    window.show_text(title, text, host.language());
    window.exec();
}

}  // namespace ztv
