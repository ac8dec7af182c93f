// Before anything overwrites the controller's configuration, in the window: what the
// controller holds is read once, the question offers "Show changes" from that read, and only
// once the overwrite is certain is the read kept as a backup (a backup that cannot be made
// asks whether to go on without one). A backup is never skipped without a word.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "common/text.h"
#include "session/controller_backup.h"

namespace ztv {

class ConfigSession;
class ShellHost;
struct ConfigState;

// How long the status line says that a backup was made.
inline constexpr int kBackupNoteMs = 15000;

// What the controller application holds now; when it cannot be read, the reason.
HeldConfiguration read_before_overwrite(ConfigSession& session);

// The overwrite is going to happen: `held` is saved as a backup, and the status line and the
// log say where. A backup that cannot be made asks whether to go on without one (No is the
// default). False when the overwrite must stop. A bootloader holds no configuration to keep.
// `spare`, the file about to be written when it is itself a backup, is never pruned.
bool keep_backup(ShellHost& host, ConfigSession& session, std::string_view reason, const HeldConfiguration& held,
                 const std::string& spare = {});

// Both, for an overwrite whose question came before (defaults, firmware, a connect choice).
bool back_up_controller(ShellHost& host, ConfigSession& session, std::string_view reason);

// The question before an overwrite (No by default). With what the controller held it offers
// "Show changes": what the controller will change when it takes the configuration `shown`.
// True for Yes.
bool ask_overwrite(ShellHost& host, const ConfigState& shown, const TextPair& question, const HeldConfiguration& held);

// A modal window listing differences.
void show_comparison(ShellHost& host, const QString& title, const std::string& text);

}  // namespace ztv
