#include "common/source_selection.h"

namespace ztv {

std::array<bool, kSourceCount> ticks_of(std::uint8_t mask) {
    std::array<bool, kSourceCount> ticks{};
    for (std::size_t i = 0; i < kSourceCount; ++i) ticks[i] = (mask >> i & 1u) != 0;
    return ticks;
}

std::uint8_t mask_of(const std::array<bool, kSourceCount>& ticks) {
    unsigned mask = 0;
    for (std::size_t i = 0; i < kSourceCount; ++i)
        if (ticks[i]) mask |= 1u << i;
    return static_cast<std::uint8_t>(mask);
}

const char* source_entry_text(std::size_t index) {
    static constexpr const char* kEntries[kSourceCount] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    return index < kSourceCount ? kEntries[index] : "";
}

}  // namespace ztv
