// Rules shared by the page refresh and the edits: where a binding row's value lives in the
// state, and when a dependent control is enabled or shown.
#pragma once

#include <cstdint>

#include "config/config_state.h"
#include "config/parameter_bindings.h"

namespace ztv {

// IEBUS functions: bits 0-10 of IEBUS_MODEBITS; bits 11-14 are reserved.
inline constexpr std::uint32_t kIebusFunctionBits = 0x07FF;
inline constexpr std::uint32_t kIebusAmplifierControls = 1u << 3;
// Functions that can take coordinates from the bus: navigator, together with the Navi,
// TV Camry V50, MAM and together with the MAM.
inline constexpr std::uint32_t kIebusCoordinateFunctions = (1u << 0) | (1u << 5) | (1u << 7) | (1u << 8) | (1u << 9);

// The stored value the row's control shows (before the shown transform), 0 for rows that
// hold no number (source names, buttons, notes).
std::uint32_t bound_value(const ConfigState& state, const ParamBinding& row);
// Stores a value for the row, cut to the width of what it is bound to.
void store_bound(ConfigState& state, const ParamBinding& row, std::uint32_t value);

// Whether the record satisfies a dependency of the refresh.
bool holds(Dependency dependency, const Record& record);

}  // namespace ztv
