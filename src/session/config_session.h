// The configuration as the controller holds it. The record and its shadow copy (what the
// controller was last sent or read) live in ConfigState; this is where they meet the link: the
// whole-configuration read and write, reading a newly seen controller, and sending what the
// user changed. The device layer below it is a pure link that knows nothing of the record.
#pragma once

#include <functional>

#include "common/text.h"
#include "config/config_history.h"
#include "config/config_state.h"
#include "device/connection_monitor.h"
#include "device/protocol.h"

namespace ztv {

// The message of the toolbar (and of ztv-tool) when writing the whole configuration failed;
// its reading twin, kReadConfigurationFailed, is the protocol's.
inline constexpr TextPair kWriteConfigurationFailed{"Ошибка записи конфигурации\n%s", "Error writing configuration\n%s"};

// The progress title of a whole-configuration read.
inline constexpr TextPair kReadingTitle{"Чтение конфигурации из устройства", "Reading configuration from the device"};

inline constexpr TextPair kWritingTitle{"Запись конфигурации в устройство", "Write configuration to the device"};

// What a newly seen controller meets when the window shows a configuration the user opened or
// edited: the controller's configuration replaces it (Read), it is written to the controller
// (Write), or neither happens for now (Leave: nothing is sent until the user decides).
enum class ConnectChoice { Read, Write, Leave };

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
    // A newly seen controller is about to be read while the window shows a configuration the
    // user opened or edited.
    virtual ConnectChoice choose_on_connect() { return ConnectChoice::Read; }
    // A send of changes failed: what the configuration shown holds that the controller (which
    // holds `held`, as far as the sends went) was not sent, in words; empty says nothing more.
    virtual Text describe_unsent(const ConfigSnapshot& /*held*/, const ConfigSnapshot& /*shown*/) { return {}; }
};

class ConfigSession {
public:
    ConfigSession(ConfigState& state, ConnectionMonitor& monitor, SessionEvents& events);

    // A tick of the polling timer: the monitor's poll, then after_poll, then the change
    // sender, all while polling is suspended. False when the monitor skipped the tick.
    bool on_polling_tick(const std::function<void()>& after_poll = {});
    // The monitor found a controller it has not seen before: its configuration is read, unless
    // the user chooses to keep a configuration of their own (then it is written).
    void new_controller();
    // The toolbar's read and the automatic read of a new controller (not in the bootloader);
    // a failure shows its error box.
    int read_configuration_if_application();
    int write_configuration();
    // The controller's configuration changed behind the program's back (defaults, restart,
    // firmware update): it is read again when the monitor next sees the controller.
    void controller_changed();
    // Sends every run of record bytes that differs from the shadow and copies it there, and
    // the touch block when an undo or redo changed it. A run is sent once, whether or not the
    // controller took it; after a failure the configuration counts as not held by the
    // controller until a whole read or write succeeds, and one error box says what was not
    // sent.
    void send_changes();
    // What the controller holds was just read whole (before an opened file is sent to it): it
    // becomes the shadow copy, and nothing is unsent any more.
    void controller_read(const Record& held);

    // The one entry point of every edit: the state the user's action left becomes a step of
    // the history named `name` (see ConfigHistory::commit for `field`). False when nothing
    // changed.
    bool record_edit(const Text& name, const std::string& field = {});
    // Puts the previous (next) step's configuration into the state; a connected controller
    // gets the difference on the next tick, the touch block included. False without a step.
    bool undo();
    bool redo();
    // The configuration shown is the one a file or the controller now holds: recorded as a
    // step named `name` when it changed, then marked.
    void mark_clean(CleanPoint point, const Text& name);
    // Starts the history afresh from the state shown (nothing the user could lose).
    void reset_history();
    // The controller connected now holds what the window shows: every change was sent.
    bool controller_holds_configuration() const;
    // A controller application answers: connected, or being met (the monitor counts a
    // controller as connected only once its first poll, which meets it, is over).
    bool controller_answers() const;
    // Unsaved: changed since opened or saved, and not held by the controller, which holds
    // neither the slot names nor a change it refused. An edit the controller took counts as
    // held; a renamed slot only a file can hold.
    bool unsaved() const;
    // What a newly seen controller's read would replace: a configuration opened or edited
    // since the last read or write.
    bool shows_user_configuration() const { return !history_.at(CleanPoint::Controller); }
    const ConfigHistory& history() const { return history_; }
    ConfigHistory& history() { return history_; }

    ConfigState& state() { return state_; }
    ConnectionMonitor& monitor() { return monitor_; }

private:
    void report_unsent(int error, const Record& held);

    ConfigState& state_;
    ConnectionMonitor& monitor_;
    SessionEvents& events_;
    ConfigHistory history_;
    bool touch_unsent_ = false;  // an undo or redo changed the touch block
    bool meeting_ = false;       // new_controller() runs
    bool unsent_ = false;        // a send of changes failed since the last whole read or write
    SlotNames names_saved_{};    // the slot names as the file opened or saved last holds them
};

// The monitor's events where no window listens: a newly seen controller is read, nothing else.
struct SessionMonitorEvents : MonitorEvents {
    void new_controller() override {
        if (session != nullptr) session->new_controller();
    }
    ConfigSession* session = nullptr;
};

}  // namespace ztv
