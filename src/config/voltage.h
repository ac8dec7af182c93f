// Voltages of the analog control outputs (record offsets 550-553), in steps of 0.02 V.
// Default voltages use an inverted byte (255 = 0.00 V), minimum/maximum voltages a plain one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ztv {

// Typed volts (point or comma as decimal separator) to hundredths of a volt: text that is not
// a number is 0 V; a result below 0 or above 500 counts as 500.
int typed_centivolts(std::string_view text);

std::uint8_t default_voltage_byte(std::string_view typed);  // 255 - cV/2
std::uint8_t minmax_voltage_byte(std::string_view typed);   // cV/2
std::string default_voltage_text(std::uint8_t stored);      // "%.2f"; stored 0-4 show 5.00
std::string minmax_voltage_text(std::uint8_t stored);       // "%.2f"; above 250 show 5.00

}  // namespace ztv
