#include "common/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#if defined(_WIN32)
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

#include "common/system_names.h"

namespace ztv {

namespace fs = std::filesystem;

namespace {

std::error_code last_error() { return std::error_code(errno, std::generic_category()); }

#if defined(_WIN32)
// The portable meaning of a Windows error, so that write_status_of can name it.
std::error_code from_windows_error(DWORD error) {
    switch (error) {
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return std::make_error_code(std::errc::file_exists);
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE: return std::make_error_code(std::errc::no_such_file_or_directory);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: return std::make_error_code(std::errc::permission_denied);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return std::make_error_code(std::errc::no_space_on_device);
        case ERROR_FILENAME_EXCED_RANGE: return std::make_error_code(std::errc::filename_too_long);
        case ERROR_DIRECTORY: return std::make_error_code(std::errc::not_a_directory);
        default: return std::make_error_code(std::errc::io_error);
    }
}
#endif

// Longest name of one folder entry on the systems the program runs on.
constexpr std::size_t kMaxNameBytes = 255;

#if !defined(_WIN32)
// Opens without waiting for the other end of a pipe or for a device, then lets only a regular
// file through; -1 with the reason otherwise.
int open_regular(const std::string& path, int flags, FileWriteStatus& problem, struct stat& info) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        problem = write_status_of(last_error());
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = S_ISDIR(info.st_mode) ? FileWriteStatus::IsFolder : FileWriteStatus::NotAFile;
        ::close(fd);
        return -1;
    }
    problem = FileWriteStatus::Ok;
    return fd;
}

// The bytes of an open file, at most max_bytes of them.
FileReadResult read_open_file(int fd, std::size_t expected, std::size_t max_bytes) {
    FileReadResult result;
    if (expected > max_bytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    result.content.reserve(expected);
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            // A "file" that has nothing to give yet is a device in disguise (/proc/kmsg).
            result.problem = errno == EAGAIN ? FileWriteStatus::NotAFile : write_status_of(last_error());
            result.content.clear();
            return result;
        }
        if (got == 0) break;
        // The file may have grown since it was measured; anything past the bound is refused.
        if (static_cast<std::size_t>(got) > max_bytes - result.content.size()) {
            result.content.clear();
            result.status = FileReadStatus::TooLarge;
            return result;
        }
        result.content.append(buffer, static_cast<std::size_t>(got));
    }
    result.status = FileReadStatus::Ok;
    return result;
}
#endif

// Puts what was written to an open file on the disk.
bool sync_file(std::FILE* file) {
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#else
    return ::fsync(::fileno(file)) == 0;
#endif
}

// Puts a folder's entries (a rename into it) on the disk. A file system that cannot sync a
// folder says so with EINVAL; only a reported disk error counts as a failure.
std::error_code sync_folder(const fs::path& folder) {
#if defined(_WIN32)
    (void)folder;
    return {};
#else
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return {};
    std::error_code failure;
    if (::fsync(fd) != 0 && errno == EIO) failure = last_error();
    ::close(fd);
    return failure;
#endif
}

#if defined(_WIN32)
// What Windows itself would refuse about a name before any file is made: a part longer than a
// folder entry may be (the system says only "path not found" then), or a device (NUL, CON,
// COM1...), which exists in every folder without being a file there.
FileWriteStatus windows_name_problem(const fs::path& path) {
    for (const fs::path& part : path)
        if (part.native().size() > kMaxNameBytes) return FileWriteStatus::NameTooLong;
    const HANDLE handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return FileWriteStatus::Ok;
    const DWORD type = GetFileType(handle);
    CloseHandle(handle);
    return type == FILE_TYPE_DISK ? FileWriteStatus::Ok : FileWriteStatus::NotAFile;
}
#endif

// Renames a finished temporary file over the target in one step. On Windows the rename is
// written through to the disk before the call returns, which is what syncing the folder does
// elsewhere.
void rename_over(const fs::path& from, const fs::path& to, std::error_code& ec) {
#if defined(_WIN32)
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ec = from_windows_error(GetLastError());
#else
    fs::rename(from, to, ec);
#endif
}

