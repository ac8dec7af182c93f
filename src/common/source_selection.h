// The head unit's sources, and the source selection window's texts and mask rules: which of
// the eight sources a setting applies to. The window (TInterceptForm) only draws what is here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "common/text.h"

namespace ztv {

// The head unit's sources, numbered 1 to 8.
inline constexpr std::size_t kSourceCount = 8;

namespace source_window {

// The window's own texts; the two caption lines belong to the caller, which knows what the
// sources are chosen for.
inline constexpr TextPair kTitle{"Источники", "Sources"};
inline constexpr TextPair kHint{"Выберите источники", "Select the sources"};
inline constexpr TextPair kOk{"OK", "OK"};

}  // namespace source_window

// Entry i of the window is ticked when bit i of the mask is set (source i + 1).
std::array<bool, kSourceCount> ticks_of(std::uint8_t mask);
std::uint8_t mask_of(const std::array<bool, kSourceCount>& ticks);

// The entries' texts: "1" to "8".
const char* source_entry_text(std::size_t index);

}  // namespace ztv
