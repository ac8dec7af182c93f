#include "config/config_backups.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "common/format.h"
#include "config/config_file.h"

namespace ztv {
namespace {

namespace fs = std::filesystem;

constexpr TextPair kFolderUnknown{"Не найдена папка для резервных копий: не задана домашняя папка",
                                  "No folder for backups: the home folder is not set"};
constexpr TextPair kFolderNotCreated{"Не удалось создать папку резервных копий %s\n%s",
                                     "Unable to create the backup folder %s\n%s"};
constexpr TextPair kNotAFolder{"%s не является папкой", "%s is not a folder"};
constexpr TextPair kFolderUnreadable{"Не удалось прочитать папку резервных копий %s",
                                     "Unable to read the backup folder %s"};
constexpr TextPair kBackupNotSaved{"Не удалось сохранить резервную копию конфигурации контроллера\n%s",
                                   "Unable to save a backup of the controller's configuration\n%s"};

constexpr std::string_view kExtension = ".ZTV";
constexpr std::string_view kFallbackReason = "backup";
constexpr unsigned kMaxSequence = 999;

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

bool all_of(std::string_view text, int (*test)(int)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}
int is_digit(int c) { return c >= '0' && c <= '9'; }
int is_reason_char(int c) { return (c >= 'a' && c <= 'z') || is_digit(c); }

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
    const std::string file = path.filename().string();
    if (file.size() <= kExtension.size() || !std::string_view(file).ends_with(kExtension)) return std::nullopt;
    const auto parts = split(std::string_view(file).substr(0, file.size() - kExtension.size()), '_');
    if (parts.size() != 4 || parts[0].size() > 10 || !all_of(parts[0], is_digit) || !digit_groups(parts[1], {4, 2, 2}) ||
        !all_of(parts[3], is_reason_char))
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
    return BackupEntry{path.string(), std::string(parts[0]), std::string(parts[1]) + " " + clock, std::string(parts[3]),
                       sequence};
}

bool newer(const BackupEntry& a, const BackupEntry& b) {
    if (a.date != b.date) return a.date > b.date;
    if (a.sequence != b.sequence) return a.sequence > b.sequence;
    return a.path > b.path;
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

// The folder itself or the nearest of its parents that exists, when that is not a folder.
std::optional<std::string> blocking_file(const std::string& folder) {
    std::error_code error;
    for (fs::path at(folder); !at.empty(); at = at.parent_path()) {
        const fs::file_status status = fs::status(at, error);
        if (fs::exists(status)) return fs::is_directory(status) ? std::nullopt : std::optional(at.string());
        if (at == at.parent_path()) break;
    }
    return std::nullopt;
}

Text folder_error(const std::string& folder, std::error_code error) {
    const std::optional<std::string> file = blocking_file(folder);
    const Text reason = file ? format_pair(kNotAFolder, file->c_str()) : write_failure_reason(write_status_of(error));
    return with_reason(kFolderNotCreated, folder, reason);
}

// Creates the file under a name no other backup has, so that two backups in one second (or
// two programs at once) never overwrite each other. Empty when none could be created.
std::string reserve_name(const std::string& folder, const std::string& stem, const std::string& reason,
                         std::error_code& error) {
    for (unsigned sequence = 1; sequence <= kMaxSequence; ++sequence) {
        std::string name = stem;
        if (sequence > 1) {
            name += '-';
            name += std::to_string(sequence);
        }
        name += "_" + reason;
        name += kExtension;
        const std::string path = (fs::path(folder) / name).string();
        if (std::FILE* file = std::fopen(path.c_str(), "wx")) {
            std::fclose(file);
            return path;
        }
        if (errno != EEXIST) {
            error = std::error_code(errno, std::generic_category());
            return {};
        }
    }
    error = std::make_error_code(std::errc::file_exists);
    return {};
}

void remove_beyond_kept(const std::string& folder, const std::string& serial) {
    std::size_t kept = 0;
    for (const BackupEntry& entry : list_backups(folder).entries) {
        if (entry.serial != serial || ++kept <= kBackupsKept) continue;
        std::error_code ignored;
        fs::remove(entry.path, ignored);
    }
}

}  // namespace

std::string default_backup_folder() {
    const fs::path tail = fs::path("zeb-tervio") / "backups";
#if defined(_WIN32)
    const std::string local = env("LOCALAPPDATA");
    return local.empty() ? std::string() : (fs::path(local) / tail).string();
#elif defined(__APPLE__)
    const std::string home = env("HOME");
    return home.empty() ? std::string() : (fs::path(home) / "Library" / "Application Support" / tail).string();
#else
    const std::string data = env("XDG_DATA_HOME");
    // The XDG rules ignore a relative path here.
    if (!data.empty() && data.front() == '/') return (fs::path(data) / tail).string();
    const std::string home = env("HOME");
    return home.empty() ? std::string() : (fs::path(home) / ".local" / "share" / tail).string();
#endif
}

BackupListing list_backups(const std::string& folder) {
    BackupListing listing;
    std::error_code error;
    if (folder.empty()) {
        listing.error = to_text(kFolderUnknown);
        return listing;
    }
    if (const std::optional<std::string> file = blocking_file(folder)) {
        listing.error = format_pair(kNotAFolder, file->c_str());
        return listing;
    }
    if (!fs::exists(folder, error)) return listing;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code type_error;
        if (!it->is_regular_file(type_error)) continue;
        if (auto entry = parse_name(it->path())) listing.entries.push_back(std::move(*entry));
    }
    if (error) {
        listing.error = format_pair(kFolderUnreadable, folder.c_str());
        listing.entries.clear();
        return listing;
    }
    std::sort(listing.entries.begin(), listing.entries.end(), newer);
    return listing;
}

BackupResult save_backup(const std::string& folder, std::uint32_t serial, std::string_view reason, std::time_t when,
                         const ConfigState& state) {
    BackupResult result;
    if (folder.empty()) {
        result.error = with_reason(kBackupNotSaved, {}, to_text(kFolderUnknown));
        return result;
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder, error)) {
        result.error = with_reason(kBackupNotSaved, {}, folder_error(folder, error));
        return result;
    }
    const std::string serial_text = std::to_string(serial);
    const std::string reason_text(all_of(reason, is_reason_char) ? reason : kFallbackReason);
    const std::string path = reserve_name(folder, serial_text + "_" + stamp(when), reason_text, error);
    FileWriteStatus status = path.empty() ? write_status_of(error) : save_config_file(path, state);
    if (status == FileWriteStatus::Ok) {
        result.path = path;
        remove_beyond_kept(folder, serial_text);
        return result;
    }
    if (!path.empty()) fs::remove(path, error);
    result.error = with_reason(kBackupNotSaved, {}, config_file_error(status, path.empty() ? folder : path));
    return result;
}

}  // namespace ztv
