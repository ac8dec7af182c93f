// The services the core asks of the shell (Host): the clock and the pump, message boxes, the
// strip, the progress display, the wait notice, the polling timer and its suspension, the
// terminal log, and the language those speak. The window's peers that show boxes or notes
// receive this, never the window.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

#include "common/host.h"

class QWidget;

namespace ztv {

class ShellClock;
class ShellTimer;
class TerminalPage;
class WindowChrome;
class WindowOperations;

// Stand-ins for a person at the keyboard: tests and unattended runs answer boxes and dialogs
// through these instead of showing them.
using MessageAnswerer = std::function<int(int type, const QString& title, const QString& text)>;

class ShellHost : public QObject, public Host {
    Q_OBJECT
public:
    // Polling stays off until the window is initialised (resume_polling once).
    ShellHost(QWidget& window, WindowChrome& chrome, WindowOperations& operations, ShellClock& clock);

    // Once the pages exist: the terminal page's receive pane takes the log lines, and the
    // polling timer is made.
    void attach(TerminalPage& terminal);

    // --- Host ---
    std::uint32_t tick_ms() override;
    void pump() override;
    bool closing() const override { return closing_; }
    void pump_device_wait() override;
    void show_wait_notice(const Text& text) override;
    void clear_wait_notice() override;
    int show_message(int type, const Text& text) override;
    void flash_message(int duration_ms, int blink_ms, const Text& text) override;
    void clear_flash_message() override;
    void progress_begin(int maximum, const Text& title) override;
    void progress_add(int amount) override;
    void progress_hide() override;
    void suspend_polling() override;
    void resume_polling() override;
    void log_line(const std::string& line, LogSource source) override;
    void set_status_text(const Text& text) override;
    Lang language() const override { return lang_; }

    // The language boxes, notes and log lines speak (the page host's switch sets it).
    void set_language(Lang lang) { lang_ = lang; }
    QString tr_pair(const TextPair& pair) const;
    // The status line says `note` for a while.
    void show_status_note(const Text& note, int duration_ms);
    // The top-level window: the parent of boxes and the peers' own windows.
    QWidget& window() const { return window_; }
    // The clock of tick_ms() that every timer of the shell runs on.
    ShellClock& clock() { return clock_; }
    void set_message_answerer(MessageAnswerer answerer) { answerer_ = std::move(answerer); }

    // A transfer has gone unanswered for a while (the wait notice is up).
    bool waiting_for_device() const { return waiting_for_device_; }
    int polling_suspension() const { return polling_suspension_; }
    bool polling_running() const;
    int polling_interval() const;
    void set_polling_interval(int ms);
    // The window closes: polling stops for good and every wait gives up.
    void begin_close();
    // The close has run: no box can be answered any more.
    void end_close() { closed_ = true; }

signals:
    // One tick of the polling timer.
    void polling_tick();

private:
    void place_box(QWidget* box);

    QWidget& window_;
    WindowChrome& chrome_;
    WindowOperations& operations_;
    TerminalPage* terminal_ = nullptr;
    ShellClock& clock_;
    ShellTimer* polling_timer_ = nullptr;
    Lang lang_ = Lang::Russian;
    bool closing_ = false;
    bool closed_ = false;
    bool waiting_for_device_ = false;
    int polling_suspension_ = 1;  // polling stays off until the window is initialised
    MessageAnswerer answerer_;
};

}  // namespace ztv
