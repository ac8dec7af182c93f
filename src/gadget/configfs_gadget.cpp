#include "gadget/configfs_gadget.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/format.h"
#include "device/transport.h"

namespace ztv::gadget {

bool ConfigfsGadget::write(const std::string& name, const std::string& value) {
    const std::string path = dir_ + "/" + name;
    // configfs takes each attribute in one write; a stdio stream with the value and a line
    // end does that, and its close reports what the kernel refused.
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        error_ = path + ": " + std::strerror(errno);
        return false;
    }
    const std::string line = value + "\n";
    const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error_ = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool ConfigfsGadget::attach(const BusIdentity& identity) {
    return write("idVendor", strprintf("0x%04x", kVendorId)) &&
           write("idProduct", strprintf("0x%04x", identity.product_id)) &&
           write("strings/0x409/manufacturer", identity.manufacturer) &&
           write("strings/0x409/product", identity.product) && write("strings/0x409/serialnumber", serial_) &&
           write("UDC", udc_);
}

bool ConfigfsGadget::detach() { return write("UDC", ""); }

}  // namespace ztv::gadget
