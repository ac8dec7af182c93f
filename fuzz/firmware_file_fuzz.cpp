// Random bytes as a firmware file: parsing must never read out of bounds; an accepted file
// has a size within the bounds, its checksum right, and a transfer of body, checksum and zero
// padding; the simulated bootloader's check of the transfer must hold up as well.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "device/firmware_file.h"
#include "sim/sim_firmware.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ztv;
    const std::span<const std::uint8_t> file(data, size);
    const FirmwareLoad load = parse_firmware(file);
    sim::check_sim_firmware(file);
    if (load.status != FirmwareFileStatus::Ok) {
        if (load.status == FirmwareFileStatus::SizeRefused && size >= kFirmwareMinSize && size <= kFirmwareMaxSize)
            std::abort();
        return 0;
    }
    const FirmwareImage& image = load.image;
    if (size < kFirmwareMinSize || size > kFirmwareMaxSize) std::abort();
    if (image.transfer.size() != image.body_size() + kFirmwareTailSize) std::abort();
    if (!std::equal(file.begin() + kFirmwareHeaderSize, file.end(), image.transfer.begin())) std::abort();
    if (!std::all_of(image.transfer.begin() + static_cast<std::ptrdiff_t>(size - kFirmwareHeaderSize),
                     image.transfer.end(), [](std::uint8_t b) { return b == 0; }))
        std::abort();
    if (crc16_xmodem(file.first(size - 2)) != (file[size - 2] | (file[size - 1] << 8))) std::abort();
    sim::check_sim_firmware(image.transfer);
    return 0;
}
