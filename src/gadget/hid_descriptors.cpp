#include "gadget/hid_descriptors.h"

#include "device/frame.h"

namespace ztv::gadget {
namespace {

// FunctionFS blob headers (linux/usb/functionfs.h).
constexpr std::uint32_t kDescriptorsMagicV2 = 3;
constexpr std::uint32_t kStringsMagic = 2;
constexpr std::uint32_t kHasFullSpeed = 1;
constexpr std::uint32_t kHasHighSpeed = 2;

constexpr std::uint8_t kInterfaceDescriptorType = 0x04;
constexpr std::uint8_t kEndpointDescriptorType = 0x05;
constexpr std::uint8_t kHidClass = 0x03;
constexpr std::uint8_t kInterruptTransfer = 0x03;
constexpr std::uint8_t kFullSpeedInterval = 10;  // frames of 1 ms
constexpr std::uint8_t kHighSpeedInterval = 4;   // 2^(4-1) microframes: 1 ms

void put_le16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put_le32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put_le16(out, value & 0xFFFF);
    put_le16(out, value >> 16);
}

void set_le32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

void put_interface(std::vector<std::uint8_t>& out, std::uint8_t interval) {
    const std::vector<std::uint8_t> interface{9, kInterfaceDescriptorType, 0, 0, 1, kHidClass, 0, 0, 0};
    out.insert(out.end(), interface.begin(), interface.end());
    const std::vector<std::uint8_t> hid = hid_class_descriptor();
    out.insert(out.end(), hid.begin(), hid.end());
    out.insert(out.end(), {7, kEndpointDescriptorType, kInterruptInAddress, kInterruptTransfer});
    put_le16(out, kInterruptPacket);
    out.push_back(interval);
}

}  // namespace

std::vector<std::uint8_t> report_descriptor() {
    // The 69 data bytes of the feature report: the frame without its report ID byte.
    constexpr auto kDataBytes = static_cast<std::uint8_t>(kFrameSize - 1);
    return {
        0x06, 0x00, 0xFF,  // Usage Page (vendor defined 0xFF00)
        0x09, 0x01,        // Usage (1)
        0xA1, 0x01,        // Collection (Application)
        0x85, kReportId,   //   Report ID (1)
        0x09, 0x01,        //   Usage (1)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8 bits)
        0x95, kDataBytes,  //   Report Count (69)
        0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
        0xC0,              // End Collection
    };
}

std::vector<std::uint8_t> hid_class_descriptor() {
    std::vector<std::uint8_t> out{9, kHidDescriptorType, 0x11, 0x01, 0, 1, kReportDescriptorType};
    put_le16(out, static_cast<std::uint32_t>(report_descriptor().size()));
    return out;
}

std::vector<std::uint8_t> functionfs_descriptors() {
    constexpr std::uint32_t kDescriptorsPerSpeed = 3;
    std::vector<std::uint8_t> out;
    put_le32(out, kDescriptorsMagicV2);
    put_le32(out, 0);  // length, filled in below
    put_le32(out, kHasFullSpeed | kHasHighSpeed);
    put_le32(out, kDescriptorsPerSpeed);
    put_le32(out, kDescriptorsPerSpeed);
    put_interface(out, kFullSpeedInterval);
    put_interface(out, kHighSpeedInterval);
    set_le32(out, 4, static_cast<std::uint32_t>(out.size()));
    return out;
}

std::vector<std::uint8_t> functionfs_strings() {
    std::vector<std::uint8_t> out;
    put_le32(out, kStringsMagic);
    put_le32(out, 16);  // the whole blob
    put_le32(out, 0);   // strings
    put_le32(out, 0);   // languages
    return out;
}

}  // namespace ztv::gadget
