// Showing the reaction half of a slot: first the record is made consistent (the writes every
// display performs), then the page is described for the editor.
#pragma once

#include <cstddef>

#include "config/record.h"
#include "events/reaction_view_model.h"

namespace ztv {

// Applies the consistency rules of the slot's reaction half to the record: an unknown kind
// is cleared, and each kind's own rules (code-less IR, pin 0, voltage limits, source options,
// event-manage target, amplifier and CarDSP positions, SW CAN and GaNet codes) are written.
// Running it twice changes nothing the second time.
void normalize_reaction(Record& record, std::size_t slot);

// normalize_reaction, then the description of the reaction page for the editor.
ReactionView display_reaction(Record& record, std::size_t slot);

// The "Control" voltage code after limiting it between the channel's default voltage byte
// (ANA_VOUTn) and its minimum/maximum byte (MINMAX_VOUTn).
std::uint8_t limit_control_voltage(std::uint8_t code, std::uint8_t default_byte, std::uint8_t minmax_byte);

}  // namespace ztv
