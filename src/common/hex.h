// Hex blobs as configuration files store them: two upper-case digits per byte, no separators.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ztv {

std::string to_hex(std::span<const std::uint8_t> bytes);

// The value of one hex digit (either case); -1 for any other character.
int hex_digit(char c);

// Digits are taken in pairs from the start until the text ends or the blob is full; a lone
// last digit is ignored; a character that is not a hex digit counts as 0; bytes without a
// pair become 0.
void from_hex(std::string_view text, std::span<std::uint8_t> out);

}  // namespace ztv
