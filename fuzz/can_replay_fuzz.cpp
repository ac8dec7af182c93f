// Random text as a file of CAN frames to replay: it is taken or refused with a message, and
// what is taken plays out as frames of at most eight data bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "sim/sim_can_traffic.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ztv;
    sim::CanReplayLoad load = sim::parse_can_replay(std::string(reinterpret_cast<const char*>(data), size));
    if (!load.traffic) {
        if (load.error.empty() || load.error.size() > 200) std::abort();  // a refusal says why, briefly
        return 0;
    }
    std::vector<CanFrame> frames;
    load.traffic->restart(0);
    load.traffic->produce(0xFFFFFFFFu, 1024, frames);
    if (frames.size() > 1024) std::abort();
    for (const CanFrame& frame : frames)
        if (frame.data_length() > 8) std::abort();
    return 0;
}