// Follows a chain of symbolic links to the file it finally names (which need not exist yet).
// A loop or an absurdly long chain is refused.
fs::path final_target(fs::path path, std::error_code& ec) {
    for (int hops = 0; hops < 40; ++hops) {
        const auto status = fs::symlink_status(path, ec);
        if (ec) {
            if (ec == std::errc::no_such_file_or_directory) ec.clear();
            return path;
        }
        if (!fs::is_symlink(status)) return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return path;
}

// Whether an existing file may be replaced, and with which permission bits.
FileWriteStatus check_existing(const fs::path& target, fs::file_status status) {
    if (fs::is_directory(status)) return FileWriteStatus::IsFolder;
    if (!fs::is_regular_file(status)) return FileWriteStatus::NotAFile;
    constexpr fs::perms any_write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & any_write) == fs::perms::none) return FileWriteStatus::PermissionDenied;
    // Opening for update neither creates nor truncates; it fails exactly when this user may
    // not write the file, which the rename alone would not notice.
    std::FILE* probe = open_file(utf8_path(target), "r+b");
    if (probe == nullptr) return write_status_of(last_error());
    std::fclose(probe);
    return FileWriteStatus::Ok;
}

int process_id() {
#if defined(_WIN32)
    return _getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

// Writes content into a fresh temporary file beside target and puts it on the disk; returns
// its path or the failure.
FileWriteStatus write_temporary(const fs::path& target, std::string_view content, fs::path& temp) {
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::FILE* out = nullptr;
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts && out == nullptr; ++attempt) {
        temp = folder / system_path(temporary_file_name(utf8_path(target.filename()), attempt));
        std::error_code error;
        out = create_new_file(utf8_path(temp), error);
        if (out == nullptr && error != std::errc::file_exists) return write_status_of(error);
    }
    if (out == nullptr) return FileWriteStatus::NoFreeName;
    std::error_code failure;
    if (!content.empty() && std::fwrite(content.data(), 1, content.size(), out) != content.size()) failure = last_error();
    if (!failure && std::fflush(out) != 0) failure = last_error();
    if (!failure && !sync_file(out)) failure = last_error();
    if (std::fclose(out) != 0 && !failure) failure = last_error();
    if (failure) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return write_status_of(failure);
    }
    return FileWriteStatus::Ok;
}

}  // namespace

