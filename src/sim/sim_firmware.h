// Firmware files the simulated bootloader accepts. Its body starts with its own header: the
// magic "ZTVF", the body's length and a copy of the file's 12-byte header, so that the
// bootloader can check the file's CRC over header and body once the whole body has arrived.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ztv::sim {

inline constexpr std::size_t kSimBodyHeaderSize = 20;

// A complete *.LDR file whose body (at least kSimBodyHeaderSize bytes) the bootloader installs.
std::vector<std::uint8_t> make_sim_firmware(std::uint32_t version, std::uint32_t hardware_code, std::size_t body_size);

// What the bootloader makes of the bytes received so far: the version to start, when the
// body and the file's checksum after it are complete and right.
struct SimFirmwareCheck {
    bool complete = false;  // the body, the checksum and the padding frame have arrived
    bool valid = false;
    std::uint32_t version = 0;
};
SimFirmwareCheck check_sim_firmware(std::span<const std::uint8_t> received);

}  // namespace ztv::sim
