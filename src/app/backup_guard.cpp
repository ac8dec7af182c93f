#include "app/backup_guard.h"

#include <ctime>

#include "app/compare_window.h"
#include "app/main_window.h"
#include "app/setup_options.h"
#include "common/format.h"
#include "events/config_compare.h"
#include "session/config_session.h"
#include "session/controller_backup.h"
#include "session/edit_steps.h"
#include "session/safety_texts.h"

namespace ztv {

bool back_up_controller(TMainForm& form, ConfigSession& session, std::string_view reason, ConfigState* held) {
    ConnectionMonitor& monitor = session.monitor();
    if (!monitor.connected() || monitor.is_bootloader()) return true;
    const BackupResult backup = backup_controller(monitor.protocol(), monitor.status().serial, reason,
                                                  default_backup_folder(), std::time(nullptr), held);
    if (backup.ok()) {
        form.log_line(backup.path, LogSource::Program);
        return true;
    }
    const Text ru = format_pair(kAskGoOnWithoutBackup, backup.error.ru.c_str());
    const Text en = format_pair(kAskGoOnWithoutBackup, backup.error.in(Lang::English).c_str());
    return form.show_message(kBoxQuestion | kBoxDefaultSecond, Text(ru.ru, en.en)) == kIdYes;
}

bool ask_overwrite(TMainForm& form, const TextPair& question, const ConfigState& held) {
    const int type = kBoxQuestion | kBoxDefaultSecond | (held.record_valid ? kBoxShowChanges : 0);
    for (;;) {
        const int answer = form.show_message(type, to_text(question));
        if (answer != kIdShowChanges) return answer == kIdYes;
        // The controller keeps no slot names: they are left out.
        const Comparison changes = compare_configurations(take_snapshot(held), take_snapshot(form.state()),
                                                          form.language(), CompareScope{false});
        show_comparison(form, form.tr_pair(kChangesTitle), changes.text);
    }
}

void show_comparison(TMainForm& form, const QString& title, const std::string& text) {
    CompareWindow window(&form);
    window.show_text(title, text, form.language());
    window.exec();
}

}  // namespace ztv
