#include "device/firmware_file.h"

#include <algorithm>

#include "common/file_io.h"

namespace ztv {
namespace {

std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

void put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

std::uint16_t crc16_xmodem(std::span<const std::uint8_t> bytes, std::uint16_t crc) {
    unsigned c = crc;
    for (const std::uint8_t byte : bytes) {
        c ^= static_cast<unsigned>(byte) << 8;
        for (int bit = 0; bit < 8; ++bit) c = (c & 0x8000) != 0 ? (c << 1) ^ 0x1021 : c << 1;
        c &= 0xFFFF;
    }
    return static_cast<std::uint16_t>(c);
}

FirmwareLoad parse_firmware(std::span<const std::uint8_t> file) {
    FirmwareLoad load;
    if (file.size() < kFirmwareMinSize || file.size() > kFirmwareMaxSize) {
        load.status = FirmwareFileStatus::SizeRefused;
        return load;
    }
    const std::size_t size = file.size();
    const std::uint16_t stored = static_cast<std::uint16_t>(file[size - 2] | (file[size - 1] << 8));
    if (crc16_xmodem(file.first(size - kFirmwareChecksumSize)) != stored) {
        load.status = FirmwareFileStatus::ChecksumWrong;
        return load;
    }
    FirmwareImage& image = load.image;
    image.version = le32(file, 4);
    image.hardware_code = le32(file, 8);
    image.file_size = size;
    // Body and checksum as they stand, then zeros: never bytes of an earlier, longer file.
    image.transfer.assign(file.begin() + kFirmwareHeaderSize, file.end());
    image.transfer.resize(image.body_size() + kFirmwareTailSize, 0);
    load.status = FirmwareFileStatus::Ok;
    return load;
}

FirmwareLoad load_firmware_file(const std::string& path) {
    FirmwareLoad load;
    FileReadResult read = read_file_bounded(path, kFirmwareMaxSize);
    switch (read.status) {
        case FileReadStatus::Ok: break;
        case FileReadStatus::NotFound: load.status = FirmwareFileStatus::OpenFailed; return load;
        case FileReadStatus::TooLarge: load.status = FirmwareFileStatus::SizeRefused; return load;
        case FileReadStatus::Unreadable:
            load.status = FirmwareFileStatus::ReadFailed;
            load.problem = read.problem;
            return load;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(read.content.data());
    return parse_firmware(std::span<const std::uint8_t>(bytes, read.content.size()));
}

std::vector<std::uint8_t> make_firmware_file(std::uint32_t version, std::uint32_t hardware_code,
                                             std::span<const std::uint8_t> body) {
    std::vector<std::uint8_t> file;
    put32(file, 0);
    put32(file, version);
    put32(file, hardware_code);
    file.insert(file.end(), body.begin(), body.end());
    const std::uint16_t crc = crc16_xmodem(file);
    file.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    file.push_back(static_cast<std::uint8_t>(crc >> 8));
    return file;
}

}  // namespace ztv
