// The Host of ztv-tool: the machine's monotonic clock, a pump that runs the polling timer (if
// one is attached) and otherwise sleeps a millisecond, messages and log lines on standard
// error in the run's language, and questions answered No unless the user passed --yes.
//
// For a replay the clock can be paced instead: it then moves only in pump(), to the polling
// timer's next tick, and pump() sleeps so that it runs at most `speed` thousandths of real
// time. Whatever the machine's load, the program then meets the replayed frames exactly when
// their stamps say, only later in real time when it cannot keep up.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "common/host.h"

namespace ztv::cli {

class ConsoleHost final : public Host {
public:
    explicit ConsoleHost(Lang lang, bool answer_yes = false, bool quiet_log = false)
        : lang_(lang), answer_yes_(answer_yes), quiet_log_(quiet_log) {}

    std::uint32_t tick_ms() override;
    void pump() override;
    bool closing() const override { return false; }
    int show_message(int type, const Text& text) override;
    void flash_message(int duration_ms, int blink_ms, const Text& text) override;
    void clear_flash_message() override {}
    void progress_begin(int maximum, const Text& title) override;
    void progress_add(int amount) override;
    void progress_hide() override {}
    void suspend_polling() override { ++suspension_; }
    void resume_polling() override {
        if (suspension_ > 0) --suspension_;
    }
    void log_line(const std::string& line, LogSource source) override;
    void set_status_text(const Text& /*text*/) override {}
    Lang language() const override { return lang_; }

    // A repeating timer run from pump() while polling is not suspended.
    void attach_polling(std::function<void()> tick, std::function<std::uint32_t()> interval_ms);
    // The paced clock described above (speed in thousandths of real time, above 0).
    void pace(std::uint32_t speed);

private:
    Lang lang_;
    bool answer_yes_;
    bool quiet_log_;
    int suspension_ = 0;
    int progress_max_ = 0;
    int progress_total_ = 0;
    int progress_shown_percent_ = -1;
    std::function<void()> tick_;
    std::function<std::uint32_t()> interval_;
    std::uint32_t next_due_ms_ = 0;
    bool in_tick_ = false;
    std::uint32_t pace_ = 0;      // 0: the machine's clock
    std::uint64_t paced_us_ = 0;  // the paced clock
    std::uint64_t paced_from_us_ = 0;                             // its reading when pacing began
    std::chrono::steady_clock::time_point paced_since_{};  // and the real time then
};

}  // namespace ztv::cli
