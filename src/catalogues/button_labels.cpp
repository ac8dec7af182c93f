#include "catalogues/button_labels.h"

#include "common/cp1251.h"
#include "common/format.h"
#include "config/field_table.h"

namespace ztv {
namespace {

constexpr const char* kEncoderNames[kEncoderRows] = {"Enc1+", "Enc1-", "Enc2+", "Enc2-"};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string automatic_name(unsigned channel, std::uint16_t code) {
    return strprintf("%u.%u", channel + 1, static_cast<unsigned>(code));
}

bool is_automatic_name(std::string_view text) {
    const std::size_t examined = text.size() < kButtonNameSize ? text.size() : kButtonNameSize;
    for (std::size_t i = 0; i < examined; ++i) {
        const bool fits = i == 1 ? text[i] == '.' : is_digit(text[i]);
        if (!fits) return false;
    }
    return true;
}

std::string button_cell_text(const Record& record, unsigned channel, unsigned row) {
    if (channel >= kChannels || row < 1 || row > kButtonsPerChannel) return {};
    const std::uint16_t code = record.button_code(channel, row - 1);
    if (code == 0) return {};
    const std::string_view name = record.button_name(channel, row - 1);
    if (is_automatic_name(name)) return automatic_name(channel, code);
    return cp1251_to_utf8(name);
}

bool encoder_row_connected(const Record& record, unsigned row) {
    if (row == 1 || row == 2) return get_field(record, FieldId::ENC0MODE) != 0;
    if (row == 3 || row == 4) return get_field(record, FieldId::ENC1MODE) != 0;
    return false;
}

std::string encoder_cell_text(const Record& record, unsigned row) {
    return encoder_row_connected(record, row) ? kEncoderNames[row - 1] : std::string();
}

}  // namespace ztv
