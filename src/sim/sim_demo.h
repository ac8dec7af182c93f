// The demo the program and the tool run with --simulate: a controller that now and then
// prints debug text (some lines with bus event numbers), logs CAN frames while its CAN log
// runs, receives infrared codes and touches, and has buttons pressed on its channels, so that
// every screen can be tried without hardware.
#pragma once

#include <cstdint>

#include "sim/sim_controller.h"

namespace ztv::sim {

// Installs the demo's repeating script from now_ms on. The program wires it like this:
//   sim::HostClock clock(host);
//   sim::SimController controller(clock);
//   sim::start_demo(controller, host.tick_ms());
//   Transport transport(controller, host);   // instead of the hidapi backend
void start_demo(SimController& controller, std::uint32_t now_ms);

}  // namespace ztv::sim
