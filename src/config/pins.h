// The controller's configurable connector pins: their pin-mode bytes, the lists that set them
// on the "Pins" page, and how the pin lists of other fields and reactions map onto them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "common/text.h"
#include "config/record.h"

namespace ztv {

// In the order of the pin-mode bytes at record offsets 1941-1954 and of the "Pins" page.
enum class Pin : std::uint8_t { X2_2, X2_3, X2_4, X2_5, X2_6, X4_2, X4_3, X5_6, X5_7, X5_8, X6_2, X6_3, X6_5, X6_6 };

inline constexpr std::size_t kPinCount = kPinModeCount;
inline constexpr std::array<Pin, kPinCount> kAllPins = {Pin::X2_2, Pin::X2_3, Pin::X2_4, Pin::X2_5, Pin::X2_6,
                                                       Pin::X4_2, Pin::X4_3, Pin::X5_6, Pin::X5_7, Pin::X5_8,
                                                       Pin::X6_2, Pin::X6_3, Pin::X6_5, Pin::X6_6};

constexpr std::size_t pin_index(Pin pin) { return static_cast<std::size_t>(pin); }
constexpr std::size_t pin_mode_offset(Pin pin) { return kPinModeOffset + pin_index(pin); }

const char* pin_name(Pin pin);  // "X2/2" ... "X6/6"

// A general pin (every pin but the three X5 pins) can be taken by functions and, when free,
// configured as an input or output; mode 0 leaves it to whatever function uses it.
bool is_general_pin(Pin pin);

std::uint8_t pin_mode(const Record& record, Pin pin);
void set_pin_mode(Record& record, Pin pin, std::uint8_t mode);

// The list that sets a pin's mode (list index = stored value), and its hint.
std::span<const TextPair> pin_mode_choices(Pin pin);
TextPair pin_mode_hint(Pin pin);
// First entry of every general pin list while no function holds the pin.
inline constexpr TextPair kPinForItsPurpose{"По назначению", "According to its purpose"};

// Pin lists of other fields, mapped to the pin that a list value names (nullopt: no
// configurable pin, "Disabled" included).
// IRINP_NUM: 1 X2/2 ... 5 X2/6, 6 X4/2, 7 X4/3, 8 X6/2 ... 11 X6/6; 12-15 use no configurable pin.
std::optional<Pin> ir_input_pin(unsigned value);
// PULSE_NUM and the IR-output pin of the "Send IR code" reaction:
// 1 X2/2 ... 7 X4/3, 8 X5/7, 9 X5/8, 10 X6/2 ... 13 X6/6.
std::optional<Pin> pulse_list_pin(unsigned value);
// The one list of those two fields, value = position: "Disabled", then the pins above.
inline constexpr TextPair kPulsePinList[] = {
    {"Отключено", "Disabled"}, {"X2/2", "X2/2"}, {"X2/3", "X2/3"}, {"X2/4", "X2/4"}, {"X2/5", "X2/5"},
    {"X2/6", "X2/6"},          {"X4/2", "X4/2"}, {"X4/3", "X4/3"}, {"X5/7", "X5/7"}, {"X5/8", "X5/8"},
    {"X6/2", "X6/2"},          {"X6/3", "X6/3"}, {"X6/5", "X6/5"}, {"X6/6", "X6/6"}};
// The output pin of the "Pin" reaction, after "Not defined" and "Power boost":
// 2 X2/2 ... 8 X4/3, 9 X5/6, 10 X5/7, 11 X5/8, 12 X6/2 ... 15 X6/6.
std::optional<Pin> output_list_pin(unsigned value);

}  // namespace ztv
