#include "common/hex.h"

#include <algorithm>

namespace ztv {
namespace {

unsigned digit_value(char c) { return static_cast<unsigned>(std::max(hex_digit(c), 0)); }

}  // namespace

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string to_hex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out(bytes.size() * 2, '0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out[2 * i] = kDigits[bytes[i] >> 4];
        out[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return out;
}

void from_hex(std::string_view text, std::span<std::uint8_t> out) {
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    const std::size_t pairs = std::min(out.size(), text.size() / 2);
    for (std::size_t i = 0; i < pairs; ++i)
        out[i] = static_cast<std::uint8_t>((digit_value(text[2 * i]) << 4) | digit_value(text[2 * i + 1]));
}

}  // namespace ztv
