// The door to the HID layer: the real one (hidapi) and the simulated controller implement it,
// so that everything above it runs unchanged with or without a controller on the desk.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/frame.h"

namespace ztv {

struct HidDeviceInfo {
    std::string path;
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    // Already narrowed (narrow_hid_string); nothing when the device would not give the string.
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
};

// One open device. Closing is the destructor.
class HidDevice {
public:
    virtual ~HidDevice() = default;
    // One feature report of exactly 70 bytes, report ID in byte 0. False on any failure.
    virtual bool set_feature(std::span<const std::uint8_t, kFrameSize> report) = 0;
    virtual bool get_feature(std::span<std::uint8_t, kFrameSize> report) = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Prepares the HID layer (once; later calls are cheap): 0, or kErrDriverLoad.
    virtual int init() = 0;
    // Present devices with this vendor and product ID.
    virtual std::vector<HidDeviceInfo> enumerate(std::uint16_t vendor_id, std::uint16_t product_id) = 0;
    // Opens for reading and writing; nothing when the path cannot be opened.
    virtual std::unique_ptr<HidDevice> open(const std::string& path) = 0;
    // Why the last open() gave nothing: true when the device is there but the system refused
    // this user access to it (no udev rule yet), which a person can mend.
    virtual bool last_open_refused() const { return false; }
};

// HID strings come as UTF-16: each unit below 0x100 becomes the byte of that value, any other
// unit one '?', and the text ends at the first 0 unit or after max_units units.
std::string narrow_hid_string(std::u16string_view units);
// The same for the platform's wide strings (UTF-32 on Linux: a character beyond the basic
// plane is two UTF-16 units, hence two '?').
std::string narrow_hid_string(const wchar_t* text, std::size_t max_units);

}  // namespace ztv
