// What the simulated controller's CAN bus carries while its CAN log runs: a demo car bus, a
// replay of frames from a text file, or a load of a chosen size for benchmarks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "diag/can_frame.h"
#include "diag/can_replay.h"

namespace ztv::sim {

class CanTraffic {
public:
    virtual ~CanTraffic() = default;
    // The log was switched on at now_ms: timed traffic starts from here.
    virtual void restart(std::uint32_t now_ms) = 0;
    // Appends the frames due by now_ms, at most `room` of them (a controller's buffer is not
    // endless: timed traffic that does not fit is lost, as on a real bus).
    virtual void produce(std::uint32_t now_ms, std::size_t room, std::vector<CanFrame>& out) = 0;
    // How many records the controller keeps waiting at most with this traffic.
    virtual std::size_t queue_limit() const { return 4096; }
};

// A few dozen identifiers of a parked car with its engine idling, standard and extended, every
// 10 ms to 1 s: alive counters and CRCs, engine speed and temperatures that vary slowly, states
// that hold, and a steering-wheel button (identifier 5C0, byte 0 bit 2) pressed for 300 ms
// 25 s after the log starts and every 30 s after that, so that a background learned right
// after "Start" is undisturbed.
inline constexpr std::uint32_t kDemoButtonId = 0x5C0;
inline constexpr std::uint32_t kDemoFirstPressMs = 25000;
inline constexpr std::uint32_t kDemoPressEveryMs = 30000;
inline constexpr std::uint32_t kDemoPressHoldMs = 300;
std::unique_ptr<CanTraffic> make_demo_can_bus();

// `identifiers` extended identifiers in turn, `frames_per_second` frames in all, every frame's
// data different from the one before.
std::unique_ptr<CanTraffic> make_can_load(std::size_t identifiers, std::uint32_t frames_per_second);

// Frames from a text file, one a line: "STAMP KIND ID DLC [BYTE...]" (decimal stamp in ms, S or
// X, hexadecimal identifier, DLC 0-8, two-digit hexadecimal bytes); blank lines and lines
// starting with '#' are skipped. A file whose first line starts with "(" is a can-utils log
// (candump -l) instead. Offered in file order, each once, at `speed` (diag/can_replay.h): a stamp that
// goes back, or on by more than kLongestReplayStepMs, follows the frame before at once.
struct CanReplayLoad {
    std::unique_ptr<CanTraffic> traffic;  // nothing when the file was refused
    std::string error;                    // why, naming the line
};
inline constexpr std::size_t kCanReplayMaxBytes = 64u * 1024 * 1024;
CanReplayLoad load_can_replay(const std::string& path, std::uint32_t speed = kReplayRealTime);
// The same from a file or stream read with the bound above.
CanReplayLoad read_can_replay(const FileReadResult& input, std::uint32_t speed = kReplayRealTime);
// The same from text already read.
CanReplayLoad parse_can_replay(const std::string& text, std::uint32_t speed = kReplayRealTime);

}  // namespace ztv::sim
