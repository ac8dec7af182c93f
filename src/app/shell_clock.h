// The shell's time: the tick counter the core reads and the timers the window runs on. The
// program runs it on the machine's monotonic clock. Tests run it simulated: time passes only
// when it is advanced, and every timer that falls due on the way fires in order, so that no
// test waits on the wall clock or depends on how loaded the machine is.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <vector>

namespace ztv {

class ShellTimer;

class ShellClock {
public:
    explicit ShellClock(bool simulated = false);
    ShellClock(const ShellClock&) = delete;
    ShellClock& operator=(const ShellClock&) = delete;

    bool simulated() const { return simulated_; }
    // Milliseconds since the clock was made (wraps at 2^32 like the system tick counter).
    std::uint32_t now_ms() const;
    // Simulated clock: moves time on by ms, firing the timers that fall due on the way and
    // letting Qt deliver what they posted. A real clock ignores it.
    void advance(std::uint32_t ms);

private:
    friend class ShellTimer;
    ShellTimer* next_due(std::uint64_t until) const;

    bool simulated_;
    QElapsedTimer real_;
    std::uint64_t now_ = 0;
    std::vector<ShellTimer*> timers_;  // simulated clock: every timer made on it, oldest first
};

// A repeating or single-shot timer on a ShellClock, with QTimer's few calls the shell uses.
class ShellTimer : public QObject {
    Q_OBJECT
public:
    ShellTimer(ShellClock& clock, QObject* parent);
    ~ShellTimer() override;

    void set_interval(int ms);
    int interval() const { return interval_; }
    void set_single_shot(bool single) { single_shot_ = single; }
    void start();
    void start(int ms) {
        set_interval(ms);
        start();
    }
    void stop();
    bool is_active() const;

signals:
    void timeout();

private:
    friend class ShellClock;
    void fire();

    ShellClock& clock_;
    QTimer* real_ = nullptr;  // real clock only; a simulated clock outlives its timers
    int interval_ = 0;
    bool single_shot_ = false;
    bool active_ = false;     // simulated clock only, like due_
    bool firing_ = false;     // a timer does not fire again inside its own timeout, as in Qt
    std::uint64_t due_ = 0;
};

}  // namespace ztv
