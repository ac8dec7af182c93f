// The controller behind the main window, as the window and its toolbar see it; the device
// link implements it. Every member has a harmless default, so that a stand-in overrides only
// what it needs.
#pragma once

#include <string>

namespace ztv {

struct ConfigState;

class WindowDevice {
public:
    virtual ~WindowDevice() = default;

    // One tick of the polling timer.
    virtual void on_polling_tick() {}
    // The interval the polling timer should keep after a tick (fast polls); 0 leaves it.
    virtual int poll_interval_ms() const { return 0; }
    // A controller is connected: its application or its bootloader.
    virtual bool connected() const { return false; }
    // The language switch: the next poll announces the controller anew in the new language.
    virtual void clear_connected() {}
    // Start-up: no status record yet.
    virtual void clear_status() {}
    virtual void stop_can_log() {}
    virtual void close_device() {}
    // An exchange with the controller is under way (the window is pumped while it waits).
    virtual bool exchange_running() const { return false; }
    // Returns the new state of the "no background pulls" flag.
    virtual bool toggle_no_background_pulls() { return false; }
    virtual void set_reply_delay(int /*speed_up_ms*/) {}
    virtual void set_trace_options(bool /*debug*/, bool /*log*/) {}

    // The toolbar's device operations; each reports its own errors.
    virtual void read_configuration() {}
    virtual void write_configuration() {}
    virtual void reset_to_defaults() {}
    virtual void restart() {}
    virtual void firmware_update() {}
    // A configuration file (read from `path`) is about to replace the one shown (and so reach
    // a connected controller): false keeps the one shown.
    virtual bool before_file_applied(const ConfigState& /*file*/, const std::string& /*path*/) { return true; }
};

}  // namespace ztv
