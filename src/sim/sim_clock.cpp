#include "sim/sim_clock.h"

#include <chrono>

namespace ztv::sim {

std::uint32_t RealClock::now_ms() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void RealClock::spend_us(std::uint32_t microseconds) {
    if (microseconds == 0) return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(microseconds);
    while (std::chrono::steady_clock::now() < until) {
    }
}

}  // namespace ztv::sim
