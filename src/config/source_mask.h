// Source masks as the pages show them: bit n set means head-unit source n + 1; 0 means any.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/text.h"

namespace ztv {

inline constexpr TextPair kAnySource{"Любой", "Any"};
inline constexpr TextPair kSelectSources{"Выбрать...", "Select..."};
inline constexpr TextPair kNoSources{" нет", " no"};  // after a caption, for an empty mask

// The two entries of a source choice list: "Any" and "Select...".
std::span<const TextPair> source_choice_entries();

// " 1 3" for mask 0x05: a blank and the number of each set source, lowest first.
std::string source_numbers(std::uint8_t mask);

}  // namespace ztv
