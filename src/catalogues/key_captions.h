// Captions of the keyboard window's buttons: modifiers, keyboard keys (HID page 0x07),
// multimedia keys (consumer page 0x0C) and system-control keys. The USB key descriptions read
// them too, so a reaction reads the same everywhere. Key legends are printed in Latin on
// Russian keyboards as well, so only the system-control names are translated.
#pragma once

#include <cstdint>
#include <span>

#include "common/text.h"

namespace ztv {

struct KeyCaption {
    std::uint16_t usage;
    const char* caption;
};

inline constexpr unsigned kModifierCount = 8;
inline constexpr unsigned kSystemControlCount = 8;

// Modifier bits 0-7: left Ctrl, Shift, Alt, Win, then the right-hand ones.
const char* key_modifier_caption(unsigned bit);

// The 96 keyboard keys (usages 4 to 101 without 50 and 100), in usage order.
std::span<const KeyCaption> keyboard_keys();
// Caption of a keyboard usage, nullptr when the window has no button for it.
const char* keyboard_key_caption(unsigned usage);

// The 19 multimedia buttons, in usage order.
std::span<const KeyCaption> consumer_keys();
const char* consumer_key_caption(unsigned usage);

// System-control bits 0-7 ("Power Down" ... "Menu Exit").
TextPair system_control_caption(unsigned bit);

}  // namespace ztv
