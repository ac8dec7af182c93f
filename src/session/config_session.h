// The configuration as the controller holds it. The record and its shadow copy (what the
// controller was last sent or read) live in ConfigState; this is where they meet the link: the
// whole-configuration read and write, reading a newly seen controller, and sending what the
// user changed. The device layer below it is a pure link that knows nothing of the record.
#pragma once

#include <functional>

#include "common/text.h"
#include "config/config_state.h"
#include "device/connection_monitor.h"
#include "device/protocol.h"

namespace ztv {

// The messages of the toolbar (and of ztv-tool) when reading or writing the whole
// configuration failed.
inline constexpr TextPair kReadConfigurationFailed{"Ошибка чтения конфигурации устройства\n%s",
                                                   "Error reading the configuration of the device\n%s"};
inline constexpr TextPair kWriteConfigurationFailed{"Ошибка записи конфигурации\n%s", "Error writing configuration\n%s"};

// The progress title of a whole-configuration read.
inline constexpr TextPair kReadingTitle{"Чтение конфигурации из устройства", "Reading configuration from the device"};

// The progress maximum of the whole-configuration operations (record plus touch block, rounded).
inline constexpr int kConfigurationProgress = 2048;

// Touch block, then record. A failure leaves an all-zero record (with the header defaults)
// and record_valid clear; success copies the record into the shadow and sets record_valid.
// replaced runs after the record is in place, on every path.
int read_configuration(Protocol& protocol, ConfigState& state, const std::function<void()>& replaced = {});
// Record (then also the shadow), touch block, then the restart action, whose error is the
// result.
int write_configuration(Protocol& protocol, ConfigState& state);

// What the session tells the shell.
class SessionEvents {
public:
    virtual ~SessionEvents() = default;
    // The one place that hears of a configuration replaced by one from the controller (read
    // or failed to read): every page is drawn anew from the record.
    virtual void configuration_replaced() {}
};

class ConfigSession {
public:
    ConfigSession(ConfigState& state, ConnectionMonitor& monitor, SessionEvents& events);

    // A tick of the polling timer: the monitor's poll, then after_poll, then the change
    // sender, all while polling is suspended. False when the monitor skipped the tick.
    bool on_polling_tick(const std::function<void()>& after_poll = {});
    // The monitor found a controller it has not seen before: its configuration is read.
    void new_controller();
    // The toolbar's read and the automatic read of a new controller (not in the bootloader);
    // a failure shows its error box.
    int read_configuration_if_application();
    int write_configuration();
    // The controller's configuration changed behind the program's back (defaults, restart,
    // firmware update): it is read again when the monitor next sees the controller.
    void controller_changed();
    // Sends every run of record bytes that differs from the shadow and copies it there.
    void send_changes();

    ConfigState& state() { return state_; }
    ConnectionMonitor& monitor() { return monitor_; }

private:
    ConfigState& state_;
    ConnectionMonitor& monitor_;
    SessionEvents& events_;
};

// The monitor's events where no window listens: a newly seen controller is read, nothing else.
struct SessionMonitorEvents : MonitorEvents {
    void new_controller() override {
        if (session != nullptr) session->new_controller();
    }
    ConfigSession* session = nullptr;
};

}  // namespace ztv
