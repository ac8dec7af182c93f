// A recording of CAN frames played back (the simulated controller's --sim-can): how fast, and
// which steps between two frames' times count.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/text.h"

namespace ztv {

// How fast a replay runs, in thousandths of real time: kReplayRealTime at the pace of its
// stamps, 0 as fast as the program takes the frames. --replay-speed takes 0 to 1000 with up to
// three decimals.
inline constexpr std::uint32_t kReplayRealTime = 1000;
inline constexpr std::uint32_t kMaxReplaySpeed = 1000 * kReplayRealTime;
std::optional<std::uint32_t> parse_replay_speed(std::string_view text);
// The refusal of a value parse_replay_speed does not take.
Text replay_speed_refusal(std::string_view text);

// Between two frames of one recording no more than this passes when it is replayed: a longer
// step forward, or any step back, is a clock that was set or recordings put together, and is
// read as no time at all, so that a replay neither waits for hours nor goes back in time.
inline constexpr std::uint32_t kLongestReplayStepMs = 3600u * 1000;

}  // namespace ztv
