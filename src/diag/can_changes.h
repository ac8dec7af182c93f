// Which data bytes of each identifier changed lately, and which of their bits: the identifier
// list paints a changed byte with a background that fades, and the detail list marks the bits.
// Rows are those of the identifier table; times are the shell's tick counter.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "diag/can_frame.h"

namespace ztv {

class CanChangeTracker {
public:
    // How long a change stays visible, fading.
    static constexpr std::uint32_t kFadeMs = 2000;

    // A row's frame was replaced: `before` and `after` are the old and new data bytes (a byte
    // missing on one side counts as 0, so a longer or shorter frame shows its bytes changed).
    void note(std::size_t row, std::span<const std::uint8_t> before, std::span<const std::uint8_t> after,
              std::uint32_t now_ms);
    void clear() { rows_.clear(); }

    // 0 (no change within kFadeMs) to 255 (changed just now).
    std::uint8_t heat(std::size_t row, std::size_t byte, std::uint32_t now_ms) const;
    // The bits of the byte that changed within kFadeMs (bit 0 the least significant).
    std::uint8_t recent_bits(std::size_t row, std::size_t byte, std::uint32_t now_ms) const;
    // Whether any byte of the row still shows a change.
    bool fading(std::size_t row, std::uint32_t now_ms) const;

private:
    struct Row {
        std::array<std::uint32_t, kCanMaxData> when{};
        std::array<std::uint8_t, kCanMaxData> bits{};  // 0: never changed
    };
    std::vector<Row> rows_;
};

}  // namespace ztv