FileReadResult read_file_bounded(const std::string& path, std::size_t max_bytes) {
#if defined(_WIN32)
    FileReadResult result;
    std::error_code ec;
    const fs::path p = system_path(path);
    const auto status = fs::status(p, ec);
    if (ec || !fs::exists(status)) {
        result.status = ec && ec != std::errc::no_such_file_or_directory ? FileReadStatus::Unreadable
                                                                           : FileReadStatus::NotFound;
        result.problem = write_status_of(ec);
        return result;
    }
    result.problem = read_problem(path);
    if (result.problem != FileWriteStatus::Ok) return result;
    const auto size = fs::file_size(p, ec);
    if (ec) return result;
    if (size > max_bytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    std::FILE* in = open_file(path, "rb");
    if (in == nullptr) {
        result.problem = write_status_of(last_error());
        return result;
    }
    result.content.resize(static_cast<std::size_t>(size));
    const std::size_t got = std::fread(result.content.data(), 1, result.content.size(), in);
    // A file that grew since it was measured is refused like any file over the bound.
    const bool more = got == result.content.size() && std::fgetc(in) != EOF;
    const bool failed = std::ferror(in) != 0 || got != result.content.size();
    std::fclose(in);
    if (failed || more) {
        result.content.clear();
        result.status = more && !failed ? FileReadStatus::TooLarge : FileReadStatus::Unreadable;
        return result;
    }
    result.status = FileReadStatus::Ok;
    return result;
#else
    FileReadResult result;
    struct stat info {};
    const int fd = open_regular(path, O_RDONLY, result.problem, info);
    if (fd < 0) {
        // A missing file, or a missing folder on the way to it.
        if (result.problem == FileWriteStatus::FolderMissing) result.status = FileReadStatus::NotFound;
        return result;
    }
    result = read_open_file(fd, static_cast<std::size_t>(info.st_size), max_bytes);
    ::close(fd);
    return result;
#endif
}

FileWriteStatus read_problem(const std::string& path) {
#if defined(_WIN32)
    std::error_code ec;
    if (const FileWriteStatus kind = windows_name_problem(system_path(path)); kind != FileWriteStatus::Ok) return kind;
    const auto status = fs::status(system_path(path), ec);
    if (ec) return write_status_of(ec);
    if (!fs::exists(status)) return FileWriteStatus::FolderMissing;
    if (fs::is_directory(status)) return FileWriteStatus::IsFolder;
    if (!fs::is_regular_file(status)) return FileWriteStatus::NotAFile;
    std::FILE* in = open_file(path, "rb");
    if (in == nullptr) return FileWriteStatus::PermissionDenied;
    std::fclose(in);
    return FileWriteStatus::Ok;
#else
    FileWriteStatus problem = FileWriteStatus::Ok;
    struct stat info {};
    const int fd = open_regular(path, O_RDONLY, problem, info);
    if (fd >= 0) ::close(fd);
    return problem;
#endif
}

std::FILE* open_regular_for_writing(const std::string& path, FileWriteStatus& problem) {
#if defined(_WIN32)
    problem = read_problem(path);
    if (problem != FileWriteStatus::Ok && problem != FileWriteStatus::FolderMissing) return nullptr;
    std::FILE* file = open_file(path, "wb");
    problem = file == nullptr ? write_status_of(last_error()) : FileWriteStatus::Ok;
    return file;
#else
    struct stat info {};
    const int fd = open_regular(path, O_WRONLY | O_CREAT, problem, info);
    if (fd < 0) return nullptr;
    // Emptied only now that it is known to be a file; written with waits like any file.
    std::FILE* file = nullptr;
    if (::ftruncate(fd, 0) == 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0)
        file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        problem = write_status_of(last_error());
        ::close(fd);
    }
    return file;
#endif
}

