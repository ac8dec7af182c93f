// Whole-file reading with a size bound, and writing that never leaves a half-written file.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "common/text.h"

namespace ztv {

enum class FileReadStatus { Ok, NotFound, Unreadable, TooLarge };

struct FileReadResult {
    FileReadStatus status = FileReadStatus::Unreadable;
    std::string content;
};

// Reads the file whole; a file larger than max_bytes is refused unread.
FileReadResult read_file_bounded(const std::string& path, std::size_t max_bytes);

// Why a file could not be written; each has a reason a user can act on.
enum class FileWriteStatus {
    Ok,
    NoSpace,           // the disk or the user's quota is full
    IsFolder,          // the name is a folder
    NotAFile,          // the name is a device, pipe or other special file
    FolderMissing,     // the folder to write into does not exist
    NameTooLong,       // the name or path is longer than the system allows
    LinkLoop,          // the name is a symbolic link that leads round in a circle
    PermissionDenied,  // the file or its folder may not be written, or the file is marked read-only
    TooLarge,          // the system refused a file of that size
    BeyondReadLimit,   // the text is larger than the program reads back
    Failed,            // anything else the system reported
};

// Writes content to a temporary file in the target's folder and renames it over the target
// only when everything was written, so that a failure leaves the old file (or no file) as it
// was. A symbolic link is followed and its final target replaced, so the link stays a link;
// the target's permission bits are kept. A file the user may not write is refused rather than
// replaced by the rename: one that cannot be opened for writing, and one with no write bit at
// all, which is how a user marks a file read-only (honoured for the superuser too). Content
// longer than max_bytes is refused before anything is touched, so a file the program writes is
// always one it can read back under the same bound.
FileWriteStatus replace_file(const std::string& path, std::string_view content,
                             std::size_t max_bytes = std::numeric_limits<std::size_t>::max());

// replace_file without a size bound, for callers that only need success or failure.
bool write_file_atomically(const std::string& path, const std::string& content);

// Why an existing file that could not be read (for an update that keeps its other lines) may
// not be written either: a folder, a special file, or one this user may not read.
FileWriteStatus unreadable_reason(const std::string& path);

// The failure a system error stands for.
FileWriteStatus write_status_of(std::error_code error);

// One line saying why a write failed (empty for Ok).
Text write_failure_reason(FileWriteStatus status);

}  // namespace ztv
