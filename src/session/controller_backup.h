// The copy of the controller's configuration taken before anything overwrites it (a write of
// the whole configuration, a restored file, the factory defaults, a firmware update).
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "config/config_backups.h"
#include "session/config_session.h"

namespace ztv {

// Reads the touch block and the record exactly as the controller holds them (no header
// defaults applied) into `image`'s record and touch block; the slot names stay empty.
// The progress display shows `title` meanwhile.
int read_controller_configuration(Protocol& protocol, ConfigState& image, const TextPair& title);

// Reads what the controller holds and saves it as a backup of controller `serial` in
// `folder`. A failed read or save gives no file and the reason; the caller stops the
// overwrite then (a window may ask whether to go on without a backup).
BackupResult backup_controller(Protocol& protocol, std::uint32_t serial, std::string_view reason,
                               const std::string& folder, std::time_t when);

}  // namespace ztv