std::FILE* create_new_file(const std::string& path, std::error_code& error) {
    error.clear();
#if defined(_WIN32)
    // The C library ignores fopen's "x" here: CREATE_NEW is the system's own exclusive create.
    const HANDLE handle = CreateFileW(to_utf16(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = from_windows_error(GetLastError());
        return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        error = std::make_error_code(std::errc::too_many_files_open);
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) {
        _close(fd);
        error = std::make_error_code(std::errc::too_many_files_open);
    }
    return file;
#else
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (file == nullptr) error = last_error();
    return file;
#endif
}

bool close_durably(std::FILE* file) {
    bool ok = std::fflush(file) == 0 && sync_file(file);
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

std::string temporary_file_name(const std::string& file_name, unsigned attempt) {
    std::string suffix = ".";
    suffix += std::to_string(process_id());
    suffix += '-';
    suffix += std::to_string(attempt);
    suffix += ".tmp";
    // A name near the limit gets a shorter stem, cut where no UTF-8 character is split.
    std::size_t keep = std::min(file_name.size(), kMaxNameBytes - 1 - suffix.size());
    while (keep > 0 && keep < file_name.size() && (static_cast<unsigned char>(file_name[keep]) & 0xC0) == 0x80) --keep;
    std::string name = ".";
    name.append(file_name, 0, keep);
    name += suffix;
    return name;
}

std::optional<TemporaryNameParts> parse_temporary_file_name(std::string_view file_name) {
    constexpr std::string_view kSuffix = ".tmp";
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.size() <= 9 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (file_name.size() < 2 || file_name.front() != '.' || !file_name.ends_with(kSuffix)) return std::nullopt;
    const std::string_view inner = file_name.substr(1, file_name.size() - 1 - kSuffix.size());
    const std::size_t dot = inner.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return std::nullopt;
    const std::string_view tail = inner.substr(dot + 1);
    const std::size_t dash = tail.find('-');
    if (dash == std::string_view::npos || !digits(tail.substr(0, dash)) || !digits(tail.substr(dash + 1)))
        return std::nullopt;
    return TemporaryNameParts{std::string(inner.substr(0, dot)), std::stol(std::string(tail.substr(0, dash)))};
}

bool process_has_ended(long process) {
#if defined(_WIN32)
    if (process <= 0) return false;
    const HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
    if (handle == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
    DWORD code = 0;
    const bool ended = GetExitCodeProcess(handle, &code) && code != STILL_ACTIVE;
    CloseHandle(handle);
    return ended;
#else
    return process > 0 && ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
#endif
}

FileWriteStatus replace_file(const std::string& path, std::string_view content, std::size_t max_bytes) {
    if (content.size() > max_bytes) return FileWriteStatus::BeyondReadLimit;
    std::error_code ec;
    const fs::path target = final_target(system_path(path), ec);
    if (ec) return write_status_of(ec);
#if defined(_WIN32)
    if (const FileWriteStatus kind = windows_name_problem(target); kind != FileWriteStatus::Ok) return kind;
#endif
    const auto old_status = fs::status(target, ec);
    const bool exists = !ec && fs::exists(old_status);
    if (exists) {
        if (const FileWriteStatus refused = check_existing(target, old_status); refused != FileWriteStatus::Ok)
            return refused;
    } else if (ec && ec != std::errc::no_such_file_or_directory) {
        return write_status_of(ec);
    }

    fs::path temp;
    if (const FileWriteStatus written = write_temporary(target, content, temp); written != FileWriteStatus::Ok)
        return written;
    ec.clear();
    if (exists) fs::permissions(temp, old_status.permissions(), ec);
    if (!ec) rename_over(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return write_status_of(ec);
    }
    return write_status_of(sync_folder(target.parent_path()));
}

std::string final_link_target(const std::string& path) {
    std::error_code ec;
    const fs::path target = final_target(system_path(path), ec);
    return ec ? path : utf8_path(target);
}

bool same_file(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::equivalent(system_path(a), system_path(b), ec)) return true;
    // Not both there yet: the same name once links and "." or ".." are resolved.
    const fs::path first = fs::weakly_canonical(system_path(final_link_target(a)), ec);
    if (ec) return false;
    const fs::path second = fs::weakly_canonical(system_path(final_link_target(b)), ec);
    return !ec && first == second;
}

FileWriteStatus unreadable_reason(const std::string& path) {
    const FileWriteStatus problem = read_problem(path);
    return problem == FileWriteStatus::Ok ? FileWriteStatus::PermissionDenied : problem;
}

FileWriteStatus create_whole_file(const std::string& path, std::string_view content,
                                  std::optional<fs::file_time_type> modified) {
    const fs::path target = system_path(path);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(target, ec))) return FileWriteStatus::NameTaken;
    fs::path temp;
    if (const FileWriteStatus written = write_temporary(target, content, temp); written != FileWriteStatus::Ok)
        return written;
    if (modified) fs::last_write_time(temp, *modified, ec);
#if defined(_WIN32)
    // A rename without MOVEFILE_REPLACE_EXISTING never replaces a file, on every file system;
    // written through, it is on the disk when the call returns.
    if (!ec && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        ec = from_windows_error(GetLastError());
#else
    // A hard link never replaces a file; a file system without links (FAT) may still rename
    // without replacing.
    if (!ec) fs::create_hard_link(temp, target, ec);
#endif
#if defined(__linux__)
    if (ec == std::errc::operation_not_permitted || ec == std::errc::operation_not_supported) {
        ec.clear();
        if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) ec = last_error();
    }
#endif
    std::error_code ignored;
    fs::remove(temp, ignored);
    if (ec) return ec == std::errc::file_exists ? FileWriteStatus::NameTaken : write_status_of(ec);
    return write_status_of(sync_folder(target.parent_path()));
}

