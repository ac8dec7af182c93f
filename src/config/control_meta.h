// What a control of the parameter pages or of the slot editor is, apart from where its value
// lives: the widget that draws it, how its stored value is shown and what typing into it
// stores (range, default, list, unit), and its texts in both languages. The parameter binding
// rows and the editor's event and reaction control rows are each one of these plus the place
// of the value, and one dispatch (config/control_dispatch.h) reads all of them alike.
#pragma once

#include <cstdint>
#include <span>

#include "common/control_view.h"
#include "common/text.h"

namespace ztv {

// How a stored value is shown and what an entry stores.
enum class ValueCodec : std::uint8_t {
    None,          // no value of its own: a button, a note, a text the page composes
    Position,      // a list: the chosen entry's position
    Flag,          // a tick box: 0 or 1
    Number,        // decimal digits, the numeric entry rule against min..max; shown = stored × scale
    Fallback,      // decimal digits; outside min..max `fallback` is stored, text that is no number
                   // `unreadable`, both without a message
    Spin,          // a number with arrows within min..max; shown = stored + offset
    Voltage,       // volts with a point or a comma, 0.02 V steps, stored inverted (255 - cV/2)
    VoltageRange,  // the same stored plain (cV/2)
    Bits,          // a check list: bit n of the value = entry n ticked
    Hex,           // two bytes as four hexadecimal digits; anything else is refused
    Text,          // characters kept in Windows-1251, at most `bytes` of them
};

struct ControlMeta {
    ControlKind widget = ControlKind::Label;
    ValueCodec codec = ValueCodec::None;
    std::int64_t min = 0;          // the range of what is shown and typed, inclusive
    std::int64_t max = 0;
    std::uint32_t fallback = 0;    // Fallback: the default a number outside the range gives way to
    std::uint32_t unreadable = 0;  // Fallback: what a text that is no number stores
    std::int32_t offset = 0;       // Spin: shown = stored + offset
    std::uint32_t scale = 1;       // Number: shown = stored × scale (milliseconds kept in tenths)
    // Number: the stored width in bytes the entry is cut to; Spin with a negative minimum: the
    // width of the two's complement value; Text: the characters stored.
    std::uint8_t bytes = 4;
    std::span<const TextPair> items{};  // Position, Bits: the entries; empty where the record decides them
    TextPair label{};
    TextPair unit{};
    TextPair hint{};
    // The window's separate captions that show the label and the unit, where there are such.
    const char* label_name = nullptr;
    const char* unit_name = nullptr;
    int max_length = 0;  // Edit: characters the field takes, 0 for no limit
};

}  // namespace ztv
