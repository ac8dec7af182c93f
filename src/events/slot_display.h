// Showing one slot: the consistency rules of the whole slot are written into the record (event
// half first, since a code-less infrared event resets the reaction), then both halves and the
// tab captions are described for the editor.
#pragma once

#include <cstddef>

#include "config/config_state.h"
#include "events/slot_view_model.h"

namespace ztv {

// Applies every display rule to slot `slot` (0-79) of the state's record and returns what the
// editor shows. Displaying the same slot again changes nothing more in the record.
SlotView display_slot(ConfigState& state, std::size_t slot);

// The writes of display_slot alone, for every slot: what a record looks like once each slot
// has been shown.
void normalize_all_slots(Record& record);

}  // namespace ztv
