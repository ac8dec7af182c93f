#include "device/frame.h"

namespace ztv {

std::uint8_t frame_checksum(std::span<const std::uint8_t, kFrameSize> bytes) {
    unsigned c = 0;
    for (std::size_t i = kFrameCommand; i < kFrameChecksum; ++i) {
        c ^= bytes[i];
        c = (c & 0x80) != 0 ? ((c << 1) ^ 0x21) & 0xFF : (c << 1) & 0xFF;
    }
    return static_cast<std::uint8_t>(c);
}

}  // namespace ztv
