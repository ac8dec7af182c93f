// Firmware files (*.LDR): a 12-byte header (reserved, version x 100, hardware code), the body
// the bootloader takes unchanged, and a CRC-16/XMODEM of everything before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/file_io.h"

namespace ztv {

inline constexpr std::size_t kFirmwareHeaderSize = 12;
inline constexpr std::size_t kFirmwareChecksumSize = 2;
inline constexpr std::size_t kFirmwareMinSize = kFirmwareHeaderSize + kFirmwareChecksumSize;
// Frames carry a 16-bit offset within the body: the last frame (checksum and padding) must
// start below 65,536, so a file can be at most 65,486 bytes long to be sent completely.
inline constexpr std::size_t kFirmwareMaxSize = 65486;
// The bytes after the body: the two checksum bytes and padding up to one whole frame.
inline constexpr std::size_t kFirmwareTailSize = 64;

// CRC-16/XMODEM: polynomial 0x1021, initial 0, no reflection, no final XOR.
std::uint16_t crc16_xmodem(std::span<const std::uint8_t> bytes, std::uint16_t crc = 0);

enum class FirmwareFileStatus { Ok, OpenFailed, SizeRefused, ReadFailed, ChecksumWrong };

struct FirmwareImage {
    std::uint32_t version = 0;        // x 100
    std::uint32_t hardware_code = 0;
    std::size_t file_size = 0;
    // What is sent: the body, the file's two checksum bytes and zero padding to 64 bytes, so
    // (file_size - 14) + 64 bytes.
    std::vector<std::uint8_t> transfer;

    std::size_t body_size() const { return file_size - kFirmwareMinSize; }
};

struct FirmwareLoad {
    FirmwareFileStatus status = FirmwareFileStatus::OpenFailed;
    FirmwareImage image;
    FileWriteStatus problem = FileWriteStatus::Ok;  // why, when ReadFailed
};

// Checks a whole file held in memory: size within 14 to 65,486 bytes, then its checksum.
FirmwareLoad parse_firmware(std::span<const std::uint8_t> file);
// Reads the file (refusing an oversized one unread) and parses it.
FirmwareLoad load_firmware_file(const std::string& path);

// Builds a valid file around a body, for tests, the simulated controller and the benchmark.
std::vector<std::uint8_t> make_firmware_file(std::uint32_t version, std::uint32_t hardware_code,
                                             std::span<const std::uint8_t> body);

}  // namespace ztv
