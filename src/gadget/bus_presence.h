// Which identity the gadget shows on the bus: the controller's own (none while it restarts),
// except for the time of a test unplug after a given number of frames.
#pragma once

#include <cstdint>
#include <optional>

#include "gadget/hid_responder.h"

namespace ztv::gadget {

class BusPresence {
public:
    // unplug_after: pull the cable once that many feature reports have been written (tests);
    // absent_ms: how long the cable stays out.
    BusPresence(std::optional<std::uint64_t> unplug_after, std::uint32_t absent_ms)
        : unplug_after_(unplug_after), absent_ms_(absent_ms) {}

    std::optional<BusIdentity> wanted(std::uint32_t now_ms, std::uint64_t frames,
                                      const std::optional<BusIdentity>& controller);
    bool unplugged(std::uint32_t now_ms) const;

private:
    std::optional<std::uint64_t> unplug_after_;
    std::uint32_t absent_ms_;
    std::optional<std::uint32_t> back_at_ms_;
};

}  // namespace ztv::gadget
