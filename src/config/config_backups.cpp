#include "config/config_backups.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "common/format.h"
#include "common/system_names.h"
#include "common/user_folders.h"
#include "common/ini_document.h"
#include "config/config_file.h"

namespace ztv {
namespace {

namespace fs = std::filesystem;

#if defined(_WIN32)
constexpr TextPair kFolderUnknown{"Не найдена папка для резервных копий: Windows не знает папку локальных данных приложений этого пользователя",
                                  "No folder for backups: Windows knows no local application data folder for this user"};
#else
constexpr TextPair kFolderUnknown{"Не найдена папка для резервных копий: не задана домашняя папка",
                                  "No folder for backups: the home folder is not set"};
#endif
constexpr TextPair kFolderNotCreated{"Не удалось создать папку резервных копий %s\n%s",
                                     "Unable to create the backup folder %s\n%s"};
constexpr TextPair kNotAFolder{"%s не является папкой", "%s is not a folder"};
constexpr TextPair kFolderUnreadable{"Не удалось прочитать папку резервных копий %s\n%s",
                                     "Unable to read the backup folder %s\n%s"};
constexpr TextPair kBackupNotSaved{"Не удалось сохранить резервную копию конфигурации контроллера\n%s",
                                   "Unable to save a backup of the controller's configuration\n%s"};

constexpr std::string_view kExtension = ".ZTV";
constexpr std::string_view kFallbackReason = "backup";
constexpr unsigned kMaxSequence = 999;

bool all_of(std::string_view text, int (*test)(int)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}
int is_digit(int c) { return c >= '0' && c <= '9'; }

// The reasons this program writes; a file with any other word is the user's, never pruned.
bool our_reason(std::string_view reason) {
    for (std::string_view known : {backup_reason::kWrite, backup_reason::kRestore, backup_reason::kDefaults,
                                   backup_reason::kFirmware, kFallbackReason})
        if (reason == known) return true;
    return false;
}

// "DD-DD-DD" style groups of digits joined by dashes, with the group widths given.
bool digit_groups(std::string_view text, std::initializer_list<std::size_t> widths) {
    std::size_t at = 0;
    bool first = true;
    for (std::size_t width : widths) {
        if (!first && (at >= text.size() || text[at++] != '-')) return false;
        first = false;
        if (at + width > text.size() || !all_of(text.substr(at, width), is_digit)) return false;
        at += width;
    }
    return at == text.size();
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// SERIAL_YYYY-MM-DD_HH-MM-SS[-N]_REASON.ZTV; anything else is not one of ours.
std::optional<BackupEntry> parse_name(const fs::path& path) {
    const std::string file = utf8_path(path.filename());
    if (file.size() <= kExtension.size() || !std::string_view(file).ends_with(kExtension)) return std::nullopt;
    const auto parts = split(std::string_view(file).substr(0, file.size() - kExtension.size()), '_');
    if (parts.size() != 4 || parts[0].size() > 10 || !all_of(parts[0], is_digit) || !digit_groups(parts[1], {4, 2, 2}) ||
        !our_reason(parts[3]))
        return std::nullopt;
    std::string_view time = parts[2];
    unsigned sequence = 1;
    if (time.size() > 8) {
        const std::string_view number = time.substr(9);
        if (time[8] != '-' || number.size() > 3 || !all_of(number, is_digit)) return std::nullopt;
        sequence = static_cast<unsigned>(std::stoul(std::string(number)));
        time = time.substr(0, 8);
    }
    if (!digit_groups(time, {2, 2, 2})) return std::nullopt;
    std::string clock(time);
    std::replace(clock.begin(), clock.end(), '-', ':');
    return BackupEntry{utf8_path(path), std::string(parts[0]), std::string(parts[1]) + " " + clock, std::string(parts[3]),
                       sequence};
}

// A backup as found in the folder. Backups are ordered by their files' modification times,
// which save_backup keeps rising in the order the backups were made whatever the clock did;
// the names' dates only tell apart files made within the same second.
struct FoundBackup {
    BackupEntry entry;
    fs::file_time_type modified;
    bool empty = false;  // a name reserved by an interrupted run of an older version: no backup
};

bool newer(const FoundBackup& a, const FoundBackup& b) {
    if (a.modified != b.modified) return a.modified > b.modified;
    if (a.entry.date != b.entry.date) return a.entry.date > b.entry.date;
    if (a.entry.sequence != b.entry.sequence) return a.entry.sequence > b.entry.sequence;
    return a.entry.path > b.entry.path;
}

struct FolderScan {
    Text error;
    std::vector<FoundBackup> backups;    // newest first
    std::vector<fs::path> stale_temporaries;  // left by a run that ended while writing a backup
};

// A temporary file of a backup whose writer has ended.
bool stale_temporary(const std::string& file) {
    const std::optional<TemporaryNameParts> parts = parse_temporary_file_name(file);
    return parts && parse_name(system_path(parts->target)) && process_has_ended(parts->process);
}

std::string stamp(std::time_t when) {
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

// A format whose last argument is itself a text pair, each language with its own.
Text with_reason(const TextPair& format, const std::string& first, const Text& reason) {
    if (first.empty()) return Text(strprintf(format.ru, reason.ru.c_str()), strprintf(format.en, reason.in(Lang::English).c_str()));
    return Text(strprintf(format.ru, first.c_str(), reason.ru.c_str()),
                strprintf(format.en, first.c_str(), reason.in(Lang::English).c_str()));
}

Text unreadable_folder(const std::string& folder, std::error_code error) {
    return with_reason(kFolderUnreadable, folder, read_failure_reason(write_status_of(error)));
}

// The folder itself or the nearest of its parents that exists, when that is not a folder.
std::optional<std::string> blocking_file(const std::string& folder) {
    std::error_code error;
    for (fs::path at = system_path(folder); !at.empty(); at = at.parent_path()) {
        const fs::file_status status = fs::status(at, error);
        if (fs::exists(status)) return fs::is_directory(status) ? std::nullopt : std::optional(utf8_path(at));
        if (at == at.parent_path()) break;
    }
    return std::nullopt;
}

Text folder_error(const std::string& folder, std::error_code error) {
    const std::optional<std::string> file = blocking_file(folder);
    const Text reason = file ? format_pair(kNotAFolder, file->c_str()) : write_failure_reason(write_status_of(error));
    return with_reason(kFolderNotCreated, folder, reason);
}

// Every backup in the folder, with what interrupted runs left. A missing folder holds none.
FolderScan scan_folder(const std::string& folder) {
    FolderScan scan;
    if (folder.empty()) {
        scan.error = to_text(kFolderUnknown);
        return scan;
    }
    if (const std::optional<std::string> file = blocking_file(folder)) {
        scan.error = format_pair(kNotAFolder, file->c_str());
        return scan;
    }
    std::error_code error;
    // Only a folder that is not there holds no backups; one that cannot be reached (no search
    // permission on a parent, a loop of links) is an error, never an empty list.
    if (!fs::exists(system_path(folder), error)) {
        if (error && error != std::errc::no_such_file_or_directory) scan.error = unreadable_folder(folder, error);
        return scan;
    }
    fs::directory_iterator it(system_path(folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code file_error;
        if (!it->is_regular_file(file_error)) continue;
        if (auto entry = parse_name(it->path())) {
            const fs::file_time_type modified = it->last_write_time(file_error);
            const std::uintmax_t size = it->file_size(file_error);
            if (!file_error) scan.backups.push_back({std::move(*entry), modified, size == 0});
        } else if (stale_temporary(utf8_path(it->path().filename()))) {
            scan.stale_temporaries.push_back(it->path());
        }
    }
    if (error) {
        scan.error = unreadable_folder(folder, error);
        scan.backups.clear();
        scan.stale_temporaries.clear();
        return scan;
    }
    std::sort(scan.backups.begin(), scan.backups.end(), newer);
    return scan;
}

// Removes what interrupted runs left: temporary files and names reserved but never written.
void clean_leftovers(const FolderScan& scan) {
    std::error_code ignored;
    for (const fs::path& temporary : scan.stale_temporaries) fs::remove(temporary, ignored);
    for (const FoundBackup& found : scan.backups)
        if (found.empty) fs::remove(system_path(found.entry.path), ignored);
}

// Later than every backup in the folder, so that the order of the files' times is the order
// the backups were made even after the clock was set back.
fs::file_time_type next_modification_time(const FolderScan& scan) {
    // Whole seconds, which every system keeps exactly (Windows' C library sets no finer ones).
    fs::file_time_type time = std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now());
    for (const FoundBackup& found : scan.backups)
        if (!found.empty && found.modified >= time) time = found.modified + std::chrono::seconds(1);
    return time;
}

// Writes the backup under a name no other file has, so that two backups in one second (or
// two programs at once) never overwrite each other, and so that an interruption leaves the
// whole backup or nothing under its name.
FileWriteStatus create_backup_file(const std::string& folder, const std::string& stem, const std::string& reason,
                                   std::string_view content, fs::file_time_type modified, std::string& path) {
    for (unsigned sequence = 1; sequence <= kMaxSequence; ++sequence) {
        std::string name = stem;
        if (sequence > 1) {
            name += '-';
            name += std::to_string(sequence);
        }
        name += "_" + reason;
        name += kExtension;
        path = utf8_path(system_path(folder) / name);
        const FileWriteStatus status = create_whole_file(path, content, modified);
        if (status != FileWriteStatus::NameTaken) return status;
    }
    return FileWriteStatus::NameTaken;
}

bool holds_configuration_file(const std::string& path) {
    ConfigState probe;
    return load_config_file(path, probe) == ConfigFileStatus::Ok;
}

// Removes the controller's backups beyond the newest kBackupsKept. The backup just made and
// the file `spare` (one being restored) are never removed, nor a file that holds no
// configuration whatever its name.
void remove_beyond_kept(const std::string& folder, const std::string& serial, const std::string& made,
                        const std::string& spare) {
    std::size_t kept = 0;
    for (const FoundBackup& found : scan_folder(folder).backups) {
        const BackupEntry& entry = found.entry;
        if (found.empty || entry.serial != serial || ++kept <= kBackupsKept || entry.path == made) continue;
        if ((!spare.empty() && same_file(entry.path, spare)) || !holds_configuration_file(entry.path)) continue;
        std::error_code ignored;
        fs::remove(system_path(entry.path), ignored);
    }
}

}  // namespace

std::string default_backup_folder() {
    const std::string base = user_data_folder();
    return base.empty() ? std::string() : utf8_path(system_path(base) / "zeb-tervio" / "backups");
}

BackupListing list_backups(const std::string& folder) {
    FolderScan scan = scan_folder(folder);
    BackupListing listing;
    listing.error = std::move(scan.error);
    for (FoundBackup& found : scan.backups)
        if (!found.empty) listing.entries.push_back(std::move(found.entry));
    return listing;
}

BackupResult save_backup(const std::string& folder, std::uint32_t serial, std::string_view reason, std::time_t when,
                         const ConfigState& state, const std::string& spare) {
    BackupResult result;
    if (folder.empty()) {
        result.error = with_reason(kBackupNotSaved, {}, to_text(kFolderUnknown));
        return result;
    }
    std::error_code error;
    fs::create_directories(system_path(folder), error);
    if (error || !fs::is_directory(system_path(folder), error)) {
        result.error = with_reason(kBackupNotSaved, {}, folder_error(folder, error));
        return result;
    }
    const FolderScan scan = scan_folder(folder);
    if (!scan.error.empty()) {
        result.error = with_reason(kBackupNotSaved, {}, scan.error);
        return result;
    }
    clean_leftovers(scan);
    IniDocument doc;
    write_config(doc, state.record, state.touch, state.slot_names);
    const std::string serial_text = std::to_string(serial);
    const std::string reason_text(our_reason(reason) ? reason : kFallbackReason);
    std::string path;
    const FileWriteStatus status = create_backup_file(folder, serial_text + "_" + stamp(when), reason_text,
                                                      doc.serialize(), next_modification_time(scan), path);
    if (status != FileWriteStatus::Ok) {
        result.error = with_reason(kBackupNotSaved, {}, config_file_error(status, path.empty() ? folder : path));
        return result;
    }
    result.path = path;
    remove_beyond_kept(folder, serial_text, path, spare);
    return result;
}

}  // namespace ztv
