// The copy of the controller's configuration taken before anything overwrites it (a write of
// the whole configuration, an opened or restored file, the factory defaults, a firmware
// update).
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

// What the controller held just before an overwrite, read once: it becomes the backup once
// the overwrite is certain to happen, and shows meanwhile what the overwrite will change.
struct HeldConfiguration {
    ConfigState image;  // record_valid set when it was read
    Text error;         // why it could not be read; empty when it was
    bool read() const { return error.empty(); }
};

HeldConfiguration read_held_configuration(Protocol& protocol);

// Saves what was held as a backup of controller `serial` in `folder`. A failed read gives no
// file and its own reason; the caller stops the overwrite then (a window may ask whether to
// go on without a backup). `spare` (the file about to be written to the controller, when it
// is itself a backup) is never pruned to make room.
BackupResult save_held_configuration(const HeldConfiguration& held, std::uint32_t serial, std::string_view reason,
                                     const std::string& folder, std::time_t when, const std::string& spare = {});

// Both at once, for an overwrite that needs no look at the changes first.
BackupResult backup_controller(Protocol& protocol, std::uint32_t serial, std::string_view reason,
                               const std::string& folder, std::time_t when, const std::string& spare = {});

}  // namespace ztv
