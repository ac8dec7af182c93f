#include "support/fake_host.h"

namespace ztv::test {

void FakeHost::pump() {
    ++pumps;
    now_us_ += pump_step_us;
    if (on_pump) on_pump(*this);
    if (tick_ && suspension_ == 0 && !in_tick_ && static_cast<std::int32_t>(tick_ms() - next_due_ms_) >= 0) {
        in_tick_ = true;
        ++polling_ticks;
        tick_();
        in_tick_ = false;
        next_due_ms_ = tick_ms() + interval_();
    }
}

void FakeHost::run_for(std::uint32_t ms) {
    const std::uint32_t start = tick_ms();
    while (tick_ms() - start < ms) pump();
}

int FakeHost::show_message(int type, const Text& text) {
    boxes.push_back({type, text});
    suspend_polling();
    int answer = kIdOk;
    const int kind = type & 0xFF;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    } else if (kind == kBoxQuestion || kind == kBoxWarning) {
        answer = kIdNo;
    }
    resume_polling();
    return answer;
}

void FakeHost::progress_begin(int maximum, const Text& title) {
    progress_titles.push_back(title);
    progress_maxima.push_back(maximum);
    progress_max = maximum;
    progress_total = 0;
    progress_visible = true;
}

void FakeHost::progress_add(int amount) {
    if (progress_total >= progress_max) return;
    progress_visible = true;
    progress_total += amount;
}

void FakeHost::suspend_polling() { ++suspension_; }

void FakeHost::resume_polling() {
    if (suspension_ <= 0) return;
    if (--suspension_ == 0 && interval_) next_due_ms_ = tick_ms() + interval_();
}

void FakeHost::attach_polling(std::function<void()> tick, std::function<std::uint32_t()> interval_ms) {
    tick_ = std::move(tick);
    interval_ = std::move(interval_ms);
    next_due_ms_ = tick_ms() + interval_();
}

std::vector<std::string> FakeHost::log_texts() const {
    std::vector<std::string> texts;
    for (const auto& line : log) texts.push_back(line.text);
    return texts;
}

std::vector<std::string> FakeHost::box_texts_en() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes) texts.push_back(box.text.in(Lang::English));
    return texts;
}

}  // namespace ztv::test
