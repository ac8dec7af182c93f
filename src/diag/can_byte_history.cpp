#include "diag/can_byte_history.h"

#include <algorithm>

namespace ztv {

void CanByteHistory::note(std::size_t row, const CanFrame& frame, std::uint32_t now_ms) {
    if (row >= rings_.size()) rings_.resize(row + 1);
    Ring& ring = rings_[row];
    CanSample sample;
    sample.tick_ms = now_ms;
    sample.stamp_ms = frame.stamp_ms();
    sample.length = static_cast<std::uint8_t>(frame.data_length());
    std::copy(frame.data().begin(), frame.data().end(), sample.data.begin());
    if (ring.count > 0) {
        const CanSample& last = ring.at(ring.count - 1);
        if (last.length == sample.length && last.data == sample.data) return;
    }
    // Samples that left the window are dropped, all but the one the window starts with.
    while (ring.count >= 2 && now_ms - ring.at(1).tick_ms > kWindowMs) {
        ring.first = (ring.first + 1) % ring.cells.size();
        --ring.count;
    }
    if (ring.count == ring.cells.size()) {
        const std::size_t grown = std::max<std::size_t>(8, ring.cells.size() * 2);
        if (grown <= kMaxSamples && held_ + grown - ring.cells.size() <= kSampleBudget) {
            std::vector<CanSample> cells;
            cells.reserve(grown);
            for (std::size_t i = 0; i < ring.count; ++i) cells.push_back(ring.at(i));
            cells.resize(grown);
            held_ += grown - ring.cells.size();
            ring.cells = std::move(cells);
            ring.first = 0;
        } else if (ring.cells.empty()) {
            return;  // no budget left for even a first ring
        } else {
            // Full and not allowed to grow: the oldest sample makes room.
            ring.first = (ring.first + 1) % ring.cells.size();
            --ring.count;
        }
    }
    ring.cells[(ring.first + ring.count) % ring.cells.size()] = sample;
    ++ring.count;
}

void CanByteHistory::clear() {
    rings_.clear();
    held_ = 0;
}

std::vector<CanSample> CanByteHistory::window(std::size_t row, std::uint32_t now_ms) const {
    std::vector<CanSample> out;
    if (row >= rings_.size()) return out;
    const Ring& ring = rings_[row];
    std::size_t begin = 0;
    while (begin + 1 < ring.count && now_ms - ring.at(begin + 1).tick_ms > kWindowMs) ++begin;
    out.reserve(ring.count - begin);
    for (std::size_t i = begin; i < ring.count; ++i) out.push_back(ring.at(i));
    return out;
}

}  // namespace ztv
