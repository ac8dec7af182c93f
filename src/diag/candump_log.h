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

// The identifier as the bus carries it (0x123, 0x18DA00F1): the extended flag decides.
std::uint32_t can_identifier(const CanFrame& frame);
// The identifier as candump writes it: "123" or "18DA00F1".
std::string candump_id(const CanFrame& frame);
// One line without its line end, stamped with time_us (microseconds since 1970, or of the
// controller's clock), or with the frame's own stamp.
std::string candump_line(const CanFrame& frame, std::uint64_t time_us);
std::string candump_line(const CanFrame& frame);

struct CandumpRead {
    std::vector<CanFrame> frames;
    std::string error;  // "line N: why"; empty when every line was read
};
// Whether text is such a log: its first line that is neither blank nor a comment ("# ...")
// starts with "(".
bool is_candump_log(std::string_view text);

// Reads a whole log as the can-utils readers take classic CAN frames: comments ("# ...") and
// blank lines are skipped; data may be split by dots between bytes ("11.2233"); a raw length
// code may follow 8 bytes ("_B"); the direction candump -x writes (" R", " T") may follow the
// frame. Times become the controller's 32-bit millisecond stamps, which keep the gaps between
// frames: a log stamped by the controller keeps its stamps, one stamped with the time of day
// (candump -l) starts at 0; a time that goes back, or on by more than kLongestReplayStepMs,
// follows the frame before at once. Remote, error and CAN FD frames are refused, naming the
// line and why: the controller reports none of them.
CandumpRead read_candump(std::string_view text);

}  // namespace ztv
