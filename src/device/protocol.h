// The controller's command protocol on top of the transport: read and write requests on a data
// area by offset and length, chunked transfers with progress, and actions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "common/host.h"
#include "common/text.h"
#include "device/transport.h"

namespace ztv {

// Base codes of the data areas ("device block n"); a write carries the code OR 0x80.
namespace block {
inline constexpr std::uint8_t kStatus = 0x01;
inline constexpr std::uint8_t kFirmware = 0x02;
inline constexpr std::uint8_t kRestart = 0x03;
inline constexpr std::uint8_t kDefaults = 0x04;
inline constexpr std::uint8_t kTerminal = 0x05;
inline constexpr std::uint8_t kRecord = 0x10;
inline constexpr std::uint8_t kTouchCalibration = 0x11;
inline constexpr std::uint8_t kLearning = 0x12;
inline constexpr std::uint8_t kIrCapture = 0x13;
inline constexpr std::uint8_t kTouchCapture = 0x14;
inline constexpr std::uint8_t kCanLog = 0x15;
}  // namespace block

inline constexpr std::uint8_t kWriteBit = 0x80;
inline constexpr std::uint8_t kReplyConfirmed = 0xFF;
inline constexpr std::uint8_t kReplyParameters = 0xFE;
inline constexpr std::uint8_t kReplyFailed = 0xFD;

// First lines of the error boxes of failed device reads and writes.
inline constexpr TextPair kReadErrorTitle{"Ошибка чтения из устройства", "Error reading from device"};
inline constexpr TextPair kWriteErrorTitle{"Ошибка записи в устройство", "Error writing to the device"};
// Reading the whole configuration failed (the toolbar, the firmware update's read, ztv-tool).
inline constexpr TextPair kReadConfigurationFailed{"Ошибка чтения конфигурации устройства\n%s",
                                                   "Error reading the configuration of the device\n%s"};

// Explicit requests leave the next two polling ticks out.
inline constexpr int kTickSkipAfterRequest = 2;

class Protocol {
public:
    Protocol(Transport& transport, Host& host) : transport_(transport), host_(host) {}

    // One read request. dest is cleared first and receives at most dest.size() bytes;
    // out_len is the reply's length (which may exceed what was kept).
    int read_area(std::uint8_t code, std::uint32_t offset, std::span<std::uint8_t> dest, std::size_t& out_len);
    // One write request of at most 64 bytes; more gives kErrParameters without traffic.
    int write_area(std::uint8_t code, std::uint32_t offset, std::span<const std::uint8_t> data);
    // Reads dest.size() bytes from offset on, request after request, advancing the progress.
    int read_chunked(std::uint8_t code, std::uint32_t offset, std::span<std::uint8_t> dest);
    // Writes data from offset on in frames of at most chunk bytes, advancing the progress.
    int write_chunked(std::uint8_t code, std::uint32_t offset, std::span<const std::uint8_t> data,
                      std::size_t chunk = kPayloadMax);
    // As read_area and write_chunked, but a failure also shows an error box.
    int read_checked(std::uint8_t code, std::uint32_t offset, std::span<std::uint8_t> dest, std::size_t& out_len);
    int write_checked(std::uint8_t code, std::uint32_t offset, std::span<const std::uint8_t> data);

    int restart_device();
    // Asks first; No returns 0 without sending anything, and so does a Yes that `go_on` (the
    // backup of what is about to be reset) then stops.
    int reset_to_defaults(const std::function<bool()>& go_on = {});

    // The polling tick's skip counter: explicit requests set it, the tick counts it down.
    int tick_skip() const { return tick_skip_; }
    void set_tick_skip(int value) { tick_skip_ = value; }

    Transport& transport() { return transport_; }
    Host& host() { return host_; }

private:
    Transport& transport_;
    Host& host_;
    int tick_skip_ = 0;
};

}  // namespace ztv
