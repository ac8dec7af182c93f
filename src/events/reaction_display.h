// Showing the reaction half of a slot, in two steps kept apart: first the record is made
// consistent (the writes every display performs), then the page is described from the record
// as it stands, one ControlView per control of the reaction control table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/control_view.h"
#include "config/record.h"

namespace ztv {

// Applies the consistency rules of the slot's reaction half to the record: an unknown kind
// is cleared, and each kind's own rules (code-less IR, pin 0, voltage limits, source options,
// event-manage target, amplifier and CarDSP positions, SW CAN and GaNet codes) are written.
// Running it twice changes nothing the second time.
void normalize_reaction(Record& record, std::size_t slot);

// The controls of the slot's reaction page, in page order. Writes nothing: call
// normalize_reaction first, so that the page shows what the record keeps.
std::vector<ControlView> reaction_page(const Record& record, std::size_t slot);

// The "Control" voltage code after limiting it between the channel's default voltage byte
// (ANA_VOUTn) and its minimum/maximum byte (MINMAX_VOUTn).
std::uint8_t limit_control_voltage(std::uint8_t code, std::uint8_t default_byte, std::uint8_t minmax_byte);

}  // namespace ztv
