#include "events/slot_display.h"

#include "events/event_display.h"
#include "events/reaction_display.h"
#include "events/slot_model.h"

namespace ztv {

SlotView display_slot(ConfigState& state, std::size_t slot) {
    SlotView view;
    if (slot >= kSlotCount) return view;
    view.slot = slot;
    // The event half may reset the reaction (an infrared event without a code), so it goes first.
    view.event = show_event(state.record, slot);
    view.reaction = display_reaction(state.record, slot);
    for (std::size_t i = 0; i < kSlotCount; ++i) view.tab_captions[i] = slots::tab_caption(state, i);
    view.caption = view.tab_captions[slot];
    return view;
}

void normalize_all_slots(Record& record) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        show_event(record, slot);
        normalize_reaction(record, slot);
    }
}

}  // namespace ztv
