// Standard input and output as the commands' files: "-" names them on a command line, as the
// Unix tools do. Standard input is read whole under the same bound as a file, and never more
// than one byte past it, so that an endless or huge input is refused without being swallowed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "common/file_io.h"
#include "common/text.h"

namespace ztv {

inline constexpr std::string_view kStandardStream = "-";
inline bool names_standard_stream(std::string_view path) { return path == kStandardStream; }

// What messages call the streams where a file name would stand.
inline constexpr TextPair kStandardInputName{"стандартный ввод", "standard input"};
inline constexpr TextPair kStandardOutputName{"стандартный вывод", "standard output"};

// Reads the stream to its end; TooLarge as soon as it holds more than max_bytes, Unreadable
// (with the reason in problem) when the system reports an error.
FileReadResult read_stream_bounded(std::FILE* in, std::size_t max_bytes);
inline FileReadResult read_standard_input(std::size_t max_bytes) { return read_stream_bounded(stdin, max_bytes); }

}  // namespace ztv
