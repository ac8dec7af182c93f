#include "app/open_request.h"

#include <filesystem>

#include "common/system_names.h"

namespace ztv {
namespace {

// A relative path would be taken from the running copy's folder, not the asker's.
bool path_can_travel(std::string_view path) {
    return !path.empty() && path.size() < kMaxOpenRequestBytes &&
           path.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos &&
           system_path(path).is_absolute();
}

}  // namespace

std::optional<std::string> encode_open_request(std::string_view path) {
    if (!path_can_travel(path)) return std::nullopt;
    std::string request(path);
    request += '\n';
    return request;
}

ParsedOpenRequest parse_open_request(std::string_view received) {
    ParsedOpenRequest parsed;
    const std::size_t end = received.find('\n');
    if (end == std::string_view::npos) {
        if (received.size() >= kMaxOpenRequestBytes) parsed.state = OpenRequestState::Refused;
        return parsed;
    }
    const std::string_view path = received.substr(0, end);
    if (!path_can_travel(path) || end + 1 != received.size()) {
        parsed.state = OpenRequestState::Refused;
        return parsed;
    }
    parsed.state = OpenRequestState::Complete;
    parsed.path = std::string(path);
    return parsed;
}

}  // namespace ztv
