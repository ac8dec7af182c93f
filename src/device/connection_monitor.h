// The connection monitor: on every polling tick it checks that a controller is present, reads
// its status record, keeps the status line up to date, reports every newly seen controller,
// and pulls pending terminal text and CAN records. It knows nothing of the configuration: the
// configuration session above it reads a new controller and sends what the user changed.
//
// How the shell drives it:
//   - A repeating timer calls on_polling_tick() (through the configuration session). After
//     every tick (and after any call that may change it) the shell sets the timer's interval to
//     interval_ms(): 200 ms while idle, 10 ms while the controller reports pending data and
//     for five ticks after.
//   - The timer runs only while Host polling is not suspended (Host::suspend_polling and
//     resume_polling stop and restart it); the tick suspends polling for its own duration.
//   - MonitorEvents is how the monitor reports: toolbar enabling, a new controller, the
//     current source, the CAN log page and controller lines.
//   - Toolbar operations set the long-operation flag around their work and call
//     forget_serial() when they changed the controller; a change of language calls
//     clear_connected().
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/cp1251.h"
#include "common/host.h"
#include "device/protocol.h"
#include "device/status_record.h"
#include "device/can_records.h"
#include "device/terminal_lines.h"

namespace ztv {

inline constexpr std::uint32_t kIdleIntervalMs = 200;
inline constexpr std::uint32_t kFastIntervalMs = 10;
inline constexpr int kFastPollTicks = 5;
inline constexpr int kMaxDots = 10;
// A controller that never stops talking must not hold one tick forever: a drain takes at most
// this many requests, and the next tick (10 ms later) goes on.
inline constexpr int kMaxTerminalRequestsPerPull = 256;
inline constexpr std::size_t kTerminalPullSize = 199;

// What the monitor asks of the main window. Every method has a do-nothing default.
class MonitorEvents {
public:
    virtual ~MonitorEvents() = default;
    // Toolbar enabling (it looks at connected() itself).
    virtual void set_busy(bool /*busy*/) {}
    // A controller answers whose serial number was not seen before (never while buttons are
    // being learned: the serial stays unremembered, so the first poll after learning reports it).
    virtual void new_controller() {}
    // One line of controller debug text (Windows-1251 bytes) as it appears in the terminal,
    // in UTF-8; the event-number rewriting hooks in here.
    virtual std::string controller_line(std::string_view raw) { return cp1251_to_utf8(raw); }
};

class ConnectionMonitor {
public:
    ConnectionMonitor(Protocol& protocol, MonitorEvents& events, CanRecordSink* can_sink = nullptr);

    // A polling tick: nothing while explicit requests skip ticks or an exchange runs; else
    // one poll and then `after_poll`, while polling is suspended. True when it polled.
    bool on_polling_tick(const std::function<void()>& after_poll = {});
    // One presence check or status read with everything that follows; returns its error.
    int poll();
    std::uint32_t interval_ms() const { return interval_ms_; }

    bool connected() const { return connected_; }
    void clear_connected() { connected_ = false; }
    // Makes the next status read count as a controller never seen (its configuration is read).
    void forget_serial() { remembered_serial_ = 0; }
    std::uint32_t remembered_serial() const { return remembered_serial_; }
    bool is_bootloader() const { return status_.bootloader(); }
    const StatusRecord& status() const { return status_; }
    void clear_status() { status_ = StatusRecord{}; }
    // Whether the connected controller has a CAN log, as its name last said; nothing before
    // the first status line of a connected controller.
    std::optional<bool> can_log_offered() const { return can_log_offered_; }

    void set_long_operation(bool on) { long_operation_ = on; }
    bool long_operation() const { return long_operation_; }
    void set_no_background_pulls(bool on) { no_background_pulls_ = on; }
    bool no_background_pulls() const { return no_background_pulls_; }
    void set_learning(bool on) { learning_ = on; }
    bool learning() const { return learning_; }

    void print_device_info(const StatusRecord& status);
    int pull_terminal_text();
    int pull_can_records();

    TerminalLineAssembler& terminal() { return terminal_; }
    void set_can_sink(CanRecordSink* sink) { can_sink_ = sink; }
    Protocol& protocol() { return protocol_; }
    MonitorEvents& events() { return events_; }

private:
    int read_status();
    int pull_pending(unsigned pending);
    void update_can_log_offered();
    void show_status_line();
    void log(const Text& text);

    Protocol& protocol_;
    MonitorEvents& events_;
    CanRecordSink* can_sink_;
    Host& host_;
    TerminalLineAssembler terminal_;
    StatusRecord status_;
    bool connected_ = false;
    std::uint32_t remembered_serial_ = 0;
    bool long_operation_ = false;
    bool no_background_pulls_ = false;
    bool learning_ = false;
    bool alternate_ = false;
    int fast_countdown_ = 0;
    int dots_ = 0;
    std::uint32_t interval_ms_ = kIdleIntervalMs;
    std::optional<bool> can_log_offered_;
};

}  // namespace ztv
