// One CAN frame as the controller reports it: a 20-byte little-endian record pulled from the
// controller's CAN log block, and the 8-bit change signature that the "hide not changed" mode
// compares.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/can_records.h"

namespace ztv {

inline constexpr std::size_t kCanMaxData = 8;
// A standard 11-bit identifier sits in bits 18-28 of the identifier word.
inline constexpr unsigned kCanStandardShift = 18;
inline constexpr std::uint32_t kCanLowBitsMask = (1u << kCanStandardShift) - 1;

// What tells two identifiers apart: the identifier word and the extended flag. The word alone
// does not: the standard identifier 307 and the extended 0C1C0000 have the same word.
struct CanKey {
    std::uint64_t value = 0;
    friend constexpr auto operator<=>(CanKey, CanKey) = default;
};
constexpr CanKey can_key(std::uint32_t id_word, bool extended) {
    return CanKey{id_word | (extended ? std::uint64_t{1} << 32 : 0)};
}

struct CanFrame {
    std::array<std::uint8_t, kCanRecordSize> bytes{};  // the record exactly as received

    static CanFrame from_record(std::span<const std::uint8_t, kCanRecordSize> record);
    // A record built from its parts (the simulated controller and the tests use this).
    static CanFrame make(std::uint32_t id_word, bool extended, std::span<const std::uint8_t> data,
                         std::uint32_t stamp_ms);

    std::uint32_t id_word() const;
    // The DLC byte as received; data_length() is what the program may read of it: a DLC
    // above 8 (CAN allows 9-15 to mean 8 bytes) never reads past the eight data bytes.
    std::uint8_t dlc() const { return bytes[4]; }
    std::size_t data_length() const { return dlc() < kCanMaxData ? dlc() : kCanMaxData; }
    std::span<const std::uint8_t> data() const { return std::span<const std::uint8_t>(bytes).subspan(5, data_length()); }
    bool extended() const { return bytes[15] != 0; }
    CanKey key() const { return can_key(id_word(), extended()); }
    std::uint32_t stamp_ms() const;
    void set_stamp_ms(std::uint32_t stamp_ms);
};

// How far the controller's 32-bit millisecond clock moved from one frame's stamp to the next:
// a wrap is a step forward; a stamp that went back (the controller restarted) is no step.
constexpr std::uint32_t can_stamp_step_ms(std::uint32_t previous, std::uint32_t stamp) {
    const std::uint32_t step = stamp - previous;
    return step < 0x80000000u ? step : 0;
}

// s = (DLC + 230) mod 256; for each data byte b: t = s ^ b, s = t << 1 (mod 256), and 0x21 is
// folded in when bit 7 of t was set.
std::uint8_t can_change_signature(const CanFrame& frame);

}  // namespace ztv
