#include "config/pin_rules.h"

#include "common/format.h"
#include "config/pin_messages.h"
#include "config/pin_occupation.h"
#include "config/pins.h"

namespace ztv {
namespace {

constexpr std::size_t kPulseListSize = 14;
constexpr std::size_t kOutputListSize = 18;
constexpr std::size_t kEncoderEmulationListSize = 7;

unsigned value_of(const Record& record, FieldId id) { return get_field(record, id); }

bool touch_holds_pins(const Record& record) {
    const unsigned mode = value_of(record, FieldId::TOUCH_MODE);
    return mode >= 1 && mode <= 3;
}

bool mode_set(const Record& record, Pin pin) { return pin_mode(record, pin) != 0; }

PinCheck accept(FieldId id, std::uint32_t value) {
    PinCheck check;
    check.writes.push_back(RecordWrite::to_field(id, value));
    return check;
}

// A value that no list offers: nothing is stored and nothing is said.
PinCheck ignore() {
    PinCheck check;
    check.accepted = false;
    return check;
}

PinCheck refuse(Text message) {
    PinCheck check;
    check.accepted = false;
    check.message = std::move(message);
    return check;
}

PinCheck refuse_storing(FieldId id, std::uint32_t value, Text message) {
    PinCheck check = refuse(std::move(message));
    check.writes.push_back(RecordWrite::to_field(id, value));
    return check;
}

// A list offers its positions; a bit mask any set of its bits (and the field's reserved bits,
// which it keeps as they are).
bool beyond_list(FieldId id, std::uint32_t value) {
    const FieldDef& def = field(id);
    if (value > def.width_mask()) return true;
    return !def.bit_mask && !def.choices.empty() && value >= def.choices.size();
}

PinCheck check_encoder(const Record& record, FieldId id, unsigned m) {
    if (m == 0) return accept(id, m);
    const bool first = id == FieldId::ENC0MODE;
    const int number = first ? 1 : 2;
    auto taken = [&](Pin a, Pin b) { return mode_set(record, a) || mode_set(record, b); };

    if ((m == 1 && taken(Pin::X2_2, Pin::X2_3)) || (m == 2 && taken(Pin::X2_4, Pin::X2_5)) ||
        (m == 5 && taken(Pin::X4_2, Pin::X4_3)) || (m == 6 && taken(Pin::X6_2, Pin::X6_3)) ||
        (m == 7 && taken(Pin::X6_5, Pin::X6_6)))
        return refuse(format_pair(msg::kEncoderPinsOutput, number));
    if ((m == 1 || m == 2) && touch_holds_pins(record)) return refuse(format_pair(msg::kEncoderPinsTouch, number));
    const unsigned gps = value_of(record, FieldId::GPS_NUM);
    if ((m == 5 && gps == 1) || (m == 6 && gps == 2)) return refuse(format_pair(msg::kEncoderPinsGps, number));
    const unsigned head = value_of(record, FieldId::HEAD_NUM);
    if ((m == 5 && head == 1) || (m == 6 && head == 2)) return refuse(format_pair(msg::kEncoderPinsHead, number));
    // The other encoder may sit on any pair, the X3 pairs included.
    if (first && m == value_of(record, FieldId::ENC1MODE)) return refuse(to_text(msg::kEncoder1PinsEncoder2));
    if (!first && m == value_of(record, FieldId::ENC0MODE)) return refuse(to_text(msg::kEncoder2PinsEncoder1));
    return accept(id, m);
}

PinCheck check_touch(const Record& record, unsigned t) {
    if (t != 0) {
        std::optional<TextPair> refusal;
        const bool pins_configured = mode_set(record, Pin::X2_2) || mode_set(record, Pin::X2_3) ||
                                     mode_set(record, Pin::X2_4) || mode_set(record, Pin::X2_5) ||
                                     mode_set(record, Pin::X2_6);
        const unsigned enc0 = value_of(record, FieldId::ENC0MODE);
        const unsigned enc1 = value_of(record, FieldId::ENC1MODE);
        const unsigned ir = value_of(record, FieldId::IRINP_NUM);
        if (pins_configured)
            refusal = msg::kTouchPinsInUse;
        else if (enc0 == 1 || enc0 == 2)
            refusal = msg::kTouchPinsEncoder1;
        else if (enc1 == 1 || enc1 == 2)
            refusal = msg::kTouchPinsEncoder2;
        else if (ir >= 1 && ir <= 5)
            refusal = msg::kTouchPinsIrInput;
        else if (value_of(record, FieldId::HEAD_NUM) != 0 && value_of(record, FieldId::HEAD_TYPE) != 0)
            refusal = msg::kTouchFromHeadUnit;
        else if (value_of(record, FieldId::IEBUS_TOUCH) != 0)
            refusal = msg::kTouchFromIebus;
        // Even "Source...", which holds no pin, is refused while the panel's pins are busy.
        if (refusal) return refuse_storing(FieldId::TOUCH_MODE, 0, to_text(*refusal));
    }
    if (t == 4) {
        PinCheck check;
        check.ask_touch_sources = true;
        return check;
    }
    PinCheck check = accept(FieldId::TOUCH_MODE, t);
    check.writes.push_back(RecordWrite::to_field(FieldId::TOUCH_INTERCEPT_SRCMASK, 0));
    return check;
}

PinCheck check_ir_input(const Record& record, unsigned k) {
    const std::optional<Pin> pin = ir_input_pin(k);
    if (!pin) return accept(FieldId::IRINP_NUM, k);  // "Disabled" and the inputs without a configurable pin
    auto refusal = [](TextPair text) { return refuse_storing(FieldId::IRINP_NUM, 0, to_text(text)); };
    if (mode_set(record, *pin)) return refusal(msg::kIrPinInUse);
    // Encoders are looked for on X2 only; one on X4 or X6 does not stop the IR input.
    auto encoder_on_pin = [&](FieldId encoder) {
        const unsigned mode = value_of(record, encoder);
        return (mode == 1 && (k == 1 || k == 2)) || (mode == 2 && (k == 3 || k == 4));
    };
    auto module_on_pin = [&](FieldId module) {
        const unsigned connection = value_of(record, module);
        return (connection == 1 && (k == 6 || k == 7)) || (connection == 2 && (k == 8 || k == 9));
    };
    if (touch_holds_pins(record) && k <= 5) return refusal(msg::kIrPinTouch);
    if (encoder_on_pin(FieldId::ENC0MODE)) return refusal(msg::kIrPinEncoder1);
    if (encoder_on_pin(FieldId::ENC1MODE)) return refusal(msg::kIrPinEncoder2);
    if (module_on_pin(FieldId::GPS_NUM)) return refusal(msg::kIrPinGps);
    if (module_on_pin(FieldId::HEAD_NUM)) return refusal(msg::kIrPinHead);
    return accept(FieldId::IRINP_NUM, k);
}

// The module's name in the conflict message (not always the name it shows on its pins).
TextPair module_name(FieldId id) {
    switch (id) {
        case FieldId::HEAD_NUM: return {"HEAD UNIT", "HEAD UNIT"};
        case FieldId::GPS_NUM: return {"GPS UART", "GPS UART"};
        case FieldId::EXTNAVI_NUM: return {"EXT NAVI", "EXT NAVI"};
        case FieldId::CAP2RES_NUM: return {"CAP2RES", "CAP2RES"};
        case FieldId::BT_NUM: return {"BT UART", "BT UART"};
        case FieldId::CARDSP_RUX_PARAM_NUM: return {"CarDSP", "CarDSP"};
        default: return {"UART", "UART"};  // UART, resistive touch emulation, GAZER
    }
}

bool is_module_connection(FieldId id) {
    switch (id) {
        case FieldId::HEAD_NUM:
        case FieldId::GPS_NUM:
        case FieldId::EXTNAVI_NUM:
        case FieldId::CAP2RES_NUM:
        case FieldId::BT_NUM:
        case FieldId::UARTPARAM_NUM:
        case FieldId::CARDSP_RUX_PARAM_NUM:
        case FieldId::RESEMULPARAM_NUM:
        case FieldId::GAZERUARTPARAM_NUM:
            return true;
        default:
            return false;
    }
}

PinCheck check_module(const Record& record, FieldId id, unsigned v) {
    if (v == 0) return accept(id, v);
    // Only the first pin of the pair decides. The module's own connection is left out, so
    // that choosing its current connection again does not find the module in its own way.
    const Pin first_pin = v == 1 ? Pin::X4_2 : Pin::X6_2;
    const PinOccupation occupation = occupy(record, occupant_of(id));
    const PinListState& state = occupation[first_pin];
    if (state.enabled) return accept(id, v);
    const TextPair module = module_name(id);
    const TextPair holder = state.first_item;
    Text message(strprintf(msg::kModulePinsInUse.ru, module.ru, holder.ru),
                 strprintf(msg::kModulePinsInUse.en, module.en, holder.en));
    return refuse_storing(id, 0, std::move(message));
}

PinCheck check_iebus_touch(const Record& record, unsigned ticked) {
    if (ticked == 0) return accept(FieldId::IEBUS_TOUCH, 0);
    if (touch_holds_pins(record)) return refuse(to_text(msg::kIebusTouchPanel));
    // Unlike the touch panel check, head-unit type 6 does not count here.
    const unsigned head_type = value_of(record, FieldId::HEAD_TYPE);
    if (value_of(record, FieldId::HEAD_NUM) != 0 && head_type != 0 && head_type != 6)
        return refuse(to_text(msg::kIebusHeadUnit));
    return accept(FieldId::IEBUS_TOUCH, 1);
}

// Free outputs sit on general pins that were given a mode; the X5 pins are always outputs.
bool output_needs_configuring(const Record& record, std::optional<Pin> pin) {
    return pin && is_general_pin(*pin) && pin_mode(record, *pin) == 0;
}

PinCheck check_pulse(const Record& record, unsigned v) {
    if (output_needs_configuring(record, pulse_list_pin(v)))
        return refuse_storing(FieldId::PULSE_NUM, 0, to_text(msg::kConfigurePinFirst));
    return accept(FieldId::PULSE_NUM, v);
}

}  // namespace

RecordWrite RecordWrite::to_field(FieldId id, std::uint32_t value) {
    RecordWrite write;
    write.target = Target::Field;
    write.field = id;
    write.value = value;
    return write;
}

RecordWrite RecordWrite::to_pin_mode(Pin pin, std::uint8_t mode) {
    RecordWrite write;
    write.target = Target::PinMode;
    write.pin = pin;
    write.value = mode;
    return write;
}

RecordWrite RecordWrite::to_slot(std::size_t slot, std::size_t byte, std::uint8_t value) {
    RecordWrite write;
    write.target = Target::SlotByte;
    write.slot = static_cast<std::uint8_t>(slot);
    write.byte = static_cast<std::uint8_t>(byte);
    write.value = value;
    return write;
}

void RecordWrite::apply(Record& record) const {
    if (target == Target::Field) {
        if (field < FieldId::Count) set_field(record, field, value);
        return;
    }
    if (target == Target::PinMode) {
        if (pin_index(pin) < kPinCount) set_pin_mode(record, pin, static_cast<std::uint8_t>(value));
        return;
    }
    if (slot < kSlotCount && byte < kSlotSize) record.slot(slot)[byte] = static_cast<std::uint8_t>(value);
}

void apply(Record& record, const PinCheck& check) {
    for (const RecordWrite& write : check.writes) write.apply(record);
}

bool is_pin_checked(FieldId id) {
    switch (id) {
        case FieldId::ENC0MODE:
        case FieldId::ENC1MODE:
        case FieldId::TOUCH_MODE:
        case FieldId::IRINP_NUM:
        case FieldId::IEBUS_TOUCH:
        case FieldId::PULSE_NUM:
            return true;
        default:
            return is_module_connection(id);
    }
}

PinCheck check_pin_change(const Record& record, FieldId id, std::uint32_t new_value) {
    if (id >= FieldId::Count) return ignore();
    if (beyond_list(id, new_value)) return ignore();
    const auto v = static_cast<unsigned>(new_value);
    switch (id) {
        case FieldId::ENC0MODE:
        case FieldId::ENC1MODE: return check_encoder(record, id, v);
        case FieldId::TOUCH_MODE: return check_touch(record, v);
        case FieldId::IRINP_NUM: return check_ir_input(record, v);
        case FieldId::IEBUS_TOUCH: return check_iebus_touch(record, v);
        case FieldId::PULSE_NUM: return check_pulse(record, v);
        default: break;
    }
    if (is_module_connection(id)) return check_module(record, id, v);
    return accept(id, new_value);
}

PinCheck check_pin_mode_change(const Record& record, Pin pin, std::uint8_t mode) {
    if (pin_index(pin) >= kPinCount || mode >= pin_mode_choices(pin).size()) return ignore();
    if (occupy(record).held(pin)) return ignore();
    PinCheck check;
    check.writes.push_back(RecordWrite::to_pin_mode(pin, mode));
    return check;
}

PinCheck finish_touch_sources(const Record& record, std::optional<std::uint8_t> chosen) {
    const std::uint8_t mask =
        chosen.value_or(static_cast<std::uint8_t>(value_of(record, FieldId::TOUCH_INTERCEPT_SRCMASK)));
    if (mask == 0) return accept(FieldId::TOUCH_MODE, 0);
    PinCheck check = accept(FieldId::TOUCH_MODE, 4);
    check.writes.push_back(RecordWrite::to_field(FieldId::TOUCH_INTERCEPT_SRCMASK, mask));
    return check;
}

PinCheck check_reaction_output_pin(const Record& record, OutputPinList list, std::size_t slot, std::size_t byte,
                                   std::uint8_t value) {
    const bool pulse = list == OutputPinList::Pulse;
    if (slot >= kSlotCount || byte >= kSlotSize || value >= (pulse ? kPulseListSize : kOutputListSize))
        return ignore();
    PinCheck check;
    if (output_needs_configuring(record, pulse ? pulse_list_pin(value) : output_list_pin(value))) {
        check = refuse(to_text(msg::kConfigurePinFirst));
        check.box_type = kBoxWarning;
        check.show_pins_page = true;
        check.writes.push_back(RecordWrite::to_slot(slot, byte, 0));
        return check;
    }
    check.writes.push_back(RecordWrite::to_slot(slot, byte, value));
    return check;
}

PinCheck check_encoder_emulation(const Record& record, std::size_t slot, std::size_t byte, std::uint8_t value) {
    if (slot >= kSlotCount || byte >= kSlotSize || value >= kEncoderEmulationListSize) return ignore();
    std::optional<TextPair> refusal;
    const unsigned gps = value_of(record, FieldId::GPS_NUM);
    const unsigned head = value_of(record, FieldId::HEAD_NUM);
    if ((value == 1 || value == 2) && touch_holds_pins(record))
        refusal = msg::kEncoderEmulationTouch;
    else if ((value == 3 && gps == 1) || (value == 5 && gps == 2))
        refusal = msg::kEncoderEmulationGps;
    else if ((value == 3 && head == 1) || (value == 5 && head == 2))
        refusal = msg::kEncoderEmulationHead;
    if (refusal) {
        PinCheck check = refuse(to_text(*refusal));
        check.box_type = kBoxWarning;
        return check;
    }
    PinCheck check;
    check.writes.push_back(RecordWrite::to_slot(slot, byte, value));
    return check;
}

}  // namespace ztv
