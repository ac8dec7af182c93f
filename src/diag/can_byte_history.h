// The recent values of every identifier in the table, for the detail list's small graphs: one
// ring buffer per row, holding a sample each time the row's data changed. A value that holds
// needs no samples, so a quiet identifier costs a few bytes and a busy one at most kMaxSamples;
// all rings together are held below kSampleBudget, after which full rings overwrite their
// oldest samples instead of growing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "diag/can_frame.h"

namespace ztv {

struct CanSample {
    std::uint32_t tick_ms = 0;   // shell clock when it came
    std::uint32_t stamp_ms = 0;  // controller's stamp
    std::array<std::uint8_t, kCanMaxData> data{};
    std::uint8_t length = 0;
};

class CanByteHistory {
public:
    static constexpr std::uint32_t kWindowMs = 60000;
    static constexpr std::size_t kMaxSamples = 4096;        // per row
    static constexpr std::size_t kSampleBudget = 1u << 20;  // all rows (20 MB, see below)

    // The row's frame came at now_ms; a sample is kept only when its data differ from the
    // row's last sample (or it is the row's first).
    void note(std::size_t row, const CanFrame& frame, std::uint32_t now_ms);
    void clear();

    // The row's samples since now_ms - kWindowMs, oldest first, preceded by the last older one
    // (the value the window starts with).
    std::vector<CanSample> window(std::size_t row, std::uint32_t now_ms) const;
    std::size_t samples_held() const { return held_; }

private:
    struct Ring {
        std::vector<CanSample> cells;  // grows by doubling up to kMaxSamples
        std::size_t first = 0;         // oldest
        std::size_t count = 0;
        const CanSample& at(std::size_t i) const { return cells[(first + i) % cells.size()]; }
    };
    std::vector<Ring> rings_;
    std::size_t held_ = 0;  // cells allocated in all rings
};

// The budget in bytes, kept honest: a sample is 20 bytes (17 of data, padded to its alignment).
static_assert(sizeof(CanSample) * CanByteHistory::kSampleBudget <= (std::size_t{20} << 20),
              "the byte history's budget grew beyond 20 MB");

}  // namespace ztv
