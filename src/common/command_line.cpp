#include "common/command_line.h"

#include <charconv>

namespace ztv {

std::optional<std::int64_t> parse_bounded_number(std::string_view text, std::int64_t min, std::int64_t max) {
    if (text.empty() || !(text.front() == '-' || (text.front() >= '0' && text.front() <= '9'))) return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < min || value > max) return std::nullopt;
    return value;
}

}  // namespace ztv