bool write_file_atomically(const std::string& path, const std::string& content) {
    return replace_file(path, content) == FileWriteStatus::Ok;
}

FileWriteStatus write_status_of(std::error_code error) {
    if (!error) return FileWriteStatus::Ok;
#if defined(_WIN32)
    // The system's own category here holds Windows error codes, not errno values.
    if (error.category() == std::system_category()) error = from_windows_error(static_cast<DWORD>(error.value()));
#endif
    if (error == std::errc::no_space_on_device) return FileWriteStatus::NoSpace;
#if defined(EDQUOT)
    if (error == std::error_code(EDQUOT, std::generic_category())) return FileWriteStatus::NoSpace;
#endif
    if (error == std::errc::is_a_directory) return FileWriteStatus::IsFolder;
    if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
        return FileWriteStatus::FolderMissing;
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
        error == std::errc::read_only_file_system)
        return FileWriteStatus::PermissionDenied;
    if (error == std::errc::file_too_large) return FileWriteStatus::TooLarge;
    if (error == std::errc::filename_too_long) return FileWriteStatus::NameTooLong;
    if (error == std::errc::too_many_symbolic_link_levels) return FileWriteStatus::LinkLoop;
    // A pipe without a reader, or a device that is not there.
    if (error == std::errc::no_such_device_or_address || error == std::errc::no_such_device)
        return FileWriteStatus::NotAFile;
    return FileWriteStatus::Failed;
}

Text write_failure_reason(FileWriteStatus status) {
    switch (status) {
        case FileWriteStatus::Ok: return {};
        case FileWriteStatus::NoSpace: return {"На диске нет свободного места", "There is no space left on the disk"};
        case FileWriteStatus::IsFolder: return {"Это имя папки, а не файла", "The name is a folder, not a file"};
        case FileWriteStatus::NotAFile:
            return {"Это имя не обычного файла, а устройства или канала", "The name is a device or pipe, not a file"};
        case FileWriteStatus::FolderMissing: return {"Папка не существует", "The folder does not exist"};
        case FileWriteStatus::NameTooLong:
            return {"Имя файла длиннее, чем допускает система", "The file name is longer than the system allows"};
        case FileWriteStatus::LinkLoop:
            return {"Символические ссылки замыкаются в круг", "The symbolic links lead round in a circle"};
        case FileWriteStatus::PermissionDenied:
            return {"Нет разрешения на запись: файл или папка защищены от записи",
                    "Permission denied: the file or its folder is protected against writing"};
        case FileWriteStatus::TooLarge:
            return {"Файл слишком велик для этого диска или установленного ограничения",
                    "The file is too large for this disk or a size limit"};
        case FileWriteStatus::BeyondReadLimit:
            return {"Файл стал бы больше, чем программа может прочитать",
                    "The file would be larger than the program can read back"};
        case FileWriteStatus::NameTaken:
            return {"Файл с таким именем уже существует", "A file of that name exists already"};
        case FileWriteStatus::NoFreeName:
            return {"Рядом с файлом не удалось создать временный файл: все временные имена заняты",
                    "No temporary file could be made beside the file: every temporary name is taken"};
        case FileWriteStatus::Failed: return {"Диск сообщил об ошибке записи", "The disk reported a write error"};
    }
    return {};
}

Text read_failure_reason(FileWriteStatus status) {
    switch (status) {
        case FileWriteStatus::PermissionDenied:
            return {"Нет разрешения на чтение файла или его папки", "Permission denied: the file or its folder may not be read"};
        case FileWriteStatus::FolderMissing: return {"Файл или его папка не существует", "The file or its folder does not exist"};
        case FileWriteStatus::Failed: return {"Диск сообщил об ошибке чтения", "The disk reported a read error"};
        default: return write_failure_reason(status);
    }
}

Text why_unreadable(const std::string& path) {
    const FileWriteStatus problem = read_problem(path);
    return read_failure_reason(problem == FileWriteStatus::Ok ? FileWriteStatus::Failed : problem);
}

}  // namespace ztv
