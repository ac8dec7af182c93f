// Command-line options described by a table: one row per option, so adding an option is
// adding a row. Anything the table does not know is refused rather than ignored, because an
// option a person typed and the program silently dropped is a surprise later. Both programs
// parse with these rules: an argument starting with "-" is an option unless it follows "--";
// a value comes as "--name VALUE" or "--name=VALUE" and is never empty; no argument is empty;
// an option that only works with another one is refused without it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/format.h"
#include "common/text.h"

namespace ztv {

// Why a command line was refused, in both languages; nothing when it was taken.
using OptionError = std::optional<Text>;

// The refusals the parser itself makes (the rows word their own).
inline constexpr TextPair kUnexpectedArgument{"лишний аргумент «%s»", "unexpected argument '%s'"};
inline constexpr TextPair kEmptyArgument{"пустой аргумент", "an argument is empty"};
inline constexpr TextPair kUnknownOption{"неизвестный параметр «%s»", "unknown option '%s'"};
inline constexpr TextPair kOptionTakesNoValue{"параметр %s не принимает значения", "option %s takes no value"};
inline constexpr TextPair kOptionNeedsValue{"параметру %s нужно значение %s", "option %s needs a value %s"};
inline constexpr TextPair kOptionNeedsOther{"%s действует только вместе с %s", "%s only works with %s"};

template <typename Options>
struct OptionRow {
    std::string_view name;        // "--after"
    std::string_view value_name;  // "MS"; empty for an option that takes no value
    std::string_view help;        // one line for --help
    // Stores what the option says; returns a message when its value is refused.
    OptionError (*apply)(Options& options, std::string_view value);
};

// An option that only means something together with another one ("--sim-can" with "--simulate").
struct OptionNeed {
    std::string_view option;
    std::string_view needs;
};

template <typename Options>
struct OptionTable {
    std::span<const OptionRow<Options>> rows;
    // Takes each argument that is not an option (after "--" every argument is one); nullptr
    // when the command takes none.
    OptionError (*positional)(Options& options, std::string_view value);
    std::span<const OptionNeed> needs;
};

// The language the environment asks for: the first of LC_ALL, LC_MESSAGES and LANG that is set
// and not empty decides, Russian for "ru..." and English for anything else (or nothing set).
Lang environment_language();

// A whole decimal number within [min, max]; nothing for anything else (signs, blanks, junk,
// out of range), so a typed value is never cut or wrapped silently.
std::optional<std::int64_t> parse_bounded_number(std::string_view text, std::int64_t min, std::int64_t max);

// The position of value among names, letter case not mattering ("--lang RU"); otherwise the
// message "OPTION must be one of A, B, not 'VALUE'".
OptionError choose(std::string_view option, std::string_view value,
                                  std::span<const std::string_view> names, int& chosen);

// One "  --after MS   help" line; options_help makes one per row.
std::string option_help_line(std::string_view name, std::string_view value_name, std::string_view help);
template <typename Options>
std::string options_help(std::span<const OptionRow<Options>> rows);

// Fills options from args (the program name not included). Values come as "--name VALUE" or
// "--name=VALUE". Returns the first problem as a message; nothing when all were taken.
template <typename Options>
OptionError parse_command_line(std::span<const std::string_view> args, const OptionTable<Options>& table,
                               Options& options);

// ---------------------------------------------------------------------------------------------

template <typename Options>
std::string options_help(std::span<const OptionRow<Options>> rows) {
    std::string text;
    for (const auto& row : rows) text += option_help_line(row.name, row.value_name, row.help);
    return text;
}

template <typename Options>
OptionError parse_command_line(std::span<const std::string_view> args, const OptionTable<Options>& table,
                               Options& options) {
    bool options_ended = false;
    std::vector<std::string_view> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (options_ended || !arg.starts_with("-") || arg == "-") {
            if (table.positional == nullptr) return format_pair(kUnexpectedArgument, std::string(arg).c_str());
            if (arg.empty()) return to_text(kEmptyArgument);
            if (auto error = table.positional(options, arg)) return error;
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const OptionRow<Options>* row = nullptr;
        for (const auto& candidate : table.rows)
            if (candidate.name == name) row = &candidate;
        if (row == nullptr) return format_pair(kUnknownOption, std::string(name).c_str());
        std::string_view value;
        if (row->value_name.empty()) {
            if (equals != std::string_view::npos) return format_pair(kOptionTakesNoValue, std::string(name).c_str());
        } else if (equals != std::string_view::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        }
        if (!row->value_name.empty() && value.empty())
            return format_pair(kOptionNeedsValue, std::string(name).c_str(), std::string(row->value_name).c_str());
        if (auto error = row->apply(options, value)) return error;
        given.push_back(row->name);
    }
    const auto was_given = [&given](std::string_view name) {
        for (const std::string_view g : given)
            if (g == name) return true;
        return false;
    };
    for (const OptionNeed& need : table.needs)
        if (was_given(need.option) && !was_given(need.needs))
            return format_pair(kOptionNeedsOther, std::string(need.option).c_str(), std::string(need.needs).c_str());
    return std::nullopt;
}

}  // namespace ztv
