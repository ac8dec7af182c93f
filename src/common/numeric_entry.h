// Numbers typed into parameter fields and committed with Enter: decimal digits only, checked
// against an inclusive range, stored with the field's width. One rule for every page.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/host.h"
#include "common/text.h"

namespace ztv {

inline constexpr TextPair kEnterValueMessage{"Введите значение в указанное поле",
                                             "Enter a value in the specified position"};
// Takes the two ends as long long: a spin's range may be signed.
inline constexpr TextPair kValueRangeMessage{"Значение должно быть в диапазоне от %lld до %lld",
                                             "The value must be in the range from %lld to %lld"};

struct NumericField {
    std::uint32_t min = 0;
    std::uint32_t max = 0;
    std::uint8_t width_bytes = 4;  // 1, 2 or 4: how the value is stored
};

struct NumericEntry {
    bool accepted = false;
    std::uint32_t value = 0;      // accepted: the value to store, already cut to the width
    Text message;                 // refused: what to tell the user
    int box_type = kBoxError;
};

// An empty text, or one with anything but the digits 0-9 (blanks and signs included), asks
// for a value; a number outside [min, max], however many digits it has, gives the range.
// On refusal the caller keeps the field's text, selects it and focuses the field.
NumericEntry check_numeric_entry(std::string_view text, const NumericField& field);

// The largest value a field of that many bytes holds.
std::uint32_t width_mask(std::uint8_t width_bytes);

}  // namespace ztv
