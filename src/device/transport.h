// The HID transport: finds the controller under one of its five USB identities, keeps one open
// handle, and carries one request frame out and one reply frame back.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/host.h"
#include "device/frame.h"
#include "device/hid_backend.h"
#include "device/hid_io_thread.h"

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
// A HID call unanswered this long shows the wait in the status line; once the window is
// closing, the call is given up on instead of waited for.
inline constexpr std::uint32_t kDeviceWaitNoticeMs = 1000;
// How often the window draws and runs its timers while HID calls run on the I/O thread.
inline constexpr std::chrono::microseconds kDevicePumpInterval{4000};

inline constexpr TextPair kWaitingForController{"Ожидание ответа контроллера...", "Waiting for the controller..."};

struct TransportOptions {
    bool report_slow_calls = false;  // "Debug": HID calls slower than 20 ms are logged
    bool trace = false;              // "Communication log": every exchange is logged
    std::uint32_t reply_delay_ms = 0;  // before the first poll of a firmware block; 0 means 50
};

class Transport {
public:
    // HID calls on the caller's thread: the simulated controller, whose time is the host's
    // (simulated in tests), so that nothing in a test depends on another thread's timing.
    Transport(HidBackend& backend, Host& host);
    // HID calls on an I/O thread of the transport's own, which shares the backend: a call given
    // up on while the window closes may finish after the transport is gone.
    Transport(std::shared_ptr<HidBackend> backend, Host& host);
    ~Transport();
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    int open_device();
    void close_device();
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
    // How often the window is pumped while a call runs on the I/O thread; 0 pumps without
    // waiting in between (tests, whose pump moves a simulated clock).
    void set_pump_interval(std::chrono::microseconds interval) { pump_interval_ = interval; }

private:
    // Runs one HID call (on the I/O thread when there is one) and waits for it, pumping the
    // window; false when the wait was given up because the window is closing.
    bool run_call(std::function<void()> work);
    void pump_if_due();
    void wait_for_exchange();
    void trace(const Frame& frame, char direction);
    void report_slow(const char* call, std::uint32_t started);

    std::shared_ptr<HidBackend> backend_;
    Host& host_;
    std::shared_ptr<HidDevice> device_;
    std::unique_ptr<HidIoThread> io_;  // none: calls on the caller's thread
    std::chrono::microseconds pump_interval_ = kDevicePumpInterval;
    std::chrono::steady_clock::time_point last_pump_{};
    int stalled_waits_ = 0;       // waits past the notice time, nested ones included
    bool gave_up_call_ = false;   // a call was given up on while closing
    std::size_t identity_index_ = 0;
    std::optional<std::size_t> refused_identity_;  // the identity last found but not opened
    bool exchange_running_ = false;
    std::uint32_t trace_base_ = 0;  // 0: not yet set
    TransportOptions options_;
    std::function<void(const std::string&)> trace_sink_;
};

// The exchange trace line of one frame, given the milliseconds since the trace began.
std::string trace_line(const Frame& frame, char direction, std::uint32_t elapsed_ms);

}  // namespace ztv
