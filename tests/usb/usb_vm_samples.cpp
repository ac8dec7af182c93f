// Writes the files the USB virtual-machine cases use into one folder:
//   firmware.LDR  an image the simulated bootloader installs and starts (version 10.06)
//   foreign.LDR   an image with a right file checksum that it takes but does not start
//   full.ZTV      a configuration with every record byte and the touch block set
//   expected.ZTV  what a backup of a controller holding full.ZTV must write, byte for byte
#include <cstdio>
#include <string>

#include "common/file_io.h"
#include "config/config_file.h"
#include "config/config_state.h"
#include "device/firmware_file.h"
#include "sim/sim_firmware.h"

using namespace ztv;

namespace {

bool write_bytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: usb_vm_samples FOLDER\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = write_bytes(dir + "/firmware.LDR", sim::make_sim_firmware(1006, 4, 4096)) &&
              write_bytes(dir + "/foreign.LDR", make_firmware_file(1007, 4, std::vector<std::uint8_t>(1000, 0xA5)));

    ConfigState full;
    for (std::size_t i = 0; i < kRecordSize; ++i) full.record.set_u8(i, static_cast<std::uint8_t>((i * 37 + 11) % 256));
    full.touch = {{11, 22, 33, 44, 55, 66, 77, 88, 99, 110}};
    ok = ok && save_config_file(dir + "/full.ZTV", full) == FileWriteStatus::Ok;
    // A controller holds only the record and the touch block, as the file gives them back.
    ConfigState loaded;
    ok = ok && load_config_file(dir + "/full.ZTV", loaded) == ConfigFileStatus::Ok;
    ConfigState device;
    device.record = loaded.record;
    device.touch = loaded.touch;
    ok = ok && save_config_file(dir + "/expected.ZTV", device) == FileWriteStatus::Ok;
    if (!ok) std::fprintf(stderr, "usb_vm_samples: cannot write the samples into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
