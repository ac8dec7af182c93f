// The USB key picker (TFormKeyBoard) without its window: its keys by name, what a click or an
// Enter in a code field does to the "USB key" reaction of a slot (slot bytes 11-16), and which
// keys are marked. The reaction's summary line is the slot description's (usb_key_box_text),
// which the editor shows after every change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace ztv {

using PickerReaction = std::span<std::uint8_t, 6>;  // slot bytes 11-16
using PickerReactionView = std::span<const std::uint8_t, 6>;

inline constexpr TextPair kPickerTitle{"Клавиатура (реакция на событие %d)", "Keyboard (Reactions for the event %d)"};
inline constexpr TextPair kPickerKeyboardGroup{" Клавиатура, страница x07 ", " Keyboard, page x07 "};
inline constexpr TextPair kPickerKeyCodesGroup{" Коды клавиш ", " Key codes "};
inline constexpr TextPair kPickerConsumerGroup{" Клавиатура, страница x0C ", " Keyboard, page x0C "};
inline constexpr TextPair kPickerConsumerCodeGroup{" Мультимедийный код ", " Multimedia code "};
inline constexpr TextPair kPickerSystemGroup{" Управление системой ", " System Control "};

// USB report kinds (reaction byte 1).
inline constexpr std::uint8_t kReportNone = 0;
inline constexpr std::uint8_t kReportSystem = 1;
inline constexpr std::uint8_t kReportKeyboard = 7;
inline constexpr std::uint8_t kReportConsumer = 12;

enum class PickerKeyKind : std::uint8_t { Modifier, Key, Multimedia, SystemControl };

struct PickerKey {
    std::string name;  // PanelMod<bit>x, PanelKey<usage>x, SpeedButtonMMKey<usage as 4 hex>x, SystemControl<bit>x
    PickerKeyKind kind;
    std::uint16_t code;  // bit number or usage
    Text caption;        // modifiers without their side; multimedia keys by their key name
};

// 8 modifiers, 96 keys, 19 multimedia keys and 8 system-control keys, in that order.
const std::vector<PickerKey>& picker_keys();

// The picker's title for slot `slot` (0-79): "Keyboard (Reactions for the event %d)".
Text picker_title(std::size_t slot);

// A click on the key of that name; false (nothing changed) when no key has it.
bool click_picker_key(PickerReaction reaction, std::string_view name);

enum class PickerField : std::uint8_t { Key1, Key2, Multimedia };
inline constexpr std::string_view kPickerKey1Field = "EditKEY1x";
inline constexpr std::string_view kPickerKey2Field = "EditKEY2x";
inline constexpr std::string_view kPickerMultimediaField = "EditMMKeyCodex";

// A code field's text: "x" or "X" and hexadecimal digits (none: 0), or else the leading
// decimal digits; clamped to 0..max.
std::uint32_t parse_picker_code(std::string_view text, std::uint32_t max);
// Enter in a code field.
void enter_picker_code(PickerReaction reaction, PickerField field, std::string_view text);

// What the window shows for the reaction. When the slot holds another reaction kind the
// picker changes nothing it shows (`usb_reaction` false). Code fields left nullopt keep
// whatever they show.
struct PickerView {
    bool usb_reaction = false;
    std::vector<bool> marked;  // parallel to picker_keys()
    std::optional<std::string> key1;
    std::optional<std::string> key2;
    std::optional<std::string> multimedia;
};
PickerView picker_view(PickerReactionView reaction);

}  // namespace ztv
