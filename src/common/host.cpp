#include "common/host.h"

#include <chrono>

namespace ztv {

std::int64_t Host::wall_clock_us() {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(since).count();
}

std::uint32_t wait_pumping(Host& host, std::uint32_t ms) {
    const std::uint32_t start = host.tick_ms();
    std::uint32_t waited = 0;
    while (waited < ms) {
        host.pump();
        waited = host.tick_ms() - start;
    }
    return waited;
}

}  // namespace ztv
