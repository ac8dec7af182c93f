#include "diag/can_frame.h"

#include <algorithm>

namespace ztv {
namespace {

std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

void put32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

CanFrame CanFrame::from_record(std::span<const std::uint8_t, kCanRecordSize> record) {
    CanFrame frame;
    std::copy(record.begin(), record.end(), frame.bytes.begin());
    return frame;
}

CanFrame CanFrame::make(std::uint32_t id_word, bool extended, std::span<const std::uint8_t> data,
                        std::uint32_t stamp_ms) {
    CanFrame frame;
    put32(frame.bytes, 0, id_word);
    const std::size_t n = std::min(data.size(), kCanMaxData);
    frame.bytes[4] = static_cast<std::uint8_t>(n);
    std::copy_n(data.begin(), n, frame.bytes.begin() + 5);
    frame.bytes[15] = extended ? 1 : 0;
    put32(frame.bytes, 16, stamp_ms);
    return frame;
}

std::uint32_t CanFrame::id_word() const { return le32(bytes, 0); }

std::uint32_t CanFrame::stamp_ms() const { return le32(bytes, 16); }

void CanFrame::set_stamp_ms(std::uint32_t stamp_ms) { put32(bytes, 16, stamp_ms); }

std::uint8_t can_change_signature(const CanFrame& frame) {
    auto s = static_cast<std::uint8_t>(frame.data_length() + 230);
    for (const std::uint8_t b : frame.data()) {
        const auto t = static_cast<std::uint8_t>(s ^ b);
        s = static_cast<std::uint8_t>(t << 1);
        if ((t & 0x80) != 0) s ^= 0x21;
    }
    return s;
}

}  // namespace ztv
