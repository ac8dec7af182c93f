#include "diag/can_texts.h"

#include "common/cp1251.h"
#include "common/format.h"

namespace ztv {

std::string can_id_text(const CanFrame& frame) {
    const std::uint32_t id_word = frame.id_word();
    if (frame.extended() || (id_word & kCanLowBitsMask) != 0)
        return strprintf("%08lX(%4lu)", static_cast<unsigned long>(id_word), static_cast<unsigned long>(id_word));
    const auto id = static_cast<unsigned long>(id_word >> kCanStandardShift);
    return strprintf("%03lX(%4lu)", id, id);
}

std::string can_data_text(const CanFrame& frame, bool fill) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(3 * kCanMaxData);
    const auto data = frame.data();
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0) text += ' ';
        text += kHex[data[i] >> 4];
        text += kHex[data[i] & 0x0F];
    }
    if (fill) text.append(3 * (kCanMaxData - data.size()), ' ');
    return text;
}

std::string can_cycle_text(std::uint32_t cycle) {
    return cycle == 0 ? std::string("-") : std::to_string(cycle);
}

std::string can_row_cell(const CanRow& row, std::size_t index, CanIdColumn column) {
    switch (column) {
        case CanIdColumn::Hidden: return {};
        case CanIdColumn::Number: return std::to_string(index + 1);
        case CanIdColumn::Id: return can_id_text(row.frame);
        case CanIdColumn::Dlc: return std::to_string(row.frame.data_length());
        case CanIdColumn::Data: return can_data_text(row.frame);
        case CanIdColumn::Cycle: return can_cycle_text(row.cycle);
        case CanIdColumn::Count: return std::to_string(row.count);
    }
    return {};
}

std::string can_detail_cell(std::uint8_t byte, std::size_t index, CanDetailColumn column) {
    switch (column) {
        case CanDetailColumn::Hidden:
        case CanDetailColumn::Value:
        case CanDetailColumn::History: return {};
        case CanDetailColumn::Index: return std::to_string(index);
        case CanDetailColumn::Hex: return strprintf("%02X", byte);
        case CanDetailColumn::Bin: {
            std::string bits(8, '0');
            for (int bit = 0; bit < 8; ++bit)
                if ((byte & (0x80 >> bit)) != 0) bits[static_cast<std::size_t>(bit)] = '1';
            return bits;
        }
        case CanDetailColumn::Dec: return std::to_string(byte);
        case CanDetailColumn::Ascii:
            if ((byte >= 32 && byte <= 128) || byte >= 192) {
                const char c = static_cast<char>(byte);
                std::string quoted = "'";
                quoted += cp1251_to_utf8(std::string_view(&c, 1));
                quoted += '\'';
                return quoted;
            }
            return "-";
    }
    return {};
}

std::string can_terminal_line(const CanFrame& frame) {
    const std::uint32_t stamp = frame.stamp_ms();
    std::string line = strprintf("%03lu.%03lu CANRX ", static_cast<unsigned long>(stamp / 1000),
                                 static_cast<unsigned long>(stamp % 1000));
    const std::uint32_t word = frame.id_word();
    if (frame.extended())
        line += strprintf("%08lX", static_cast<unsigned long>(word));
    else
        line += strprintf("%04lX", static_cast<unsigned long>(word >> kCanStandardShift));
    if (frame.data_length() != 0) {
        line += " [";
        for (const std::uint8_t b : frame.data()) line += strprintf(" %02X", b);
        line += " ]";
    }
    return line;
}

}  // namespace ztv
