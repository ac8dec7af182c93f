// Before anything overwrites the controller's configuration, in the window: the backup (a
// backup that cannot be made asks whether to go on without one) and the question that offers
// "Show changes".
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "common/text.h"

namespace ztv {

class ConfigSession;
class TMainForm;
struct ConfigState;

// Reads the connected controller's configuration and saves it as a backup (a bootloader has
// none to save). False when the overwrite must stop: no backup, and the user would not go on
// without one (No is the default). `held` receives what the controller held, with
// record_valid set, when it could be read.
bool back_up_controller(TMainForm& form, ConfigSession& session, std::string_view reason, ConfigState* held = nullptr);

// The question before an overwrite (No by default). With `held` (the controller's
// configuration, record_valid set) it offers "Show changes": what the controller will change
// when it takes the configuration shown. True for Yes.
bool ask_overwrite(TMainForm& form, const TextPair& question, const ConfigState& held);

// A modal window listing differences.
void show_comparison(TMainForm& form, const QString& title, const std::string& text);

}  // namespace ztv
