// The controller's 56-byte status record and the texts built from it: device information,
// status line and whether the controller has a CAN log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace ztv {

inline constexpr std::size_t kStatusSize = 56;
inline constexpr std::size_t kStatusNameOffset = 16;
inline constexpr std::size_t kStatusNameSize = 32;
inline constexpr std::size_t kStatusWordOffset = 48;

// Status word bits.
inline constexpr std::uint16_t kStatusSourceMask = 0x00FF;
inline constexpr std::uint16_t kStatusCanLogRunning = 0x2000;
inline constexpr unsigned kStatusPendingShift = 14;
inline constexpr std::uint16_t kStatusPendingMask = 0xC000;
// Pending-data codes (bits 15-14).
inline constexpr unsigned kPendingNone = 0;
inline constexpr unsigned kPendingCan = 1;
inline constexpr unsigned kPendingTerminal = 2;
inline constexpr unsigned kPendingBoth = 3;

struct StatusRecord {
    std::uint32_t app_version = 0;   // version x 100; 0 without an application
    std::uint32_t serial = 0;
    std::uint32_t boot_version = 0;
    std::uint32_t hardware_code = 0;
    std::string name;                // at most 32 bytes, up to the first NUL
    std::uint16_t status_word = 0;

    // Bytes beyond what the controller sent count as 0; nothing past the data is read.
    static StatusRecord parse(std::span<const std::uint8_t> bytes);
    // The 56-byte wire form (the simulated controller answers with it).
    void serialize(std::span<std::uint8_t, kStatusSize> out) const;

    unsigned pending() const { return (status_word & kStatusPendingMask) >> kStatusPendingShift; }
    unsigned source_index() const { return status_word & kStatusSourceMask; }
    bool can_log_running() const { return (status_word & kStatusCanLogRunning) != 0; }
    bool bootloader() const;
};

// True when the name says the controller runs its bootloader.
bool is_bootloader_name(std::string_view name);

// A version number x 100 as the controller's information shows it: "2.05".
std::string version_text(std::uint32_t version);

// The device information block, line by line.
std::vector<Text> device_info_lines(const StatusRecord& status);
// What the feature letters at the end of the controller's name stand for ("CAN Bus"), as the
// information block lists them; none for a bootloader or a controller without an application.
std::vector<Text> controller_features(const StatusRecord& status);

// The status line of a connected controller; dots is 0 to 10.
Text status_line_text(const StatusRecord& status, int dots, bool can_file_open);

// Whether a controller of this name has a CAN log.
bool can_log_offered(std::string_view name);

}  // namespace ztv
