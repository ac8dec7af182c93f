#include "diag/can_changes.h"

namespace ztv {
namespace {

std::uint8_t byte_at(std::span<const std::uint8_t> data, std::size_t i) { return i < data.size() ? data[i] : 0; }

}  // namespace

void CanChangeTracker::note(std::size_t row, std::span<const std::uint8_t> before, std::span<const std::uint8_t> after,
                            std::uint32_t now_ms) {
    if (row >= rows_.size()) rows_.resize(row + 1);
    Row& r = rows_[row];
    for (std::size_t i = 0; i < kCanMaxData; ++i) {
        const auto changed = static_cast<std::uint8_t>(byte_at(before, i) ^ byte_at(after, i));
        if (changed == 0) continue;
        // Bits of a change that is still showing stay marked beside the new ones.
        const bool showing = r.bits[i] != 0 && now_ms - r.when[i] < kFadeMs;
        r.bits[i] = showing ? static_cast<std::uint8_t>(r.bits[i] | changed) : changed;
        r.when[i] = now_ms;
    }
}

std::uint8_t CanChangeTracker::heat(std::size_t row, std::size_t byte, std::uint32_t now_ms) const {
    if (row >= rows_.size() || byte >= kCanMaxData || rows_[row].bits[byte] == 0) return 0;
    const std::uint32_t age = now_ms - rows_[row].when[byte];
    if (age >= kFadeMs) return 0;
    return static_cast<std::uint8_t>(255u - age * 255u / kFadeMs);
}

std::uint8_t CanChangeTracker::recent_bits(std::size_t row, std::size_t byte, std::uint32_t now_ms) const {
    return heat(row, byte, now_ms) != 0 ? rows_[row].bits[byte] : 0;
}

bool CanChangeTracker::fading(std::size_t row, std::uint32_t now_ms) const {
    for (std::size_t i = 0; i < kCanMaxData; ++i)
        if (heat(row, i, now_ms) != 0) return true;
    return false;
}

}  // namespace ztv
