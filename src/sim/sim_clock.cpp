#include "sim/sim_clock.h"

#include <chrono>
#include <thread>

namespace ztv::sim {

std::uint32_t RealClock::now_ms() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void RealClock::spend_us(std::uint32_t microseconds) {
    if (microseconds == 0) return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(microseconds);
    // Sleep through most of it (a busy machine would preempt a long spin), then spin the last
    // stretch, which a sleep would overshoot.
    constexpr auto kSpin = std::chrono::microseconds(200);
    if (microseconds > kSpin.count()) std::this_thread::sleep_until(until - kSpin);
    while (std::chrono::steady_clock::now() < until) {
    }
}

}  // namespace ztv::sim
