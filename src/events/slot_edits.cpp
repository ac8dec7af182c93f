#include "events/slot_edits.h"

#include <optional>
#include <vector>

#include "config/control_dispatch.h"
#include "events/event_catalogue_edits.h"
#include "events/event_display.h"
#include "events/reaction_catalogue_edits.h"
#include "events/slot_controls.h"
#include "events/slot_editor_texts.h"
#include "events/slot_outcomes.h"

namespace ztv {
namespace {

using slot_outcome::follow_up;
using slot_outcome::refused;
// Every stored edit draws the slot again: a change of one control may change others.
EditOutcome redraw_slot() { return slot_outcome::stored(); }

bool valid(std::size_t slot) { return slot < kSlotCount; }

// The event control by name, only while the slot holds the kind whose page shows it.
const EventControlDef* event_control(const ConfigState& state, std::size_t slot, std::string_view name) {
    const EventControlDef* def = find_event_control(name);
    if (def == nullptr || !valid(slot) || state.record.slot(slot)[kEventKindByte] != def->kind) return nullptr;
    return def;
}

const ReactionControlDef* reaction_control(const ConfigState& state, std::size_t slot, std::string_view name) {
    const ReactionControlDef* def = find_reaction_control(name);
    if (def == nullptr || !valid(slot) ||
        state.record.slot(slot)[kReactionKindByte] != static_cast<std::uint8_t>(reaction_control_kind(def->control)))
        return nullptr;
    return def;
}

}  // namespace

namespace {

// The trigger type, "One time only", "Wake Up" and the event's source; nullopt for another control.
std::optional<EditOutcome> edit_common(Record& record, std::size_t slot, const ControlAction& action) {
    const bool list = action.kind == ControlKind::List;
    const bool check = action.kind == ControlKind::Check;
    if (action.name == event_common::kTrigger) {
        // The list holds the types the kind admits, in type order.
        const std::vector<unsigned> offered = offered_trigger_types(record, slot);
        if (!list || action.value < 0 || static_cast<std::uint64_t>(action.value) >= offered.size()) return refused();
        slots::set_trigger_type(record, slot, static_cast<std::uint8_t>(offered[static_cast<std::size_t>(action.value)]));
        return redraw_slot();
    }
    if (action.name == event_common::kSource) {
        if (!list) return refused();
        if (action.value == 0) {
            slots::set_source_mask(record, slot, 0);
            return redraw_slot();
        }
        return action.value == 1 ? follow_up(slot_follow_up::kEventSources) : refused();
    }
    if (action.name == event_common::kOnce || action.name == event_common::kWakeUp) {
        if (!check) return refused();
        if (action.name == event_common::kOnce) slots::set_once(record, slot, action.value != 0);
        else slots::set_wake_up(record, slot, action.value != 0);
        return redraw_slot();
    }
    return std::nullopt;
}

EditOutcome edit_event(Record& record, std::size_t slot, const EventControlDef& def, const ControlAction& action) {
    if (action.kind == ControlKind::Button || action.kind == ControlKind::Label) {
        if (def.part == EventPart::Comparison) return toggle_voltage_comparison(record, slot);
        if (def.part == EventPart::IrCode) return follow_up(slot_follow_up::kCaptureIrEvent);
        return refused();
    }
    const Entry entry = read_entry(def, action);
    if (!entry.accepted) return refusal(entry, EditOutcome::Redraw::Page);
    switch (def.part) {
        case EventPart::Choice: return set_event_choice(record, slot, static_cast<EventChoice>(def.id), entry.value);
        case EventPart::Number: return set_event_number(record, slot, static_cast<EventNumber>(def.id), entry.value);
        case EventPart::Text: return set_event_text(record, slot, entry.text);
        default: return refused();
    }
}

EditOutcome click_reaction(const ReactionControlDef& def) {
    switch (def.control) {
        case ReactionControl::UsbKeyText: return follow_up(slot_follow_up::kKeyPicker);
        case ReactionControl::IrCode: return follow_up(slot_follow_up::kCaptureIrReaction);
        case ReactionControl::SourceSkip: return follow_up(slot_follow_up::kSkipSources);
        case ReactionControl::TouchCapture: return follow_up(slot_follow_up::kTouchPoint);
        default: return refused();
    }
}

}  // namespace

EditOutcome edit_slot(ConfigState& state, std::size_t slot, const ControlAction& action) {
    if (!valid(slot)) return refused();
    if (const std::optional<EditOutcome> common = edit_common(state.record, slot, action)) return *common;
    if (const EventControlDef* def = event_control(state, slot, action.name))
        return edit_event(state.record, slot, *def, action);
    if (const ReactionControlDef* def = reaction_control(state, slot, action.name)) {
        if (action.kind == ControlKind::Button || action.kind == ControlKind::Label) return click_reaction(*def);
        return edit_reaction(state.record, slot, def->control, action);
    }
    return refused();
}

EditOutcome apply_event_sources(ConfigState& state, std::size_t slot, std::optional<std::uint8_t> mask) {
    if (!valid(slot)) return refused();
    slots::choose_source_mask(state.record, slot, mask);
    return redraw_slot();
}

EditOutcome apply_skip_sources(ConfigState& state, std::size_t slot, std::optional<std::uint8_t> mask) {
    if (!valid(slot)) return refused();
    if (!mask) return redraw_slot();
    return set_skip_mask(state.record, slot, *mask);
}

SourceWindowRequest source_window_request(const ConfigState& state, std::size_t slot, std::string_view follow_up) {
    SourceWindowRequest request;
    if (!valid(slot)) return request;
    const auto bytes = state.record.slot(slot);
    if (follow_up == slot_follow_up::kSkipSources) {
        request.first_line = to_text(slot_texts::kSkipSourcesLine1);
        request.second_line = to_text(slot_texts::kSkipSourcesLine2);
        request.mask = bytes[kReactionFirstByte + 2];
    } else {
        request.first_line = to_text(slot_texts::kEventSourcesLine1);
        request.second_line = to_text(slot_texts::kEventSourcesLine2);
        request.mask = bytes[kSourceMaskByte];
    }
    return request;
}

EditOutcome choose_event_kind(ConfigState& state, std::size_t slot, std::uint8_t kind) {
    if (!valid(slot) || kind >= kEventKindCount) return refused();
    slots::set_event_kind(state.record, slot, kind);
    return redraw_slot();
}

EditOutcome choose_reaction_kind(ConfigState& state, std::size_t slot, std::uint8_t kind) {
    if (!valid(slot) || kind >= kReactionKindCount) return refused();
    slots::set_reaction_kind(state.record, slot, kind);
    return redraw_slot();
}

EditOutcome run_slot_action(ConfigState& state, std::size_t slot, SlotAction action) {
    if (!valid(slot)) return refused();
    Record& record = state.record;
    const auto bytes = record.slot(slot);
    const bool button_event = bytes[kEventKindByte] == slots::kButtonEvent;
    switch (action) {
        case SlotAction::DeleteEvent: slots::delete_event(record, slot); break;
        case SlotAction::DeleteReaction: slots::delete_reaction(record, slot); break;
        case SlotAction::DeleteKey:
            if (!button_event || bytes[slots::kKeyByte] == 0) return refused();
            slots::delete_key(record, slot);
            break;
        case SlotAction::DeleteModKey:
            if (!button_event || bytes[slots::kModKeyByte] == 0) return refused();
            slots::delete_mod_key(record, slot);
            break;
        case SlotAction::DeleteIrCode:
            if (bytes[kEventKindByte] != slots::kIrEvent) return refused();
            slots::delete_ir_code(record, slot);
            break;
    }
    return redraw_slot();
}

EditOutcome drop_slot_button(ConfigState& state, std::size_t slot, slots::DropTarget target,
                             slots::DraggedButton button) {
    if (!valid(slot) || !slots::drop_button(state.record, slot, target, button)) return refused();
    return redraw_slot();
}

EditOutcome rename_slot(ConfigState& state, std::size_t slot, std::string_view utf8) {
    if (!valid(slot)) return refused();
    slots::set_slot_name(state, slot, utf8);
    return redraw_slot();
}

}  // namespace ztv
