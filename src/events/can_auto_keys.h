// Keys of cars' CAN buses that the controller reports as infrared codes of the "CAN AUTO"
// protocol: the code's address picks the car, its command byte the key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ztv {

inline constexpr std::uint16_t kCanAutoCarCount = 23;  // addresses 0 to 22

// The car's prefix, ending with one blank ("OPEL_ASTRA "); empty for an unknown address.
std::string_view can_auto_car_prefix(std::uint16_t address);

// The key name of one command of a car; empty when the car has no row for it (the Opel table
// names the commands '0' to '9' "Digit 0" to "Digit 9").
std::string can_auto_key_name(std::uint16_t address, std::uint8_t command);

// Prefix, key name and " (address/command)" for a known car, e.g. "Mercedes CLK350 Vol+ (1/16)";
// nothing for an unknown car, which the caller names generically. Names are compared character
// for character elsewhere, so blanks are kept exactly.
std::optional<std::string> can_auto_name(std::uint16_t address, std::uint8_t command);

}  // namespace ztv
