// Integers as INI files hold them: optional sign, decimal, or hexadecimal after 0x or $.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ztv {

// The whole (blank-trimmed) text must be the number. Decimal values must fit a signed 32-bit
// integer and hex values 32 bits; anything else gives nothing. The result is the 32-bit
// two's-complement pattern, ready to be cut to a field's width.
std::optional<std::uint32_t> parse_profile_int(std::string_view text);

}  // namespace ztv
