#include "events/slot_display.h"

#include "events/descriptions.h"
#include "events/event_catalogue.h"
#include "events/event_display.h"
#include "events/reaction_catalogue.h"
#include "events/reaction_display.h"
#include "events/slot_model.h"

namespace ztv {

SlotView display_slot(ConfigState& state, std::size_t slot) {
    SlotView view;
    if (slot >= kSlotCount) return view;
    view.slot = slot;
    // The event half may reset the reaction (an infrared event without a code), so it goes first.
    normalize_event(state.record, slot);
    normalize_reaction(state.record, slot);
    const auto bytes = state.record.slot(slot);

    view.event_kind = bytes[kEventKindByte];
    view.event_title = to_text(event_kind(view.event_kind).title);
    view.event_common = event_common_controls(state.record, slot);
    view.event_controls = event_page(state.record, slot);
    view.reaction_kind = bytes[kReactionKindByte];
    view.reaction_title = to_text(reaction_kind_titles()[view.reaction_kind]);
    view.reaction_controls = reaction_page(state.record, slot);

    const bool button = view.event_kind == slots::kButtonEvent;
    view.can_delete_key = button && bytes[slots::kKeyByte] != 0;
    view.can_delete_mod = button && bytes[slots::kModKeyByte] != 0;
    view.can_edit_ir_event = view.event_kind == slots::kIrEvent;
    view.can_edit_ir_reaction = view.reaction_kind == static_cast<std::uint8_t>(ReactionKind::SendIr);

    for (std::size_t i = 0; i < kSlotCount; ++i) view.tab_captions[i] = slots::tab_caption(state, i);
    view.caption = view.tab_captions[slot];
    return view;
}

void normalize_all_slots(Record& record) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        normalize_event(record, slot);
        normalize_reaction(record, slot);
    }
}

}  // namespace ztv
