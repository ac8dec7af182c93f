// The simulated controller's memory kept in a file between runs of the tool, so that one run
// can restore a configuration and the next back it up.
#pragma once

#include <string>

#include "sim/sim_controller.h"

namespace ztv::sim {

// A missing file leaves memory as it is and counts as success; a file that cannot be read
// fails. Missing or garbled keys keep their current values.
bool load_sim_state(const std::string& path, SimMemory& memory);
bool save_sim_state(const std::string& path, const SimMemory& memory);

}  // namespace ztv::sim
