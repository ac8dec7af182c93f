#include "config/record.h"

#include <algorithm>

#include "common/cp1251.h"

namespace ztv {

void put_field_text(std::span<std::uint8_t> field, std::string_view text) {
    // Texts end at a NUL, as C strings do; nothing after one may linger in the field.
    text = text.substr(0, text.find('\0'));
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    const std::size_t n = std::min(field.size(), text.size());
    std::copy_n(reinterpret_cast<const std::uint8_t*>(text.data()), n, field.begin());
}

std::string_view _data_config::button_name(std::size_t channel, std::size_t button) const {
    return field_text(raw.data() + button_offset(channel, button) + 4, kButtonNameSize);
}

void _data_config::set_button_name(std::size_t channel, std::size_t button, std::string_view cp1251) {
    put_field_text(std::span<std::uint8_t>(raw.data() + button_offset(channel, button) + 4, kButtonNameSize), cp1251);
}

std::string_view _data_config::source_name(std::size_t source) const {
    return field_text(raw.data() + kSourceNamesOffset + source * kSourceNameSize, kSourceNameSize);
}

void _data_config::set_source_name(std::size_t source, std::string_view cp1251) {
    put_field_text(std::span<std::uint8_t>(raw.data() + kSourceNamesOffset + source * kSourceNameSize, kSourceNameSize),
                   cp1251);
}

}  // namespace ztv
