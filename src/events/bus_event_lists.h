// Event name lists of the vehicle buses and controllers. The position of a name is the number
// that the slot stores and that the controller prints in its debug text, so the event pages and
// the debug-line rewriter read the same tables.
#pragma once

#include <span>

#include "common/text.h"

namespace ztv::bus_events {

std::span<const TextPair> ibus();           // BMW iBus, 65 names
std::span<const TextPair> iebus();          // Toyota/Lexus IEBUS, 100 names
std::span<const TextPair> idrive();         // BMW iDrive controller, 27 names
std::span<const TextPair> ganet();          // Honda/Acura GaNet, 67 names
std::span<const TextPair> mercedes_joy();   // Mercedes joystick, 12 names
std::span<const TextPair> mdx_joy();        // Acura MDX joystick, 26 names
std::span<const TextPair> lin();            // LIN bus keys, 92 names
std::span<const TextPair> audi_mmi();       // Audi MMI control, 33 names
std::span<const TextPair> renault_joy();    // Renault CAN joystick, 17 names
std::span<const TextPair> honda_keys();     // Honda keys, 30 names
std::span<const TextPair> sw_can();         // car state changes on the single-wire CAN, 10 names, translated
std::span<const TextPair> mercedes_ctrl();  // Mercedes controller, 33 names
std::span<const TextPair> porshe_keys();    // Porsche keys, 6 names

}  // namespace ztv::bus_events
