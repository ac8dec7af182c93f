// The changes that the event page makes to a slot's event half. Each checks what it is given
// against the catalogue, so a view only passes on what the user chose, and answers with an
// EditOutcome; texts are UTF-8. The slot is to be shown again afterwards (display_slot), which
// applies the kind's rules. Dropping buttons and deleting keys or codes are slot operations
// (events/slot_model.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/control_view.h"
#include "config/record.h"
#include "events/event_catalogue.h"

namespace ztv {

// Stores list position `position`; refused when the slot holds another kind or the list has no
// such entry. A new "Timeout" start point also arms a disabled trigger ("Any").
EditOutcome set_event_choice(Record& record, std::size_t slot, EventChoice id, unsigned position);

// Stores a number with the field's width; refused when the slot holds another kind or the
// value is outside the field's range.
EditOutcome set_event_number(Record& record, std::size_t slot, EventNumber id, std::uint32_t value);

// "Serial" and "UART" events: the text (Windows-1251, cut to 8 characters) replaces the eight
// parameter bytes, without terminator when it fills them. Nothing is stored for another kind.
// What the user types reaches it through the control's metadata (config/control_dispatch.h).
EditOutcome set_event_text(Record& record, std::size_t slot, std::string_view cp1251);

// The "Voltage" comparison button: "<" (0) becomes ">" (1) and anything else "<".
EditOutcome toggle_voltage_comparison(Record& record, std::size_t slot);

// A code captured from the controller (its 32-bit value, command in the low byte): the slot
// becomes an "IR code" event with that code and a disabled trigger becomes "Any"; the other
// bytes are kept. A zero value means nothing was received and changes nothing (refused).
EditOutcome store_captured_ir_event(Record& record, std::size_t slot, std::uint32_t code);

}  // namespace ztv
