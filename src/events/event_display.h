// Showing the event half of a slot: the kind's rules are written into the record first, so the
// stored slot always obeys them, and the result says what the editor is to show.
#pragma once

#include <cstddef>

#include "config/record.h"
#include "events/event_view_model.h"

namespace ztv {

// Applies the consistency rules to slot `slot` (0-79) and describes its event half. An unknown
// kind clears the event half; an "IR code" event without a valid code is reset, and so is the
// slot's reaction (to an empty "USB key"), so show the reaction half after this. A slot index
// beyond the table changes nothing and gives an empty view.
EventView show_event(Record& record, std::size_t slot);

}  // namespace ztv
