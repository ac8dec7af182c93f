// One declarative table of the record's named fields: configuration-file key, place in the
// record, default, choice texts and typed range. The record accessors, the configuration
// file and the parameter pages all read it, so each fact about a field is stated once.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/text.h"
#include "config/record.h"

namespace ztv {

// Fields in the order in which section PARAM of the configuration file writes them, then the
// fields that live elsewhere in the file (section SOURCE) or not at all.
enum class FieldId : std::uint8_t {
    ENC0MODE, ENC0DIV, ENC1MODE, ENC1DIV,
    TOUCH_MODE, TOUCH_WINDOWS, TOUCH_INTERCEPT_SRCMASK, TOUCH_WAKEUP, TOUCH_HIDE, TOUCH_GESTURES, TOUCH_SRCMASK,
    IRINP_NUM, IRINP_INV,
    ANA_VOUT1, ANA_VOUT2, MINMAX_VOUT1, MINMAX_VOUT2, SERIAL_CH1, SERIAL_CH2,
    HEAD_TYPE, HEAD_NUM, IEBUS_MODEBITS, IEBUS_TOUCH, AMPLPARAM_TO,
    GANET_MODE, GANET_TOUCH, GANET_VOL_CH, GANET_ACURA_JOY_USE_TYPE, GANET_ACURA_COND_USE,
    CANPARAM_BAUD500K, CANPARAM_ACKED,
    IDRIVEPARAM_LIGHT, IDRIVEPARAM_TYPE, IDRIVEPARAM_TOUCHPAD_MODE, IDRIVEPARAM_TOUCHPAD_CLICK,
    IDRIVEPARAM_ORIENTATION, IDRIVEPARAM_MODE, IDRIVEPARAM2_INVERT_X, IDRIVEPARAM2_INVERT_Y,
    MCONTROLPARAM_TYPE, MCONTROLPARAM_SLAVE_MODE, MCONTROLPARAM_LIGHT, MCONTROLPARAM_ORIENTATION,
    MCONTROLPARAM_INVERT_X, MCONTROLPARAM_INVERT_Y, MCONTROLPARAM_SPEEDMODE, MCONTROLPARAM_LOCK,
    IBUSPARAM_NUM, IBUSPARAM_CDC,
    GPS_NUM, GPS_SPEED, GPS_PARITY, GPS_COURSE,
    PULSE_NUMSRC, PULSE_NUM, PULSE_MSACTIVE, PULSE_MSPAUSE,
    EXTNAVI_NUM, EXTNAVI_TYPE, EXTNAVI_SRC,
    CAP2RES_NUM, BT_NUM, RENAULT_JOY_TYPE,
    KEY, ANAPARAM, PINMODE,
    LINPARAM_SPEEDTYPE, LINPARAM_SWAP_VOLDN_OK, LINPARAM_SW_TYPE,
    PS2PARAM_TYPE, PS2PARAM_MNOG,
    UARTPARAM_NUM, UARTPARAM_SPEED, UARTPARAM_PARITY, UARTPARAM_DelayMS, UARTPARAM_ReplayMS,
    GAZERUARTPARAM_TYPE, GAZERUARTPARAM_NUM,
    AUDI_MMI_USE_TYPE, AUDI_MMI_PARAM,
    CARDSP_RUX_PARAM_NUM, CARDSP_RUX_PARAM_TYPE, CARDSP_RUX_PARAM_MODEBITS,
    RESEMULPARAM_NUM, RESEMULPARAM_SWAPXY, RESEMULPARAM_SWAPX, RESEMULPARAM_SWAPY,
    // Not in section PARAM:
    USE_NAME,         // section SOURCE
    PS2PARAM_ORIENT,  // byte 2007 bits 6-7: kept by the controller, not stored in files
    Count
};

inline constexpr std::size_t kFieldCount = static_cast<std::size_t>(FieldId::Count);
inline constexpr std::size_t kParamKeyCount = static_cast<std::size_t>(FieldId::USE_NAME);

enum class FieldKind : std::uint8_t {
    Byte,  // whole byte
    Word,  // little-endian 16-bit word
    Bits,  // bit range of one byte, or of the 16-bit word at the offset when wide is set
    Hex,   // run of bytes stored in the file as upper-case hex digits
};

enum class FileSection : std::uint8_t { Param, Source, None };

struct FieldDef {
    FieldId id;
    const char* key;
    FileSection section;
    FieldKind kind;
    std::uint16_t offset;
    std::uint8_t first_bit;   // Bits only
    std::uint8_t bit_count;   // Bits only
    std::uint16_t length;     // Hex only: number of bytes
    std::uint32_t file_default;
    std::span<const TextPair> choices;  // list texts in list-index order; empty when none
    std::uint32_t min;                  // range typed on the pages (inclusive); max 0 = none given
    std::uint32_t max;
    bool wide = false;                  // Bits of the 16-bit word at offset (IEBUS)
    bool bit_mask = false;              // choices name bits (bit n = choice n), not list positions

    // The largest value the field can hold.
    std::uint32_t width_mask() const;
};

std::span<const FieldDef> all_fields();
const FieldDef& field(FieldId id);
const FieldDef* find_field(std::string_view key);  // exact key; nullptr for "" and unknown keys

// The field's value, shifted down to bit 0 (Hex fields are not integers: 0).
std::uint32_t get_field(const Record& record, FieldId id);
// Cuts value to the field's width and writes it, keeping the other bits of its bytes.
void set_field(Record& record, FieldId id, std::uint32_t value);

// Pin names of the 14 pin-mode bytes at offsets 1941-1954, in record order.
std::span<const char* const> pin_mode_names();

}  // namespace ztv
