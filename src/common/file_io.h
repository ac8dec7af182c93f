// Whole-file reading with a size bound, and writing that never leaves a half-written file.
#pragma once

#include <cstddef>
#include <string>

namespace ztv {

enum class FileReadStatus { Ok, NotFound, Unreadable, TooLarge };

struct FileReadResult {
    FileReadStatus status = FileReadStatus::Unreadable;
    std::string content;
};

// Reads the file whole; a file larger than max_bytes is refused unread.
FileReadResult read_file_bounded(const std::string& path, std::size_t max_bytes);

// Writes content to a temporary file in the same folder and renames it over path only when
// everything was written, so that a failure leaves the old file (or no file) in place.
// The old file's permissions are kept. Returns false on any failure.
bool write_file_atomically(const std::string& path, const std::string& content);

}  // namespace ztv
