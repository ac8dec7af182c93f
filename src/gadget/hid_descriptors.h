// What the controller shows the USB host: one HID interface whose report descriptor declares
// the 70-byte feature report with report ID 1 (69 data bytes after the ID), the HID class
// descriptor that points to it, and the interrupt IN endpoint every HID interface must have.
// The bytes are built here without any kernel header so that they can be checked anywhere.
#pragma once

#include <cstdint>
#include <vector>

namespace ztv::gadget {

inline constexpr std::uint8_t kHidDescriptorType = 0x21;
inline constexpr std::uint8_t kReportDescriptorType = 0x22;
inline constexpr std::uint8_t kInterruptInAddress = 0x81;
inline constexpr std::uint16_t kInterruptPacket = 64;

// The HID report descriptor: a vendor-defined collection with one feature report.
std::vector<std::uint8_t> report_descriptor();

// The HID class descriptor (9 bytes) that follows the interface descriptor.
std::vector<std::uint8_t> hid_class_descriptor();

// The descriptor blob FunctionFS takes on ep0 (format version 2): full- and high-speed
// interface, HID class and endpoint descriptors.
std::vector<std::uint8_t> functionfs_descriptors();

// The strings blob FunctionFS takes after the descriptors: none (the device strings come from
// the gadget's configfs entries).
std::vector<std::uint8_t> functionfs_strings();

}  // namespace ztv::gadget
