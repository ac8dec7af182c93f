#include "common/host.h"

namespace ztv {

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
