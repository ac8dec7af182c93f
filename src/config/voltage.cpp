#include "config/voltage.h"

#include <charconv>
#include <cmath>

#include "common/ascii_text.h"
#include "common/format.h"

namespace ztv {

int typed_centivolts(std::string_view text) {
    std::string number(trim_blanks(text));
    for (char& ch : number)
        if (ch == ',') ch = '.';
    const char* begin = number.data();
    const char* end = begin + number.size();
    if (begin != end && *begin == '+') ++begin;
    double volts = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, volts, std::chars_format::fixed);
    if (error != std::errc() || stop != end || begin == end || !std::isfinite(volts)) volts = 0.0;
    const double centivolts = std::trunc(volts * 100.0 + 0.5);
    if (centivolts < 0.0 || centivolts > 500.0) return 500;
    return static_cast<int>(centivolts);
}

std::uint8_t default_voltage_byte(std::string_view typed) {
    return static_cast<std::uint8_t>(255 - typed_centivolts(typed) / 2);
}

std::uint8_t minmax_voltage_byte(std::string_view typed) {
    return static_cast<std::uint8_t>(typed_centivolts(typed) / 2);
}

std::string default_voltage_text(std::uint8_t stored) {
    const int centivolts = stored < 5 ? 500 : (255 - stored) * 2;
    return strprintf("%.2f", centivolts / 100.0);
}

std::string minmax_voltage_text(std::uint8_t stored) {
    const int centivolts = stored > 250 ? 500 : stored * 2;
    return strprintf("%.2f", centivolts / 100.0);
}

}  // namespace ztv
