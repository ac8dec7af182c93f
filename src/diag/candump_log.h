// The log format of the Linux can-utils (candump -l, canplayer, log2asc): one line per frame,
// "(SECONDS.MICROSECONDS) IFACE ID#DATA", a standard identifier in three hexadecimal digits
// and an extended one in eight, the data in upper-case hexadecimal without spaces, LF line
// ends. Our frames carry the controller's millisecond stamp and the interface name ztv0.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "diag/can_frame.h"

namespace ztv {

inline constexpr std::string_view kCandumpInterface = "ztv0";

// The identifier as candump writes it: "123" or "18DA00F1". The extended flag decides, as it
// does on the bus.
std::string candump_id(const CanFrame& frame);
// One line without its line end.
std::string candump_line(const CanFrame& frame);

struct CandumpRead {
    std::vector<CanFrame> frames;
    std::string error;  // "line N: why"; empty when every line was read
};
// Reads a whole log. Blank lines are skipped. Times become the controller's 32-bit millisecond
// stamp (an epoch time wraps, which keeps the gaps between frames). Remote, error and CAN FD
// frames are refused: the controller reports none of them.
CandumpRead read_candump(std::string_view text);

}  // namespace ztv
