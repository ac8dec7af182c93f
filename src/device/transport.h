// The HID transport: finds the controller under one of its five USB identities, keeps one open
// handle, and carries one request frame out and one reply frame back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/host.h"
#include "device/frame.h"
#include "device/hid_backend.h"

namespace ztv {

inline constexpr std::uint16_t kVendorId = 0xFFFF;
inline constexpr const char* kManufacturer = "ZEB";
inline constexpr std::size_t kIdentityCount = 5;

struct Identity {
    std::uint16_t product_id;
    const char* product;
    bool bootloader;
};
// Index 0 is the bootloader, 1 to 4 the application.
extern const Identity kIdentities[kIdentityCount];

// Commands the transport treats specially.
inline constexpr std::uint8_t kCmdStatus = 0x01;
inline constexpr std::uint8_t kCmdStatusReply = 0x81;
inline constexpr std::uint8_t kCmdFirmwareBlock = 0x82;

inline constexpr std::uint32_t kReplyTimeoutMs = 200;
inline constexpr std::uint32_t kRetryPauseMs = 50;
inline constexpr int kExchangeAttempts = 3;
inline constexpr std::uint32_t kDefaultReplyDelayMs = 50;
inline constexpr std::uint32_t kSlowReportMs = 20;

struct TransportOptions {
    bool report_slow_calls = false;  // "Debug": HID calls slower than 20 ms are logged
    bool trace = false;              // "Communication log": every exchange is logged
    std::uint32_t reply_delay_ms = 0;  // before the first poll of a firmware block; 0 means 50
};

class Transport {
public:
    Transport(HidBackend& backend, Host& host) : backend_(backend), host_(host) {}

    int open_device();
    void close_device() { device_.reset(); }
    bool device_open() const { return device_ != nullptr; }

    // The presence check of a polling tick: opens and closes the current identity and moves on
    // to the next identity when that fails.
    int is_device_online();

    int send_frame(const Frame& frame);
    int receive_frame(Frame& frame);

    // Sends the request and waits up to 200 ms for its reply, which then replaces the frame.
    int exchange(Frame& frame);
    // Up to three attempts 50 ms apart; a firmware block gets one attempt only.
    int exchange_with_retry(Frame& frame);

    bool is_exchange_running() const { return exchange_running_; }

    std::size_t identity_index() const { return identity_index_; }
    void set_identity_index(std::size_t index) { identity_index_ = index; }
    const Identity& current_identity() const;

    TransportOptions& options() { return options_; }
    // Where trace lines go; by default the terminal log of the host.
    void set_trace_sink(std::function<void(const std::string&)> sink) { trace_sink_ = std::move(sink); }

private:
    void wait_for_exchange();
    void trace(const Frame& frame, char direction);
    void report_slow(const char* call, std::uint32_t started);

    HidBackend& backend_;
    Host& host_;
    std::unique_ptr<HidDevice> device_;
    std::size_t identity_index_ = 0;
    bool exchange_running_ = false;
    std::uint32_t trace_base_ = 0;  // 0: not yet set
    TransportOptions options_;
    std::function<void(const std::string&)> trace_sink_;
};

// The exchange trace line of one frame, given the milliseconds since the trace began.
std::string trace_line(const Frame& frame, char direction, std::uint32_t elapsed_ms);

}  // namespace ztv
