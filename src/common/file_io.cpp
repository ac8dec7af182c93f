#include "common/file_io.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace ztv {

namespace fs = std::filesystem;

FileReadResult read_file_bounded(const std::string& path, std::size_t max_bytes) {
    FileReadResult result;
    std::error_code ec;
    const fs::path p(path);
    const auto status = fs::status(p, ec);
    if (ec || !fs::exists(status)) {
        result.status = ec && ec != std::errc::no_such_file_or_directory ? FileReadStatus::Unreadable
                                                                           : FileReadStatus::NotFound;
        return result;
    }
    if (!fs::is_regular_file(status)) return result;
    const auto size = fs::file_size(p, ec);
    if (ec) return result;
    if (size > max_bytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    std::ifstream in(p, std::ios::binary);
    if (!in) return result;
    result.content.resize(static_cast<std::size_t>(size));
    in.read(result.content.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size)) {
        result.content.clear();
        return result;
    }
    // The file may have grown since it was measured; anything past the bound is refused.
    if (in.peek() != std::char_traits<char>::eof()) {
        result.content.clear();
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    result.status = FileReadStatus::Ok;
    return result;
}

namespace {

std::error_code last_error() { return std::error_code(errno, std::generic_category()); }

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
    std::FILE* probe = std::fopen(target.string().c_str(), "r+b");
    if (probe == nullptr) return write_status_of(last_error());
    std::fclose(probe);
    return FileWriteStatus::Ok;
}

std::FILE* create_new(const fs::path& path) {
#if defined(_WIN32)
    return std::fopen(path.string().c_str(), "wb");
#else
    // Exclusive creation: a name someone placed in the folder meanwhile is never written through.
    return std::fopen(path.string().c_str(), "wbx");
#endif
}

// Writes content into a fresh temporary file beside target; returns its path or the failure.
FileWriteStatus write_temporary(const fs::path& target, std::string_view content, fs::path& temp) {
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::random_device seed;
    std::FILE* out = nullptr;
    for (int attempt = 0; attempt < 8 && out == nullptr; ++attempt) {
        temp = folder / (std::string(".") + target.filename().string() + ".tmp" + std::to_string(seed() % 1000000));
        out = create_new(temp);
        if (out == nullptr && errno != EEXIST) break;
    }
    if (out == nullptr) return write_status_of(last_error());
    std::error_code failure;
    if (!content.empty() && std::fwrite(content.data(), 1, content.size(), out) != content.size()) failure = last_error();
    if (!failure && std::fflush(out) != 0) failure = last_error();
    if (std::fclose(out) != 0 && !failure) failure = last_error();
    if (failure) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return write_status_of(failure);
    }
    return FileWriteStatus::Ok;
}

}  // namespace

FileWriteStatus replace_file(const std::string& path, std::string_view content, std::size_t max_bytes) {
    if (content.size() > max_bytes) return FileWriteStatus::BeyondReadLimit;
    std::error_code ec;
    const fs::path target = final_target(fs::path(path), ec);
    if (ec) return write_status_of(ec);
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
    if (!ec) fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return write_status_of(ec);
    }
    return FileWriteStatus::Ok;
}

FileWriteStatus unreadable_reason(const std::string& path) {
    std::error_code ec;
    const auto status = fs::status(fs::path(path), ec);
    if (ec) return write_status_of(ec);
    if (fs::is_directory(status)) return FileWriteStatus::IsFolder;
    if (fs::exists(status) && !fs::is_regular_file(status)) return FileWriteStatus::NotAFile;
    return FileWriteStatus::PermissionDenied;
}

bool write_file_atomically(const std::string& path, const std::string& content) {
    return replace_file(path, content) == FileWriteStatus::Ok;
}

FileWriteStatus write_status_of(std::error_code error) {
    if (!error) return FileWriteStatus::Ok;
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
        case FileWriteStatus::Failed: return {"Диск сообщил об ошибке записи", "The disk reported a write error"};
    }
    return {};
}

}  // namespace ztv
