// What a second copy of the program sends the running one when it is started with a
// configuration file: one line holding the file's full path. The running copy trusts nothing
// in it but what these rules let through.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ztv {

// Longer than any path a file manager hands over; a longer request is dropped unread.
inline constexpr std::size_t kMaxOpenRequestBytes = 4096;
inline constexpr std::string_view kOpenRequestTaken = "OK\n";
inline constexpr std::string_view kOpenRequestRefused = "NO\n";

// The request for a path: the path and a line feed; nothing when the path cannot travel
// (empty, relative, too long, or holding a line break or a NUL).
std::optional<std::string> encode_open_request(std::string_view path);

enum class OpenRequestState { Incomplete, Complete, Refused };
struct ParsedOpenRequest {
    OpenRequestState state = OpenRequestState::Incomplete;
    std::string path;  // when Complete
};
// Looks at what has arrived so far: complete at the first line feed, refused when the line is
// empty, relative, too long, holds a NUL or a carriage return, or is followed by more.
ParsedOpenRequest parse_open_request(std::string_view received);

}  // namespace ztv
