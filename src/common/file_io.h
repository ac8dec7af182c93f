// Whole-file reading with a size bound, and writing that never leaves a half-written file.
// Only regular files are read or written: a pipe, a device or a terminal given as a file name
// is opened without waiting and refused, so the program never hangs on one.
#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "common/text.h"

namespace ztv {

enum class FileReadStatus { Ok, NotFound, Unreadable, TooLarge };


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
    NoFreeName,        // every temporary name beside the file is taken
    NameTaken,         // a file of that name exists already (create_whole_file never replaces one)
    Failed,            // anything else the system reported
};

struct FileReadResult {
    FileReadStatus status = FileReadStatus::Unreadable;
    std::string content;
    FileWriteStatus problem = FileWriteStatus::Ok;  // why, when Unreadable
};

// Reads the file whole; a file larger than max_bytes is refused unread.
FileReadResult read_file_bounded(const std::string& path, std::size_t max_bytes);

// Why a read of path fails (a folder, a pipe, no permission, a loop of links...); Ok when it
// can be opened as a regular file.
FileWriteStatus read_problem(const std::string& path);

// Opens a file to be written from the start (created or emptied), refusing anything but a
// regular file before it is emptied; nullptr with the reason otherwise. Opened without waiting,
// so a pipe without a reader cannot hang the caller.
std::FILE* open_regular_for_writing(const std::string& path, FileWriteStatus& problem);
// Creates a file that did not exist and opens it for writing: never a name someone else made
// meanwhile. nullptr with the reason otherwise (std::errc::file_exists when the name is taken).
std::FILE* create_new_file(const std::string& path, std::error_code& error);
// Flushes, puts the content on the disk and closes; false when any of it failed.
bool close_durably(std::FILE* file);

// The name of the temporary file replace_file tries at the given attempt for a target named
// file_name, kept within the system's limit on a name's length.
std::string temporary_file_name(const std::string& file_name, unsigned attempt);
inline constexpr unsigned kTemporaryNameAttempts = 8;
// The target's file name and the writing process's id of a name temporary_file_name made;
// nullopt for any other name. A stem shortened to fit the length limit comes back shortened.
struct TemporaryNameParts {
    std::string target;
    long process = 0;
};
std::optional<TemporaryNameParts> parse_temporary_file_name(std::string_view file_name);
// Whether the process that wrote a temporary file has ended (false when it cannot be told).
bool process_has_ended(long process);

// Writes content to a temporary file in the target's folder, puts it on the disk and renames it
// over the target only when everything was written, then puts the folder on the disk too: a
// failure, or the power failing at any moment, leaves the old file (or no file) or the new one
// whole. A symbolic link is followed and its final target replaced, so the link stays a link;
// the target's permission bits are kept. A file the user may not write is refused rather than
// replaced by the rename: one that cannot be opened for writing, and one with no write bit at
// all, which is how a user marks a file read-only (honoured for the superuser too). Content
// longer than max_bytes is refused before anything is touched, so a file the program writes is
// always one it can read back under the same bound.
FileWriteStatus replace_file(const std::string& path, std::string_view content,
                             std::size_t max_bytes = std::numeric_limits<std::size_t>::max());

// Creates a file that must not exist yet, never replacing one: the content is written whole to a
// temporary file beside it (named as temporary_file_name names it) and put on the disk, given
// the modification time `modified` when one is given, and only then linked under `path`. An
// interruption at any moment leaves either the whole file or nothing under `path` (at most the
// temporary file). NameTaken when `path` exists already.
FileWriteStatus create_whole_file(const std::string& path, std::string_view content,
                                  std::optional<std::filesystem::file_time_type> modified = std::nullopt);

// replace_file without a size bound, for callers that only need success or failure.
bool write_file_atomically(const std::string& path, const std::string& content);

// The file a chain of symbolic links finally names (the path itself when it is no link, also
// when that file does not exist yet); the path as given when the chain cannot be followed.
std::string final_link_target(const std::string& path);
// Whether two names reach the same file: through links, or as two names of one existing file.
bool same_file(const std::string& a, const std::string& b);

// Why an existing file that could not be read (for an update that keeps its other lines) may
// not be written either: a folder, a special file, or one this user may not read.
FileWriteStatus unreadable_reason(const std::string& path);

// The failure a system error stands for.
FileWriteStatus write_status_of(std::error_code error);

// One line saying why a write failed (empty for Ok).
Text write_failure_reason(FileWriteStatus status);
// One line saying why a read failed, from read_problem (empty for Ok).
Text read_failure_reason(FileWriteStatus status);
// One line saying why a file that could not be read cannot (a failure the file's kind and
// permissions do not explain is the disk's).
Text why_unreadable(const std::string& path);

}  // namespace ztv
