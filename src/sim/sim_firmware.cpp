#include "sim/sim_firmware.h"

#include <algorithm>

#include "device/firmware_file.h"

namespace ztv::sim {
namespace {

constexpr std::uint8_t kMagic[4] = {'Z', 'T', 'V', 'F'};

std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

}  // namespace

std::vector<std::uint8_t> make_sim_firmware(std::uint32_t version, std::uint32_t hardware_code, std::size_t body_size) {
    body_size = std::max(body_size, kSimBodyHeaderSize);
    const std::vector<std::uint8_t> header = make_firmware_file(version, hardware_code, {});
    std::vector<std::uint8_t> body(body_size);
    std::copy(std::begin(kMagic), std::end(kMagic), body.begin());
    for (std::size_t i = 0; i < 4; ++i) body[4 + i] = static_cast<std::uint8_t>(body_size >> (8 * i));
    std::copy_n(header.begin(), kFirmwareHeaderSize, body.begin() + 8);
    for (std::size_t i = kSimBodyHeaderSize; i < body_size; ++i) body[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0xFF);
    return make_firmware_file(version, hardware_code, body);
}

SimFirmwareCheck check_sim_firmware(std::span<const std::uint8_t> received) {
    SimFirmwareCheck check;
    if (received.size() < kSimBodyHeaderSize || !std::equal(std::begin(kMagic), std::end(kMagic), received.begin()))
        return check;
    const std::size_t body_size = le32(received, 4);
    if (body_size < kSimBodyHeaderSize || body_size + kFirmwareTailSize > received.size()) return check;
    check.complete = true;
    const auto file_header = received.subspan(8, kFirmwareHeaderSize);
    const std::uint16_t crc = crc16_xmodem(received.first(body_size), crc16_xmodem(file_header));
    const std::uint16_t stored = static_cast<std::uint16_t>(received[body_size] | (received[body_size + 1] << 8));
    check.valid = crc == stored;
    check.version = le32(file_header, 4);
    return check;
}

}  // namespace ztv::sim
