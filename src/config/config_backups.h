// Automatic backups of the controller's configuration: one *.ZTV file per overwrite, named
// SERIAL_YYYY-MM-DD_HH-MM-SS_REASON.ZTV (a second backup within the same second gets "-2",
// "-3"... after the time), kept in the user's data folder, the newest kBackupsKept per controller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.h"
#include "common/text.h"
#include "config/config_state.h"

namespace ztv {

inline constexpr std::size_t kBackupsKept = 100;

// Why the controller was about to be overwritten; part of the file name.
namespace backup_reason {
inline constexpr std::string_view kWrite = "write";
inline constexpr std::string_view kRestore = "restore";
inline constexpr std::string_view kDefaults = "defaults";
inline constexpr std::string_view kFirmware = "firmware";
}  // namespace backup_reason

// $XDG_DATA_HOME/zeb-tervio/backups, else ~/.local/share/zeb-tervio/backups; the local
// application data folder on Windows and Application Support on macOS. Empty when the
// environment names no home at all.
std::string default_backup_folder();

struct BackupEntry {
    std::string path;
    std::string serial;
    std::string date;    // "2026-12-07 14:03:22", the PC's local time of the backup
    std::string reason;
    unsigned sequence = 1;  // 2, 3... for further backups within the same second
};

struct BackupListing {
    Text error;  // empty when the folder could be read (a missing folder holds no backups)
    std::vector<BackupEntry> entries;  // newest first; files not named as backups are left out
};

BackupListing list_backups(const std::string& folder);

struct BackupResult {
    std::string path;  // the backup written; empty on failure
    Text error;        // why no backup was made; empty on success
    bool ok() const { return error.empty(); }
};

// Saves the configuration as a new backup of controller `serial` taken at `when`, then
// removes that controller's backups beyond the newest kBackupsKept. The folder is created
// when missing. A reason that is not lower-case letters and digits is written as "backup".
BackupResult save_backup(const std::string& folder, std::uint32_t serial, std::string_view reason, std::time_t when,
                         const ConfigState& state);

}  // namespace ztv
