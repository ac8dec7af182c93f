#include "events/reaction_catalogue_edits.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "common/cp1251.h"
#include "common/format.h"
#include "common/numeric_entry.h"
#include "config/voltage.h"
#include "config/field_table.h"
#include "config/pin_rules.h"
#include "tools/ir_protocols.h"

namespace ztv {
namespace {

using C = ReactionControl;
using K = ReactionKind;
namespace lists = reaction_lists;

constexpr std::size_t P0 = 12, P1 = 13, P2 = 14, P3 = 15, P4 = 16;

ReactionEdit refused() { return ReactionEdit{false, {}, kBoxError, false, false}; }

ReactionEdit refused_with(Text message) {
    ReactionEdit edit = refused();
    edit.message = std::move(message);
    return edit;
}

std::uint16_t word_at(const std::span<std::uint8_t, kSlotSize>& s, std::size_t i) {
    return static_cast<std::uint16_t>(s[i] | (s[i + 1] << 8));
}
void set_word_at(std::span<std::uint8_t, kSlotSize>& s, std::size_t i, unsigned value) {
    s[i] = static_cast<std::uint8_t>(value & 0xFF);
    s[i + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// Plain lists: the list, the slot byte that stores the position.
struct PlainList {
    C control;
    std::size_t byte;
    const std::span<const TextPair>* entries;
};

const PlainList kPlainLists[] = {
    {C::PinMode, P1, &lists::pin_modes},
    {C::SourceSelect, P0, &lists::source_selection},
    {C::EventManageAction, P0, &lists::event_manage_actions},
    {C::MouseAction, P0, &lists::mouse_actions},
    {C::IebusAction, P0, &lists::iebus},
    {C::IdriveAction, P0, &lists::idrive},
    {C::IbusAction, P0, &lists::ibus},
    {C::CursorDirection, P0, &lists::cursor_directions},
    {C::MdxJoyMode, P0, &lists::mdx_joy},
    {C::LinAction, P0, &lists::lin},
    {C::MmiMode, P0, &lists::mmi},
    {C::DspMode, P0, &lists::dsp},
    {C::PanaceaMode, P0, &lists::panacea},
    {C::RJoyAction, P0, &lists::rjoy},
    {C::GanetAction, P0, &lists::ganet},
    {C::CruiseKey, P0, &lists::cruise},
    {C::MctrlAction, P0, &lists::mctrl},
    {C::PorsheMode, P0, &lists::porshe},
};

// Autorepeat intervals: a whole number, no message for a bad text; a larger value means 500.
std::uint16_t read_autorepeat(std::string_view text) {
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size()) return 0;
    if (error == std::errc::result_out_of_range) return kAutorepeatFallback;  // far above the limit
    if (error != std::errc()) return 0;
    return value > kAutorepeatLimit ? kAutorepeatFallback : static_cast<std::uint16_t>(value);
}

// "Code, HEX 2 bytes": pairs of hex digits, at most two; only a full two-byte code counts.
std::optional<std::uint16_t> read_hex_code(std::string_view text) {
    auto digit = [](char ch) -> int {
        if (ch >= '0' && ch <= '9') return ch - '0';
        if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
        if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
        return -1;
    };
    unsigned bytes[2] = {0, 0};
    std::size_t count = 0;
    for (std::size_t i = 0; count < 2 && i + 2 <= text.size(); i += 2) {
        const int high = digit(text[i]);
        const int low = digit(text[i + 1]);
        if (high < 0 || low < 0) break;
        bytes[count++] = static_cast<unsigned>(high * 16 + low);
    }
    if (count != 2) return std::nullopt;
    return static_cast<std::uint16_t>(bytes[0] * 256 + bytes[1]);
}

void store_number(std::span<std::uint8_t, kSlotSize>& s, C control, std::uint32_t v) {
    switch (control) {
        case C::UsbKeyDuration: s[P4] = static_cast<std::uint8_t>(v / 100); break;
        case C::IrRepeats: s[P3] = static_cast<std::uint8_t>((s[P3] & 0x0F) | (v << 4)); break;
        case C::PinDuration:
        case C::ControlDuration: set_word_at(s, P2, v); break;
        case C::TouchX: set_word_at(s, P0, (word_at(s, P0) & 0xF000u) | v); break;
        case C::TouchY: set_word_at(s, P1, (word_at(s, P1) & 0x000Fu) | (v << 4)); break;
        case C::TouchDuration: set_word_at(s, P3, (word_at(s, P3) & 0xF000u) | v); break;
        case C::IdriveParameter: set_word_at(s, P1, v); break;
        case C::CursorPoints:
        case C::MmiParameter:
        case C::ResEmulX: s[P1] = static_cast<std::uint8_t>(v); break;
        case C::ResEmulY: s[P2] = static_cast<std::uint8_t>(v); break;
        default: break;
    }
}

void store_reaction_text(std::span<std::uint8_t, kSlotSize>& s, std::string_view utf8) {
    const std::string cp = utf8_to_cp1251(utf8);
    put_field_text(s.subspan(P0, kReactionTextSize), std::string_view(cp).substr(0, kReactionTextSize));
}

// Output pins and encoder connections go through the pin rules, which say what to store.
ReactionEdit apply_pin_check(Record& record, const PinCheck& check) {
    apply(record, check);
    ReactionEdit edit;
    edit.accepted = check.accepted;
    edit.message = check.message;
    edit.box_type = check.box_type;
    edit.show_pins_page = check.show_pins_page;
    return edit;
}

bool slot_has_kind(const Record& record, std::size_t slot, C control) {
    return slot < kSlotCount && record.slot(slot)[kReactionKindByte] == static_cast<std::uint8_t>(reaction_control_kind(control));
}

}  // namespace

ReactionKind reaction_control_kind(ReactionControl control) {
    switch (control) {
        case C::UsbKeyText: case C::UsbKeyDuration: return K::UsbKey;
        case C::IrCode: case C::IrRepeats: case C::IrOutput: return K::SendIr;
        case C::PinOutput: case C::PinMode: case C::PinDuration: return K::Pin;
        case C::ControlVoltage1: case C::ControlVoltage2: case C::ControlAction1: case C::ControlAction2:
        case C::ControlSave1: case C::ControlSave2: case C::ControlDuration: return K::Control;
        case C::SourceSelect: case C::SourceSkip: case C::SourceSave: return K::Source;
        case C::TouchX: case C::TouchY: case C::TouchDuration: case C::TouchCapture: return K::UsbTouch;
        case C::EventManageAction: case C::EventManageTarget: return K::EventManage;
        case C::AmplifierParameter: case C::AmplifierAction: return K::Amplifier;
        case C::MouseAction: return K::UsbMouse;
        case C::EncoderConnection: case C::EncoderSteps: case C::EncoderRepeat: return K::Encoder;
        case C::IebusAction: return K::Iebus;
        case C::IdriveAction: case C::IdriveParameter: return K::Idrive;
        case C::IbusAction: return K::Ibus;
        case C::SerialValue: case C::SerialChannel: case C::SerialPreview: return K::Serial;
        case C::CursorDirection: case C::CursorPoints: case C::CursorPress: return K::CursorMove;
        case C::MdxJoyMode: return K::MdxJoy;
        case C::UartValue: return K::Uart;
        case C::LinAction: case C::LinTrigger: return K::Lin;
        case C::MmiMode: case C::MmiParameter: return K::AudiMmi;
        case C::DspMode: case C::DspParameter: case C::DspRepeat: return K::CarDsp;
        case C::PanaceaMode: return K::Panacea;
        case C::ResEmulX: case C::ResEmulY: return K::ResEmul;
        case C::RJoyAction: return K::RCanJoy;
        case C::SwCanCarType: case C::SwCanButton: case C::SwCanCode: return K::SwCan;
        case C::GanetAction: case C::GanetCode: return K::Ganet;
        case C::CruiseKey: return K::CruiseBmwDme;
        case C::MctrlAction: return K::MercedesCtrl;
        case C::PorsheMode: return K::PorsheKeys;
    }
    return K::UsbKey;
}

ReactionEdit choose_reaction_entry(Record& record, std::size_t slot, ReactionControl list, int position) {
    if (!slot_has_kind(record, slot, list) || position < 0) return refused();
    auto s = record.slot(slot);
    const auto pos = static_cast<unsigned>(position);
    for (const PlainList& plain : kPlainLists) {
        if (plain.control != list) continue;
        if (pos >= plain.entries->size()) return refused();
        s[plain.byte] = static_cast<std::uint8_t>(pos);
        return {};
    }
    switch (list) {
        case C::IrOutput:
            if (pos >= lists::ir_output_pins.size()) return refused();
            return apply_pin_check(record, check_reaction_output_pin(record, OutputPinList::Pulse, slot, P4,
                                                                     static_cast<std::uint8_t>(pos)));
        case C::PinOutput:
            if (pos >= lists::output_pins.size()) return refused();
            return apply_pin_check(record, check_reaction_output_pin(record, OutputPinList::Output, slot, P0,
                                                                     static_cast<std::uint8_t>(pos)));
        case C::EncoderConnection:
            if (pos >= lists::encoder_connections.size()) return refused();
            return apply_pin_check(record, check_encoder_emulation(record, slot, P0, static_cast<std::uint8_t>(pos)));
        case C::ControlAction1:
        case C::ControlAction2:
            if (pos >= lists::control_actions.size()) return refused();
            record.set_bits(Record::slot_offset(slot) + P4, list == C::ControlAction1 ? 0 : 4, 3, pos);
            return {};
        case C::EventManageTarget:
            if (pos > kSlotCount) return refused();
            s[P1] = static_cast<std::uint8_t>(pos);
            return {};
        case C::AmplifierParameter:
            if (pos >= kAmplifierParameterCount) return refused();
            s[P0] = static_cast<std::uint8_t>(pos);
            s[P1] = amplifier_neutral_action(pos);
            return {};
        case C::AmplifierAction:
            if (pos >= amplifier_action_count(s[P0])) return refused();
            s[P1] = static_cast<std::uint8_t>(pos);
            return {};
        case C::DspParameter: {
            const CarDspLayout layout = cardsp_layout(s[P0], get_field(record, FieldId::CARDSP_RUX_PARAM_TYPE));
            if (pos >= layout.count) return refused();
            s[P1] = static_cast<std::uint8_t>(pos);
            return {};
        }
        case C::SwCanButton: {
            const std::span<const std::uint8_t> codes = swcan_codes(s[P3]);
            s[P0] = pos < codes.size() ? codes[pos] : 0;
            return {};
        }
        case C::SwCanCarType: {
            if (pos >= lists::swcan_car_types.size()) return refused();
            // The button list keeps its position; the code is the new type's code there.
            const int shown = std::max(0, swcan_position(s[P3], s[P0]));
            s[P3] = static_cast<std::uint8_t>(pos);
            const std::span<const std::uint8_t> codes = swcan_codes(pos);
            s[P0] = static_cast<std::size_t>(shown) < codes.size() ? codes[static_cast<std::size_t>(shown)] : 0;
            return {};
        }
        default: return refused();
    }
}

ReactionEdit enter_reaction_text(Record& record, std::size_t slot, ReactionControl field, std::string_view utf8) {
    if (!slot_has_kind(record, slot, field)) return refused();
    auto s = record.slot(slot);
    if (const ReactionNumberField* number = find_reaction_number_field(field)) {
        const NumericEntry entry = check_numeric_entry(utf8, NumericField{number->min, number->max, 4});
        if (!entry.accepted) return refused_with(entry.message);
        store_number(s, field, entry.value);
        return {};
    }
    switch (field) {
        case C::ControlVoltage1: s[P0] = default_voltage_byte(utf8); return {};
        case C::ControlVoltage2: s[P1] = default_voltage_byte(utf8); return {};
        case C::EncoderRepeat:
        case C::DspRepeat: set_word_at(s, P2, read_autorepeat(utf8)); return {};
        case C::SerialValue:
        case C::UartValue: store_reaction_text(s, utf8); return {};
        case C::SwCanCode:
        case C::GanetCode: {
            const std::optional<std::uint16_t> code = read_hex_code(utf8);
            if (!code) return refused();
            set_word_at(s, P1, *code);
            return {};
        }
        default: return refused();
    }
}

ReactionEdit set_reaction_check(Record& record, std::size_t slot, ReactionControl check, bool checked) {
    if (!slot_has_kind(record, slot, check)) return refused();
    const std::size_t base = Record::slot_offset(slot);
    const unsigned value = checked ? 1 : 0;
    switch (check) {
        case C::ControlSave1: record.set_bits(base + P4, 3, 1, value); return {};
        case C::ControlSave2: record.set_bits(base + P4, 7, 1, value); return {};
        case C::SourceSave:
        case C::CursorPress: record.set_u8(base + P2, static_cast<std::uint8_t>(value)); return {};
        case C::LinTrigger: record.set_u8(base + P1, static_cast<std::uint8_t>(value)); return {};
        default: return refused();
    }
}

ReactionEdit set_encoder_steps(Record& record, std::size_t slot, int steps) {
    if (!slot_has_kind(record, slot, C::EncoderSteps) || steps < kEncoderStepsMin || steps > kEncoderStepsMax)
        return refused();
    record.set_u8(Record::slot_offset(slot) + P1, static_cast<std::uint8_t>(static_cast<std::int8_t>(steps)));
    return {};
}

ReactionEdit set_skip_mask(Record& record, std::size_t slot, std::uint8_t mask) {
    if (!slot_has_kind(record, slot, C::SourceSkip)) return refused();
    record.set_u8(Record::slot_offset(slot) + P1, mask);
    return {};
}

ReactionEdit accept_captured_ir_reaction(Record& record, std::size_t slot, const std::array<std::uint8_t, 4>& code) {
    if (slot >= kSlotCount) return refused();
    if (code == std::array<std::uint8_t, 4>{}) {
        ReactionEdit edit = refused_with(to_text(kNoInfraredCode));
        edit.is_notice = true;
        return edit;
    }
    if (!ir_capture_fits_reaction(code[3] & 0x0F)) {
        ReactionEdit edit = refused_with(to_text(kReactionProtocolMessage));
        edit.box_type = kBoxWarning;
        return edit;
    }
    auto s = record.slot(slot);
    if (s[kReactionKindByte] != static_cast<std::uint8_t>(K::SendIr)) {
        std::fill(s.begin() + kReactionFirstByte, s.end(), std::uint8_t{0});
        s[kReactionKindByte] = static_cast<std::uint8_t>(K::SendIr);
    }
    std::copy(code.begin(), code.end(), s.begin() + P0);
    return {};
}

ReactionEdit accept_captured_touch(Record& record, std::size_t slot, unsigned x, unsigned y) {
    if (!slot_has_kind(record, slot, C::TouchX)) return refused();
    auto s = record.slot(slot);
    store_number(s, C::TouchX, std::min(x, 4095u));
    store_number(s, C::TouchY, std::min(y, 4095u));
    store_number(s, C::TouchDuration, kCapturedTouchDurationMs);
    return {};
}

}  // namespace ztv
