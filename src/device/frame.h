// The 70-byte HID feature report that carries one request to the controller or one reply back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace ztv {

inline constexpr std::size_t kFrameSize = 70;
inline constexpr std::size_t kPayloadMax = 64;
inline constexpr std::uint8_t kReportId = 1;

// Byte positions inside a frame.
inline constexpr std::size_t kFrameReportId = 0;
inline constexpr std::size_t kFrameCommand = 1;
inline constexpr std::size_t kFrameOffset = 2;
inline constexpr std::size_t kFrameLength = 4;
inline constexpr std::size_t kFramePayload = 5;
inline constexpr std::size_t kFrameChecksum = 69;

// Checksum over bytes 1 to 68: XOR in each byte, then one CRC-like shift with 0x21.
std::uint8_t frame_checksum(std::span<const std::uint8_t, kFrameSize> bytes);

struct Frame {
    std::array<std::uint8_t, kFrameSize> bytes{};

    std::uint8_t command() const { return bytes[kFrameCommand]; }
    void set_command(std::uint8_t code) { bytes[kFrameCommand] = code; }
    std::uint16_t offset() const {
        return static_cast<std::uint16_t>(bytes[kFrameOffset] | (bytes[kFrameOffset + 1] << 8));
    }
    // Only the low 16 bits travel; a larger offset can never be echoed back.
    void set_offset(std::uint32_t offset) {
        bytes[kFrameOffset] = static_cast<std::uint8_t>(offset & 0xFF);
        bytes[kFrameOffset + 1] = static_cast<std::uint8_t>((offset >> 8) & 0xFF);
    }
    std::uint8_t length() const { return bytes[kFrameLength]; }
    void set_length(std::uint8_t length) { bytes[kFrameLength] = length; }
    std::span<std::uint8_t, kPayloadMax> payload() {
        return std::span<std::uint8_t, kPayloadMax>(bytes.data() + kFramePayload, kPayloadMax);
    }
    std::span<const std::uint8_t, kPayloadMax> payload() const {
        return std::span<const std::uint8_t, kPayloadMax>(bytes.data() + kFramePayload, kPayloadMax);
    }
    std::uint8_t checksum() const { return bytes[kFrameChecksum]; }

    // Report ID and checksum, as every request leaves the program.
    void seal() {
        bytes[kFrameReportId] = kReportId;
        bytes[kFrameChecksum] = frame_checksum(bytes);
    }
    // A reply is usable when its length fits the payload and its checksum matches.
    bool intact() const { return length() <= kPayloadMax && frame_checksum(bytes) == checksum(); }
};

}  // namespace ztv
