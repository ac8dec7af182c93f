// The parameter pages by configuration-file key, for scripts: reading a key's value as the
// file stores it, and setting it through the very edit of the page control bound to it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/text.h"
#include "config/config_state.h"

namespace ztv {

// Keys that are not fields of their own: the long-press time-out inside KEY, and the source
// names NAME1 ... NAME8 of section SOURCE.
inline constexpr std::string_view kLongPressKey = "LONG_PRESS_MS";

// The value of a key as the configuration file stores it (integers in decimal, blobs in hex,
// source names as UTF-8 text); nullopt for a key no file holds. Keys match without regard to
// letter case, as in files.
std::optional<std::string> key_value(const ConfigState& state, std::string_view key);
// The same with the key as files spell it and whether the value is a number (a decimal
// integer) rather than a text (a blob in hex, a source name).
struct KeyEntry {
    std::string key;
    std::string value;
    bool number = false;
};
std::optional<KeyEntry> key_entry(const ConfigState& state, std::string_view key);

enum class AssignStatus : std::uint8_t {
    Applied,
    Refused,    // the page's own check said no: `message` is the page's message
    Unknown,    // no such key, or no page control sets it
    Malformed,  // the value is not what the control takes
};

struct AssignResult {
    AssignStatus status = AssignStatus::Applied;
    Text message;  // Refused: the page's message; Unknown, Malformed: what is wrong
};

// Applies key=value as the bound control would take it: lists the index, tick boxes 0 or 1,
// edits the typed text (voltages in volts), spins the shown number, check lists and source
// masks the bit mask (decimal or 0x...), source names the text, PINMODE the 14 pin modes in
// hex. The touch mode "Source..." (4) takes `intercept_mask`, or keeps the stored mask when
// it is nullopt. Writes into state.record; the caller decides whether to keep the result.
AssignResult assign_key(ConfigState& state, std::string_view key, std::string_view value,
                        std::optional<std::uint8_t> intercept_mask);

// A mask or index as a script writes it: decimal digits, or 0x followed by hex digits;
// nullopt for anything else or for a number above `max`.
std::optional<std::uint32_t> parse_script_number(std::string_view text, std::uint32_t max);

}  // namespace ztv
