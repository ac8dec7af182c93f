// Showing the event half of a slot, in two steps kept apart, as the reaction half does: the
// kind's rules are written into the record first, so the stored slot always obeys them; then
// the half is described from the record as it stands, one ControlView per control.
#pragma once

#include <cstddef>
#include <vector>

#include "common/control_view.h"
#include "config/record.h"

namespace ztv {

// Applies the consistency rules to slot `slot` (0-79). An unknown kind clears the event half;
// an "IR code" event without a valid code is reset, and so is the slot's reaction (to an empty
// "USB key"), so normalise the reaction half after this. A slot index beyond the table changes
// nothing. Running it twice changes nothing the second time.
void normalize_event(Record& record, std::size_t slot);

// The controls every kind shares, in this order: trigger type (the types the kind admits, in
// type order), "One time only", "Wake Up", source choice ("Any", then "Select..." or the chosen
// sources; `bits` holds the stored mask). Writes nothing: call normalize_event first. Empty for
// a slot beyond the table or a kind the record does not know.
std::vector<ControlView> event_common_controls(const Record& record, std::size_t slot);

// The controls of the slot's event page, in page order, one per row of the event control table.
// Writes nothing; empty like event_common_controls.
std::vector<ControlView> event_page(const Record& record, std::size_t slot);

// The trigger types the slot's kind admits, in list order ("Disabled", "Short", "Long", "Any"
// or only "Disabled", "Any"): position i of the trigger list is type offered_trigger_types()[i].
std::vector<unsigned> offered_trigger_types(const Record& record, std::size_t slot);

}  // namespace ztv
