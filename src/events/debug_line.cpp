#include "events/debug_line.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>

#include "events/bus_event_lists.h"

namespace ztv {
namespace {

constexpr std::string_view kMarker = " EV:";
constexpr std::size_t kMaxDigitsReplaced = 10;

struct Rule {
    std::string_view prefix;
    // Where the search for " EV:" starts, counted from the start of the prefix. Some prefixes
    // let the marker share their trailing blank (" HK EV:3"), so the search starts on it.
    std::size_t marker_search_offset;
    std::span<const TextPair> (*names)();
    bool prefix_is_marker;  // the prefix ends with its own marker; the number follows it
};

// Tried in this order; the first rule that applies is the only one.
constexpr Rule kRules[] = {
    {" LIN ", 5, bus_events::lin, false},
    {" IDRIVE ", 8, bus_events::idrive, false},
    {" MJOY ", 6, bus_events::mercedes_joy, false},
    {" RJOY ", 6, bus_events::renault_joy, false},
    {" JOY ", 5, bus_events::mdx_joy, false},
    {" MMI ", 5, bus_events::audi_mmi, false},
    {" HK ", 3, bus_events::honda_keys, false},
    {" IBUS ", 5, bus_events::ibus, false},
    {" IEBUS ", 6, bus_events::iebus, false},
    {" GANET ", 6, bus_events::ganet, false},
    {" SW VW EV:", 0, bus_events::sw_can, true},
    {" MCTRL ", 7, bus_events::mercedes_ctrl, false},
    {" PORSHE KEYS ", 13, bus_events::porshe_keys, false},
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The number at `pos` as atoi reads it: leading blanks, an optional sign, digits; 0 without
// digits. Huge values are capped, which keeps them beyond every list.
std::int64_t read_number(std::string_view text, std::size_t pos) {
    constexpr std::int64_t kCap = 1'000'000'000'000;
    while (pos < text.size() && is_blank(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    std::int64_t value = 0;
    for (; pos < text.size() && is_digit(text[pos]); ++pos)
        if (value < kCap) value = value * 10 + (text[pos] - '0');
    return negative ? -value : value;
}

constexpr std::size_t kRuleCount = std::size(kRules);
using PrefixPositions = std::array<std::size_t, kRuleCount>;

// The first occurrence of every rule's prefix, found in one pass over the line. Every prefix
// is a blank and a capital letter, so most blanks are turned down on one comparison.
PrefixPositions find_prefixes(std::string_view line) {
    PrefixPositions first;
    first.fill(std::string_view::npos);
    for (std::size_t pos = line.find(' '); pos != std::string_view::npos && pos + 1 < line.size();
         pos = line.find(' ', pos + 1)) {
        for (std::size_t r = 0; r < kRuleCount; ++r) {
            const std::string_view prefix = kRules[r].prefix;
            if (first[r] == std::string_view::npos && prefix[1] == line[pos + 1] &&
                line.compare(pos, prefix.size(), prefix) == 0)
                first[r] = pos;
        }
    }
    return first;
}

bool apply(const Rule& rule, std::size_t prefix_at, std::string& line, Lang lang) {
    if (prefix_at == std::string::npos) return false;
    std::size_t number_at = 0;
    if (rule.prefix_is_marker) {
        number_at = prefix_at + rule.prefix.size();
    } else {
        const std::size_t marker_at = line.find(kMarker, prefix_at + rule.marker_search_offset);
        if (marker_at == std::string::npos) return false;
        number_at = marker_at + kMarker.size();
    }
    const std::span<const TextPair> names = rule.names();
    const std::int64_t n = read_number(line, number_at);
    if (n < 0 || n >= static_cast<std::int64_t>(names.size())) return false;
    std::size_t digits = 0;
    while (digits < kMaxDigitsReplaced && number_at + digits < line.size() && is_digit(line[number_at + digits]))
        ++digits;
    line.replace(number_at, digits, pick(names[static_cast<std::size_t>(n)], lang));
    return true;
}

}  // namespace

bool rewriteDebugLine(std::string& line, Lang lang) {
    // Every rule needs the marker, and most lines of the debug text carry none.
    if (line.find(kMarker) == std::string::npos) return false;
    const PrefixPositions prefixes = find_prefixes(line);
    for (std::size_t r = 0; r < kRuleCount; ++r)
        if (apply(kRules[r], prefixes[r], line, lang)) return true;
    return false;
}

}  // namespace ztv
