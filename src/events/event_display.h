// Showing the event half of a slot, in two steps kept apart: the kind's rules are written into
// the record first, so the stored slot always obeys them; then the half is described from the
// record as it stands.
#pragma once

#include <cstddef>

#include "config/record.h"
#include "events/event_view_model.h"

namespace ztv {

// Applies the consistency rules to slot `slot` (0-79). An unknown kind clears the event half;
// an "IR code" event without a valid code is reset, and so is the slot's reaction (to an empty
// "USB key"), so normalise the reaction half after this. A slot index beyond the table changes
// nothing. Running it twice changes nothing the second time.
void normalize_event(Record& record, std::size_t slot);

// What the event half shows, read from a slot that normalize_event has made consistent. Writes
// nothing; a slot index beyond the table gives an empty view.
EventView describe_event(const Record& record, std::size_t slot);

}  // namespace ztv
