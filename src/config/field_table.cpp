#include "config/field_table.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "config/field_choices.h"

namespace ztv {
namespace {

using K = FieldKind;
using S = FileSection;
namespace c = choices;

constexpr std::span<const TextPair> kNone{};

FieldDef byte_field(FieldId id, const char* key, std::uint16_t offset, std::span<const TextPair> list = kNone,
                    std::uint32_t min = 0, std::uint32_t max = 0) {
    return FieldDef{id, key, S::Param, K::Byte, offset, 0, 8, 0, 0, list, min, max};
}
FieldDef word_field(FieldId id, const char* key, std::uint16_t offset, std::uint32_t min, std::uint32_t max) {
    return FieldDef{id, key, S::Param, K::Word, offset, 0, 16, 0, 0, kNone, min, max};
}
FieldDef bits_field(FieldId id, const char* key, std::uint16_t offset, std::uint8_t first_bit, std::uint8_t count,
                    std::span<const TextPair> list = kNone) {
    return FieldDef{id, key, S::Param, K::Bits, offset, first_bit, count, 0, 0, list, 0, 0};
}
FieldDef hex_field(FieldId id, const char* key, std::uint16_t offset, std::uint16_t length) {
    return FieldDef{id, key, S::Param, K::Hex, offset, 0, 0, length, 0, kNone, 0, 0};
}

// What sets a row apart from its kind's defaults, said in the row itself.
FieldDef wide(FieldDef def) {  // bits of the 16-bit word at the offset
    def.wide = true;
    return def;
}
FieldDef bit_mask(FieldDef def) {  // the list texts name bits
    def.bit_mask = true;
    return def;
}
FieldDef in_section(FieldDef def, FileSection section) {
    def.section = section;
    return def;
}
FieldDef file_default(FieldDef def, std::uint32_t value) {
    def.file_default = value;
    return def;
}

std::array<FieldDef, kFieldCount> make_table() {
    using F = FieldId;
    const FieldDef rows[] = {
        byte_field(F::ENC0MODE, "ENC0MODE", 1920, c::encoder_pins),
        byte_field(F::ENC0DIV, "ENC0DIV", 1921, kNone, 0, 9),
        byte_field(F::ENC1MODE, "ENC1MODE", 1922, c::encoder_pins),
        byte_field(F::ENC1DIV, "ENC1DIV", 1923, kNone, 0, 9),
        // The only field whose file default is not 0: a missing TOUCH_MODE means "Only external".
        file_default(bits_field(F::TOUCH_MODE, "TOUCH_MODE", 1916, 0, 3, c::touch_mode), 1),
        bits_field(F::TOUCH_WINDOWS, "TOUCH_WINDOWS", 1916, 3, 1),
        byte_field(F::TOUCH_INTERCEPT_SRCMASK, "TOUCH_INTERCEPT_SRCMASK", 1917),
        bits_field(F::TOUCH_WAKEUP, "TOUCH_WAKEUP", 1918, 0, 1),
        bits_field(F::TOUCH_HIDE, "TOUCH_HIDE", 1918, 1, 1),
        bits_field(F::TOUCH_GESTURES, "TOUCH_GESTURES", 1918, 2, 1),
        byte_field(F::TOUCH_SRCMASK, "TOUCH_SRCMASK", 1919),
        byte_field(F::IRINP_NUM, "IRINP_NUM", 1914, c::ir_input),
        byte_field(F::IRINP_INV, "IRINP_INV", 1915),
        byte_field(F::ANA_VOUT1, "ANA_VOUT1", 550),
        byte_field(F::ANA_VOUT2, "ANA_VOUT2", 551),
        byte_field(F::MINMAX_VOUT1, "MINMAX_VOUT1", 552),
        byte_field(F::MINMAX_VOUT2, "MINMAX_VOUT2", 553),
        bits_field(F::SERIAL_CH1, "SERIAL_CH1", 2024, 0, 1),
        bits_field(F::SERIAL_CH2, "SERIAL_CH2", 2024, 1, 1),
        byte_field(F::HEAD_TYPE, "HEAD_TYPE", 1925, c::head_type),
        byte_field(F::HEAD_NUM, "HEAD_NUM", 1924, c::module_connection),
        wide(bit_mask(bits_field(F::IEBUS_MODEBITS, "IEBUS_MODEBITS", 1931, 0, 15, c::iebus_functions))),
        wide(bits_field(F::IEBUS_TOUCH, "IEBUS_TOUCH", 1931, 15, 1)),
        word_field(F::AMPLPARAM_TO, "AMPLPARAM_TO", 1955, 0, 60000),
        byte_field(F::GANET_MODE, "GANET_MODE", 1963, c::ganet_mode),
        bits_field(F::GANET_TOUCH, "GANET_TOUCH", 1964, 7, 1),
        bits_field(F::GANET_VOL_CH, "GANET_VOL_CH", 1964, 0, 3, c::ganet_volume),
        bits_field(F::GANET_ACURA_JOY_USE_TYPE, "GANET_ACURA_JOY_USE_TYPE", 1964, 4, 3, c::ganet_joystick),
        bits_field(F::GANET_ACURA_COND_USE, "GANET_ACURA_COND_USE", 1964, 3, 1),
        byte_field(F::CANPARAM_BAUD500K, "CANPARAM_BAUD500K", 1957, c::can_speed),
        byte_field(F::CANPARAM_ACKED, "CANPARAM_ACKED", 1958),
        bits_field(F::IDRIVEPARAM_LIGHT, "IDRIVEPARAM_LIGHT", 1961, 0, 1, c::on_off),
        byte_field(F::IDRIVEPARAM_TYPE, "IDRIVEPARAM_TYPE", 2025, c::idrive_type),
        bits_field(F::IDRIVEPARAM_TOUCHPAD_MODE, "IDRIVEPARAM_TOUCHPAD_MODE", 1961, 2, 3, c::touchpad_mode),
        bits_field(F::IDRIVEPARAM_TOUCHPAD_CLICK, "IDRIVEPARAM_TOUCHPAD_CLICK", 1961, 5, 1, c::touchpad_click),
        bits_field(F::IDRIVEPARAM_ORIENTATION, "IDRIVEPARAM_ORIENTATION", 1961, 7, 1, c::orientation),
        bits_field(F::IDRIVEPARAM_MODE, "IDRIVEPARAM_MODE", 1961, 6, 1, c::offline_with_head),
        bits_field(F::IDRIVEPARAM2_INVERT_X, "IDRIVEPARAM2_INVERT_X", 2016, 0, 1),
        bits_field(F::IDRIVEPARAM2_INVERT_Y, "IDRIVEPARAM2_INVERT_Y", 2016, 1, 1),
        bits_field(F::MCONTROLPARAM_TYPE, "MCONTROLPARAM_TYPE", 2026, 0, 7, c::mcontrol_type),
        bits_field(F::MCONTROLPARAM_SLAVE_MODE, "MCONTROLPARAM_SLAVE_MODE", 2027, 4, 1, c::offline_with_head),
        bits_field(F::MCONTROLPARAM_LIGHT, "MCONTROLPARAM_LIGHT", 2027, 3, 1, c::on_off),
        bits_field(F::MCONTROLPARAM_ORIENTATION, "MCONTROLPARAM_ORIENTATION", 2027, 5, 1, c::orientation),
        bits_field(F::MCONTROLPARAM_INVERT_X, "MCONTROLPARAM_INVERT_X", 2027, 6, 1),
        bits_field(F::MCONTROLPARAM_INVERT_Y, "MCONTROLPARAM_INVERT_Y", 2027, 7, 1),
        bits_field(F::MCONTROLPARAM_SPEEDMODE, "MCONTROLPARAM_SPEEDMODE", 2027, 0, 3, c::mcontrol_speed),
        bits_field(F::MCONTROLPARAM_LOCK, "MCONTROLPARAM_LOCK", 2026, 7, 1, c::off_on),
        bits_field(F::IBUSPARAM_NUM, "IBUSPARAM_NUM", 1962, 0, 2, c::ibus_connection),
        bits_field(F::IBUSPARAM_CDC, "IBUSPARAM_CDC", 1962, 2, 1),
        byte_field(F::GPS_NUM, "GPS_NUM", 1926, c::module_connection),
        byte_field(F::GPS_SPEED, "GPS_SPEED", 1927, c::gps_speed),
        byte_field(F::GPS_PARITY, "GPS_PARITY", 1929, c::parity),
        byte_field(F::GPS_COURSE, "GPS_COURSE", 1928),
        byte_field(F::PULSE_NUMSRC, "PULSE_NUMSRC", 1933, kNone, 0, 7),
        byte_field(F::PULSE_NUM, "PULSE_NUM", 1934, c::pulse_pin),
        word_field(F::PULSE_MSACTIVE, "PULSE_MSACTIVE", 1935, 0, 5000),
        word_field(F::PULSE_MSPAUSE, "PULSE_MSPAUSE", 1937, 0, 5000),
        byte_field(F::EXTNAVI_NUM, "EXTNAVI_NUM", 1939, c::module_connection),
        bits_field(F::EXTNAVI_TYPE, "EXTNAVI_TYPE", 1940, 0, 4, c::extnavi_type),
        bits_field(F::EXTNAVI_SRC, "EXTNAVI_SRC", 1940, 4, 4),
        bits_field(F::CAP2RES_NUM, "CAP2RES_NUM", 1918, 3, 2, c::module_connection),
        bits_field(F::BT_NUM, "BT_NUM", 1918, 5, 2, c::module_connection),
        bits_field(F::RENAULT_JOY_TYPE, "RENAULT_JOY_TYPE", 1916, 4, 2, c::renault_joy),
        hex_field(F::KEY, "KEY", kHeaderOffset, kHeaderSize),
        hex_field(F::ANAPARAM, "ANAPARAM", kAnalogOffset, kAnalogSize),
        hex_field(F::PINMODE, "PINMODE", kPinModeOffset, kPinModeCount),
        bits_field(F::LINPARAM_SPEEDTYPE, "LINPARAM_SPEEDTYPE", 2006, 0, 3, c::lin_speed),
        bits_field(F::LINPARAM_SWAP_VOLDN_OK, "LINPARAM_SWAP_VOLDN_OK", 2006, 3, 1),
        bits_field(F::LINPARAM_SW_TYPE, "LINPARAM_SW_TYPE", 2006, 4, 4, c::lin_wheel),
        bits_field(F::PS2PARAM_TYPE, "PS2PARAM_TYPE", 2007, 0, 6, c::ps2_type),
        byte_field(F::PS2PARAM_MNOG, "PS2PARAM_MNOG", 2008, kNone, 0, 15),
        byte_field(F::UARTPARAM_NUM, "UARTPARAM_NUM", 2009, c::module_connection),
        byte_field(F::UARTPARAM_SPEED, "UARTPARAM_SPEED", 2010, c::uart_speed),
        byte_field(F::UARTPARAM_PARITY, "UARTPARAM_PARITY", 2011, c::parity),
        word_field(F::UARTPARAM_DelayMS, "UARTPARAM_DelayMS", 2012, 1, 10000),
        word_field(F::UARTPARAM_ReplayMS, "UARTPARAM_ReplayMS", 2014, 1, 10000),
        byte_field(F::GAZERUARTPARAM_TYPE, "GAZERUARTPARAM_TYPE", 2022, c::gazer_type),
        byte_field(F::GAZERUARTPARAM_NUM, "GAZERUARTPARAM_NUM", 2023, c::gazer_connection),
        byte_field(F::AUDI_MMI_USE_TYPE, "AUDI_MMI_USE_TYPE", 2017, c::audi_mmi),
        byte_field(F::AUDI_MMI_PARAM, "AUDI_MMI_PARAM", 2018),
        bits_field(F::CARDSP_RUX_PARAM_NUM, "CARDSP_RUX_PARAM_NUM", 2019, 0, 2, c::cardsp_connection),
        bits_field(F::CARDSP_RUX_PARAM_TYPE, "CARDSP_RUX_PARAM_TYPE", 2019, 2, 6, c::cardsp_type),
        bit_mask(byte_field(F::CARDSP_RUX_PARAM_MODEBITS, "CARDSP_RUX_PARAM_MODEBITS", 2020, c::cardsp_send_bits)),
        bits_field(F::RESEMULPARAM_NUM, "RESEMULPARAM_NUM", 2021, 0, 2, c::module_connection),
        bits_field(F::RESEMULPARAM_SWAPXY, "RESEMULPARAM_SWAPXY", 2021, 2, 1),
        bits_field(F::RESEMULPARAM_SWAPX, "RESEMULPARAM_SWAPX", 2021, 3, 1),
        bits_field(F::RESEMULPARAM_SWAPY, "RESEMULPARAM_SWAPY", 2021, 4, 1),
        in_section(byte_field(F::USE_NAME, "USE_NAME", 1965), S::Source),
        in_section(bits_field(F::PS2PARAM_ORIENT, "", 2007, 6, 2, c::ps2_orientation), S::None),
    };
    // Each row goes to the place its id names, so the table's order cannot drift from the
    // enumeration's; a missing row stops the program in every build, not only in debug ones.
    std::array<FieldDef, kFieldCount> t{};
    std::array<bool, kFieldCount> placed{};
    for (const FieldDef& row : rows) {
        const auto index = static_cast<std::size_t>(row.id);
        if (index >= kFieldCount || placed[index]) {
            std::fprintf(stderr, "field table: row %s out of place\n", row.key);
            std::abort();
        }
        t[index] = row;
        placed[index] = true;
    }
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (!placed[i]) {
            std::fprintf(stderr, "field table: no row for field %zu\n", i);
            std::abort();
        }
    return t;
}

const std::array<FieldDef, kFieldCount>& table() {
    static const std::array<FieldDef, kFieldCount> instance = make_table();
    return instance;
}

constexpr const char* kPinModeNames[kPinModeCount] = {"X2/2", "X2/3", "X2/4", "X2/5", "X2/6", "X4/2", "X4/3",
                                                      "X5/6", "X5/7", "X5/8", "X6/2", "X6/3", "X6/5", "X6/6"};

}  // namespace

std::uint32_t FieldDef::width_mask() const {
    switch (kind) {
        case FieldKind::Byte: return 0xFF;
        case FieldKind::Word: return 0xFFFF;
        case FieldKind::Bits: return (1u << bit_count) - 1u;
        case FieldKind::Hex: return 0;
    }
    return 0;
}

std::span<const FieldDef> all_fields() { return table(); }

const FieldDef& field(FieldId id) { return table()[static_cast<std::size_t>(id)]; }

const FieldDef* find_field(std::string_view key) {
    if (key.empty()) return nullptr;  // fields without a key of their own are not found by one
    for (const FieldDef& def : table())
        if (key == def.key) return &def;
    return nullptr;
}

std::uint32_t get_field(const Record& record, FieldId id) {
    const FieldDef& def = field(id);
    switch (def.kind) {
        case FieldKind::Byte: return record.u8(def.offset);
        case FieldKind::Word: return record.u16(def.offset);
        case FieldKind::Bits:
            if (def.wide) return (record.u16(def.offset) >> def.first_bit) & def.width_mask();
            return record.bits(def.offset, def.first_bit, def.bit_count);
        case FieldKind::Hex: return 0;
    }
    return 0;
}

void set_field(Record& record, FieldId id, std::uint32_t value) {
    const FieldDef& def = field(id);
    value &= def.width_mask();
    switch (def.kind) {
        case FieldKind::Byte: record.set_u8(def.offset, static_cast<std::uint8_t>(value)); break;
        case FieldKind::Word: record.set_u16(def.offset, static_cast<std::uint16_t>(value)); break;
        case FieldKind::Bits:
            if (def.wide) {
                const std::uint32_t mask = def.width_mask() << def.first_bit;
                const std::uint32_t word = (record.u16(def.offset) & ~mask) | (value << def.first_bit);
                record.set_u16(def.offset, static_cast<std::uint16_t>(word));
            } else {
                record.set_bits(def.offset, def.first_bit, def.bit_count, value);
            }
            break;
        case FieldKind::Hex: break;
    }
}

std::span<const char* const> pin_mode_names() { return kPinModeNames; }

}  // namespace ztv
