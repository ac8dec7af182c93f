#include "cli/console_host.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace ztv::cli {

std::uint32_t ConsoleHost::tick_ms() {
    if (pace_ != 0) return static_cast<std::uint32_t>(paced_us_ / 1000);
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void ConsoleHost::pace(std::uint32_t speed) {
    paced_us_ = std::uint64_t{tick_ms()} * 1000;
    paced_from_us_ = paced_us_;
    paced_since_ = std::chrono::steady_clock::now();
    pace_ = speed;
}

void ConsoleHost::pump() {
    const bool timer_runs = tick_ && suspension_ == 0 && !in_tick_;
    if (timer_runs && static_cast<std::int32_t>(tick_ms() - next_due_ms_) >= 0) {
        in_tick_ = true;
        tick_();
        in_tick_ = false;
        next_due_ms_ = tick_ms() + interval_();
        return;
    }
    if (pace_ == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return;
    }
    // On towards the timer's next tick (a millisecond without one), never past it and no faster
    // than the pace allows; a pump waits a millisecond at most, so a slow pace still lets the
    // caller look at Ctrl+C.
    using namespace std::chrono;
    const std::uint64_t target_us = paced_us_ + std::uint64_t{timer_runs ? next_due_ms_ - tick_ms() : 1u} * 1000;
    const auto target_real = paced_since_ + microseconds((target_us - paced_from_us_) * 1000 / pace_);
    std::this_thread::sleep_until(std::min(target_real, steady_clock::now() + milliseconds(1)));
    const auto real_us = static_cast<std::uint64_t>(duration_cast<microseconds>(steady_clock::now() - paced_since_).count());
    paced_us_ = std::clamp(paced_from_us_ + real_us * pace_ / 1000, paced_us_, target_us);
}

int ConsoleHost::show_message(int type, const Text& text) {
    const int kind = type & 0xFF;
    std::fprintf(stderr, "%s\n", text.in(lang_).c_str());
    if (kind == kBoxQuestion || kind == kBoxWarning) {
        static constexpr TextPair kYes{"Да (--yes)", "Yes (--yes)"};
        static constexpr TextPair kNo{"Нет", "No"};
        std::fprintf(stderr, "  -> %s\n", pick(answer_yes_ ? kYes : kNo, lang_));
        return answer_yes_ ? kIdYes : kIdNo;
    }
    return kIdOk;
}

void ConsoleHost::flash_message(int /*duration_ms*/, int /*blink_ms*/, const Text& text) {
    std::fprintf(stderr, "%s\n", text.in(lang_).c_str());
}

void ConsoleHost::progress_begin(int maximum, const Text& title) {
    progress_max_ = maximum;
    progress_total_ = 0;
    progress_shown_percent_ = -1;
    if (!quiet_log_) std::fprintf(stderr, "%s\n", title.in(lang_).c_str());
}

void ConsoleHost::progress_add(int amount) {
    if (progress_max_ <= 0 || progress_total_ >= progress_max_) return;
    progress_total_ += amount;
    const int percent = progress_total_ >= progress_max_ ? 100 : progress_total_ * 100 / progress_max_;
    if (!quiet_log_ && percent / 10 != progress_shown_percent_ / 10) {
        std::fprintf(stderr, "  %d%%\n", percent);
        progress_shown_percent_ = percent;
    }
}

void ConsoleHost::log_line(const std::string& line, LogSource /*source*/) {
    if (!quiet_log_) std::fprintf(stderr, "%s\n", line.c_str());
}

void ConsoleHost::attach_polling(std::function<void()> tick, std::function<std::uint32_t()> interval_ms) {
    tick_ = std::move(tick);
    interval_ = std::move(interval_ms);
    next_due_ms_ = tick_ms() + interval_();
}

}  // namespace ztv::cli
