// What the core needs from the shell around it. The Qt main window implements it; tests use a
// fake whose pump advances a simulated clock, so that time-outs and long waits cost nothing.
#pragma once

#include <cstdint>
#include <string>

#include "common/text.h"

namespace ztv {

// Message box types (low byte) and the buttons they return.
inline constexpr int kBoxError = 0x10;
inline constexpr int kBoxQuestion = 0x20;
inline constexpr int kBoxWarning = 0x30;
inline constexpr int kBoxInformation = 0x40;
inline constexpr int kBoxDefaultSecond = 0x100;  // make the second button (No) the default
// A question box with a third button, Cancel (the escape key), answered kIdCancel.
inline constexpr int kBoxWithCancel = 0x200;
inline constexpr int kIdCancel = 2;
// A question box with a "Show changes" button, answered kIdShowChanges (the box is then asked
// again once the changes were seen).
inline constexpr int kBoxShowChanges = 0x400;
inline constexpr int kIdShowChanges = 3;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Colour of a terminal line: the program's own log, or text that came from the controller.
enum class LogSource { Program, Controller };

class Host {
public:
    virtual ~Host() = default;

    // Milliseconds of a monotonic counter that wraps at 2^32, like the system tick counter.
    virtual std::uint32_t tick_ms() = 0;
    // Microseconds since 1970 by the machine's calendar clock (what candump stamps frames with).
    virtual std::int64_t wall_clock_us();
    // Lets the windowing system process pending messages once: timers and user actions run.
    virtual void pump() = 0;
    // Set once the main window has been asked to close; every wait gives up when it sees it.
    virtual bool closing() const = 0;
    // Lets the window draw and run its timers while the device link waits for a HID call on
    // its I/O thread. The shell keeps user input queued until the wait ends, so that no click
    // starts another device operation in the middle of a transfer.
    virtual void pump_device_wait() { pump(); }
    // While a HID call has gone unanswered for a while: what the status line says instead of
    // its own text, which comes back with clear_wait_notice().
    virtual void show_wait_notice(const Text& /*text*/) {}
    virtual void clear_wait_notice() {}

    // A modal box over the main window; the low byte of type picks title, icon and buttons.
    // Returns the button pressed (kIdOk, kIdYes, kIdNo). Polling is suspended while it is open.
    virtual int show_message(int type, const Text& text) = 0;
    // The toolbar strip; duration 0 keeps the text until replaced, blink 0 does not blink.
    virtual void flash_message(int duration_ms, int blink_ms, const Text& text) = 0;
    virtual void clear_flash_message() = 0;

    // Progress display: the gauge in the toolbar strip and the title in the status line. A
    // maximum of 0 or less shows a wait without a measure (the gauge runs to and fro).
    virtual void progress_begin(int maximum, const Text& title) = 0;
    virtual void progress_add(int amount) = 0;
    virtual void progress_hide() = 0;

    // Nestable stop and restart of the polling timer.
    virtual void suspend_polling() = 0;
    virtual void resume_polling() = 0;

    // One line of the terminal's receive pane (UTF-8, no line end).
    virtual void log_line(const std::string& line, LogSource source) = 0;
    // The status line's text.
    virtual void set_status_text(const Text& text) = 0;

    // The language the user reads, for lines the core writes to the terminal log in one
    // language only.
    virtual Lang language() const { return Lang::Russian; }
};

// Waits ms milliseconds by the host's tick counter, pumping messages all the while; returns
// the time actually waited. Callers that talk to the controller look at closing() themselves.
std::uint32_t wait_pumping(Host& host, std::uint32_t ms);

// Suspends polling for the lifetime of the guard, on every path out of a scope.
class PollingSuspension {
public:
    explicit PollingSuspension(Host& host) : host_(host) { host_.suspend_polling(); }
    ~PollingSuspension() { host_.resume_polling(); }
    PollingSuspension(const PollingSuspension&) = delete;
    PollingSuspension& operator=(const PollingSuspension&) = delete;

private:
    Host& host_;
};

}  // namespace ztv
