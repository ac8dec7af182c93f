// Automatic backups of the controller's configuration: one *.ZTV file per overwrite, named
// SERIAL_YYYY-MM-DD_HH-MM-SS_REASON.ZTV (a second backup within the same second gets "-2",
// "-3"... after the time), kept in the user's data folder, the newest kBackupsKept per controller.
// Only files named so with one of the reasons below are backups; other files in the folder are
// the user's and are never listed or removed.
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
    // Newest first in the order they were made (see save_backup), whatever their names' dates;
    // files not named as backups, and empty ones (a name an interrupted run reserved), are left out.
    std::vector<BackupEntry> entries;
};

BackupListing list_backups(const std::string& folder);

struct BackupResult {
    std::string path;  // the backup written; empty on failure
    Text error;        // why no backup was made; empty on success
    bool ok() const { return error.empty(); }
};

// Saves the configuration as a new backup of controller `serial`, named by the time `when`,
// then removes that controller's backups beyond the newest kBackupsKept (never the new one, nor
// `spare`, a file about to be restored, nor a file that holds no configuration). The folder is
// created when missing; temporary files and empty names that interrupted runs left are removed.
// The backup's file is given a modification time later than every other backup's, so that the
// order of making survives a clock that was once ahead. A reason not listed in backup_reason
// is written as "backup".
BackupResult save_backup(const std::string& folder, std::uint32_t serial, std::string_view reason, std::time_t when,
                         const ConfigState& state, const std::string& spare = {});

}  // namespace ztv
