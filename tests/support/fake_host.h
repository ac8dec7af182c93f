// A Host for tests: a simulated clock that pump() advances, a polling timer that fires during
// pumps like the window's timer, and a record of everything the core showed. Message boxes are
// answered from a script (questions default to No).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/host.h"
#include "sim/sim_clock.h"

namespace ztv::test {

class FakeHost final : public Host, public sim::SimClock {
public:
    struct Box {
        int type;
        Text text;
    };
    struct Flash {
        int duration_ms;
        int blink_ms;
        Text text;
    };
    struct LogLine {
        std::string text;
        LogSource source;
    };

    // Host
    std::uint32_t tick_ms() override { return static_cast<std::uint32_t>(now_us_ / 1000); }
    // The calendar runs with the simulated clock from a fixed day (2024-06-17 07:00:00 UTC).
    std::int64_t wall_clock_us() override { return kWallClockStartUs + static_cast<std::int64_t>(now_us_); }
    static constexpr std::int64_t kWallClockStartUs = 1'718'607'600'000'000 - 1'000'000;
    void pump() override;
    bool closing() const override { return closing_; }
    int show_message(int type, const Text& text) override;
    void flash_message(int duration_ms, int blink_ms, const Text& text) override {
        flashes.push_back({duration_ms, blink_ms, text});
    }
    void clear_flash_message() override { ++flash_clears; }
    void progress_begin(int maximum, const Text& title) override;
    void progress_add(int amount) override;
    void progress_hide() override { progress_visible = false; }
    void suspend_polling() override;
    void resume_polling() override;
    void log_line(const std::string& line, LogSource source) override { log.push_back({line, source}); }
    void set_status_text(const Text& text) override { status_texts.push_back(text); }
    void show_wait_notice(const Text& text) override { wait_notices.push_back(text); }
    void clear_wait_notice() override { ++wait_notice_clears; }
    Lang language() const override { return lang; }

    // SimClock
    std::uint32_t now_ms() override { return tick_ms(); }
    void spend_us(std::uint32_t microseconds) override { now_us_ += microseconds; }

    // Test controls
    void advance_ms(std::uint32_t ms) { now_us_ += static_cast<std::uint64_t>(ms) * 1000; }
    // Pumps until ms of simulated time have passed (timers fire on the way).
    void run_for(std::uint32_t ms);
    void set_closing(bool closing) { closing_ = closing; }
    void answer_next(int button) { answers_.push_back(button); }
    // A repeating timer that fires inside pump() while polling is not suspended.
    void attach_polling(std::function<void()> tick, std::function<std::uint32_t()> interval_ms);
    int suspension() const { return suspension_; }
    std::vector<std::string> log_texts() const;
    std::vector<std::string> box_texts_en() const;

    Lang lang = Lang::English;
    std::uint32_t pump_step_us = 1000;
    std::uint64_t pumps = 0;
    std::vector<Box> boxes;
    std::vector<Flash> flashes;
    int flash_clears = 0;
    std::vector<LogLine> log;
    std::vector<Text> status_texts;
    std::vector<Text> wait_notices;
    int wait_notice_clears = 0;
    std::vector<Text> progress_titles;
    std::vector<int> progress_maxima;  // one per progress_begin, beside its title
    int progress_max = 0;
    int progress_total = 0;
    bool progress_visible = false;
    int polling_ticks = 0;
    std::function<void(FakeHost&)> on_pump;  // runs at every pump (tests act "meanwhile")

private:
    std::uint64_t now_us_ = 1'000'000;  // start away from 0, as a real tick counter would
    bool closing_ = false;
    std::deque<int> answers_;
    int suspension_ = 0;
    std::function<void()> tick_;
    std::function<std::uint32_t()> interval_;
    std::uint32_t next_due_ms_ = 0;
    bool in_tick_ = false;
};

}  // namespace ztv::test
