#include "events/reaction_catalogue_edits.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "catalogues/ir_protocols.h"
#include "common/cp1251.h"
#include "common/numeric_entry.h"
#include "config/field_table.h"
#include "config/pin_rules.h"
#include "config/voltage.h"
#include "events/slot_outcomes.h"
#include "tools/ir_capture.h"

namespace ztv {
namespace {

using C = ReactionControl;
using Slot = std::span<std::uint8_t, kSlotSize>;

using slot_outcome::refused;
using slot_outcome::refused_entry;
using slot_outcome::stored;

// Output pins and encoder connections go through the pin rules, which say what to store.
EditOutcome pin_outcome(Record& record, const PinCheck& check) {
    apply(record, check);
    EditOutcome outcome = stored();
    outcome.accepted = check.accepted;
    outcome.message = check.message;
    outcome.box_type = check.box_type;
    if (check.show_pins_page) outcome.focus = EditOutcome::Focus::PinsPage;
    return outcome;
}

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

// The row of a control on the page of the kind the slot holds; nullptr otherwise.
const ReactionControlDef* on_page(const Record& record, std::size_t slot, ReactionControl control) {
    if (slot >= kSlotCount) return nullptr;
    const ReactionControlDef& def = reaction_control_def(control);
    return record.slot(slot)[kReactionKindByte] == static_cast<std::uint8_t>(def.kind) ? &def : nullptr;
}

EditOutcome choose_with_rule(Record& record, std::size_t slot, const ReactionControlDef& def, unsigned position) {
    const Slot s = record.slot(slot);
    const auto value = static_cast<std::uint8_t>(position);
    switch (def.rule) {
        case ReactionRule::OutputPin:
            return pin_outcome(record, check_reaction_output_pin(record, OutputPinList::Output, slot, def.byte, value));
        case ReactionRule::PulsePin:
            return pin_outcome(record, check_reaction_output_pin(record, OutputPinList::Pulse, slot, def.byte, value));
        case ReactionRule::EncoderPins:
            return pin_outcome(record, check_encoder_emulation(record, slot, def.byte, value));
        case ReactionRule::AmplifierTab:
            write_reaction_field(s, def, position);
            write_reaction_field(s, C::AmplifierAction, amplifier_neutral_action(position));
            return stored();
        case ReactionRule::SwCanButton: {
            const std::span<const std::uint8_t> codes = swcan_codes(read_reaction_field(s, C::SwCanCarType));
            write_reaction_field(s, def, position < codes.size() ? codes[position] : 0);
            return stored();
        }
        case ReactionRule::SwCanType: {
            // The button list keeps its position; the code is the new type's code there.
            const int shown = std::max(0, swcan_position(read_reaction_field(s, def), read_reaction_field(s, C::SwCanButton)));
            write_reaction_field(s, def, position);
            const std::span<const std::uint8_t> codes = swcan_codes(position);
            const auto at = static_cast<std::size_t>(shown);
            write_reaction_field(s, C::SwCanButton, at < codes.size() ? codes[at] : 0);
            return stored();
        }
        case ReactionRule::None: break;
    }
    write_reaction_field(s, def, position);
    return stored();
}

}  // namespace

EditOutcome choose_reaction_entry(Record& record, std::size_t slot, ReactionControl list, int position) {
    const ReactionControlDef* def = on_page(record, slot, list);
    if (def == nullptr || def->widget != ControlKind::List || position < 0) return refused();
    const auto pos = static_cast<unsigned>(position);
    if (def->rule != ReactionRule::SwCanButton && pos >= reaction_list_items(record, slot, *def).size())
        return refused();
    return choose_with_rule(record, slot, *def, pos);
}

EditOutcome enter_reaction_text(Record& record, std::size_t slot, ReactionControl field, std::string_view utf8) {
    const ReactionControlDef* def = on_page(record, slot, field);
    if (def == nullptr || def->widget != ControlKind::Edit) return refused();
    const Slot s = record.slot(slot);
    switch (def->codec) {
        case FieldCodec::Number:
        case FieldCodec::Tenths: {
            const NumericEntry entry = check_numeric_entry(utf8, NumericField{def->min, def->max, 4});
            if (!entry.accepted) return refused_entry(entry);
            write_reaction_field(s, *def, def->codec == FieldCodec::Tenths ? entry.value / 100 : entry.value);
            return stored();
        }
        case FieldCodec::Voltage: write_reaction_field(s, *def, default_voltage_byte(utf8)); return stored();
        case FieldCodec::Autorepeat: write_reaction_field(s, *def, read_autorepeat(utf8)); return stored();
        case FieldCodec::Text: {
            const std::string cp = utf8_to_cp1251(utf8);
            put_field_text(s.subspan(def->byte, kReactionTextSize), std::string_view(cp).substr(0, kReactionTextSize));
            return stored();
        }
        case FieldCodec::HexWord: {
            const std::optional<std::uint16_t> code = read_hex_code(utf8);
            if (!code) return refused();
            write_reaction_field(s, *def, *code);
            return stored();
        }
        default: return refused();
    }
}

EditOutcome set_reaction_check(Record& record, std::size_t slot, ReactionControl check, bool checked) {
    const ReactionControlDef* def = on_page(record, slot, check);
    if (def == nullptr || def->codec != FieldCodec::Flag) return refused();
    write_reaction_field(record.slot(slot), *def, checked ? 1 : 0);
    return stored();
}

EditOutcome set_reaction_number(Record& record, std::size_t slot, ReactionControl spin, std::int64_t value) {
    const ReactionControlDef* def = on_page(record, slot, spin);
    if (def == nullptr || def->codec != FieldCodec::Signed || value < kEncoderStepsMin || value > kEncoderStepsMax)
        return refused();
    write_reaction_field(record.slot(slot), *def, static_cast<std::uint8_t>(static_cast<std::int8_t>(value)));
    return stored();
}

EditOutcome set_skip_mask(Record& record, std::size_t slot, std::uint8_t mask) {
    const ReactionControlDef* def = on_page(record, slot, C::SourceSkip);
    if (def == nullptr) return refused();
    write_reaction_field(record.slot(slot), *def, mask);
    return stored();
}

EditOutcome accept_captured_ir_reaction(Record& record, std::size_t slot, const std::array<std::uint8_t, 4>& code) {
    if (slot >= kSlotCount || code == std::array<std::uint8_t, 4>{}) return refused();
    const unsigned protocol = code[3] & 0x0Fu;
    if (!ir_capture_fits_reaction(protocol)) {
        EditOutcome outcome;
        outcome.accepted = false;
        outcome.message = to_text(protocol == kIrProtocolCanAuto ? kCanAutoReactionMessage : kReactionProtocolMessage);
        outcome.box_type = kBoxInformation;
        return outcome;
    }
    const Slot s = record.slot(slot);
    if (s[kReactionKindByte] != static_cast<std::uint8_t>(ReactionKind::SendIr)) {
        std::fill(s.begin() + kReactionFirstByte, s.end(), std::uint8_t{0});
        s[kReactionKindByte] = static_cast<std::uint8_t>(ReactionKind::SendIr);
    }
    std::copy(code.begin(), code.end(), s.begin() + kReactionFirstByte + 1);
    return stored();
}

EditOutcome accept_captured_touch(Record& record, std::size_t slot, unsigned x, unsigned y) {
    if (on_page(record, slot, C::TouchX) == nullptr) return refused();
    const Slot s = record.slot(slot);
    write_reaction_field(s, C::TouchX, std::min(x, 4095u));
    write_reaction_field(s, C::TouchY, std::min(y, 4095u));
    write_reaction_field(s, C::TouchDuration, kCapturedTouchDurationMs);
    return stored();
}

}  // namespace ztv
