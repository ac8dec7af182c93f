#include "events/reaction_catalogue_edits.h"

#include <algorithm>
#include <cstdint>

#include "catalogues/ir_protocols.h"
#include "config/control_dispatch.h"
#include "config/field_table.h"
#include "config/pin_rules.h"
#include "events/slot_outcomes.h"
#include "tools/ir_capture.h"

namespace ztv {
namespace {

using C = ReactionControl;
using Slot = std::span<std::uint8_t, kSlotSize>;

using slot_outcome::refused;
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

EditOutcome edit_reaction(Record& record, std::size_t slot, ReactionControl control, const ControlAction& action) {
    const ReactionControlDef* def = on_page(record, slot, control);
    if (def == nullptr) return refused();
    // A SW CAN button list stores the code at any position: a position beyond the car type's
    // buttons stores 0.
    const std::size_t entries = def->codec == ValueCodec::Position && def->rule != ReactionRule::SwCanButton
                                    ? reaction_list_items(record, slot, *def).size()
                                    : UINT32_MAX;
    const Entry entry = read_entry(*def, action, entries);
    if (!entry.accepted) return refusal(entry, EditOutcome::Redraw::Page);
    const Slot s = record.slot(slot);
    switch (def->codec) {
        case ValueCodec::Position: return choose_with_rule(record, slot, *def, entry.value);
        case ValueCodec::Text:
            put_field_text(s.subspan(def->byte, kReactionTextSize), entry.text);
            return stored();
        default: write_reaction_field(s, *def, entry.value); return stored();
    }
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
