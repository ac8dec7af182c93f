#include "common/command_line.h"

#include <charconv>

#include "common/ascii_text.h"
#include "common/system_names.h"

namespace ztv {

Lang environment_language() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string value = environment_value(name);
        if (value.empty()) continue;
        return value.starts_with("ru") ? Lang::Russian : Lang::English;
    }
    return Lang::English;
}

std::string option_help_line(std::string_view name, std::string_view value_name, std::string_view help) {
    std::string left = "  " + std::string(name);
    if (!value_name.empty()) {
        left += ' ';
        left += value_name;
    }
    // A long option and value get their own line, so that the help texts stay in one column.
    if (left.size() < 24) left.resize(24, ' ');
    else left += "\n" + std::string(24, ' ');
    return left + std::string(help) + "\n";
}

std::optional<std::int64_t> parse_bounded_number(std::string_view text, std::int64_t min, std::int64_t max) {
    if (text.empty() || !(text.front() == '-' || (text.front() >= '0' && text.front() <= '9'))) return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < min || value > max) return std::nullopt;
    return value;
}

OptionError choose(std::string_view option, std::string_view value,
                   std::span<const std::string_view> names, int& chosen) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (ascii_lower(value) == names[i]) {
            chosen = static_cast<int>(i);
            return std::nullopt;
        }
    }
    std::string known;
    for (const auto name : names) known += (known.empty() ? "" : ", ") + std::string(name);
    static constexpr TextPair kNotOneOf{"%s: допустимо одно из значений %s, а не «%s»", "%s must be one of %s, not '%s'"};
    return format_pair(kNotOneOf, std::string(option).c_str(), known.c_str(), std::string(value).c_str());
}

}  // namespace ztv
