#include "device/hid_backend.h"

namespace ztv {

std::string narrow_hid_string(std::u16string_view units) {
    std::string out;
    for (const char16_t unit : units) {
        if (unit == 0) break;
        out.push_back(unit < 0x100 ? static_cast<char>(static_cast<unsigned char>(unit)) : '?');
    }
    return out;
}

std::string narrow_hid_string(const wchar_t* text, std::size_t max_units) {
    std::string out;
    if (text == nullptr) return out;
    for (std::size_t i = 0; i < max_units && text[i] != 0; ++i) {
        const auto value = static_cast<std::uint32_t>(text[i]);
        if (value < 0x100) {
            out.push_back(static_cast<char>(static_cast<unsigned char>(value)));
        } else {
            out.push_back('?');
            if (value > 0xFFFF) out.push_back('?');
        }
    }
    return out;
}

}  // namespace ztv
