#include "gadget/bus_presence.h"

namespace ztv::gadget {

bool BusPresence::unplugged(std::uint32_t now_ms) const {
    return back_at_ms_ && static_cast<std::int32_t>(now_ms - *back_at_ms_) < 0;
}

std::optional<BusIdentity> BusPresence::wanted(std::uint32_t now_ms, std::uint64_t frames,
                                               const std::optional<BusIdentity>& controller) {
    if (unplug_after_ && frames >= *unplug_after_) {
        unplug_after_.reset();  // once per run
        back_at_ms_ = now_ms + absent_ms_;
    }
    if (unplugged(now_ms)) return std::nullopt;
    return controller;
}

}  // namespace ztv::gadget
