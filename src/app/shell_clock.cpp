#include "app/shell_clock.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>

namespace ztv {

ShellClock::ShellClock(bool simulated) : simulated_(simulated) { real_.start(); }

std::uint32_t ShellClock::now_ms() const {
    return static_cast<std::uint32_t>(simulated_ ? now_ : static_cast<std::uint64_t>(real_.elapsed()));
}

ShellTimer* ShellClock::next_due(std::uint64_t until) const {
    ShellTimer* next = nullptr;
    for (ShellTimer* timer : timers_)
        if (timer->active_ && !timer->firing_ && timer->due_ <= until && (next == nullptr || timer->due_ < next->due_))
            next = timer;
    return next;
}

void ShellClock::advance(std::uint32_t ms) {
    if (!simulated_) return;
    const std::uint64_t until = now_ + ms;
    while (ShellTimer* timer = next_due(until)) {
        now_ = std::max(now_, timer->due_);
        timer->fire();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    // A timeout may have advanced the clock itself (a wait inside it): time never runs back.
    now_ = std::max(now_, until);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

ShellTimer::ShellTimer(ShellClock& clock, QObject* parent) : QObject(parent), clock_(clock) {
    if (clock_.simulated()) {
        clock_.timers_.push_back(this);
        return;
    }
    real_ = new QTimer(this);
    connect(real_, &QTimer::timeout, this, [this] {
        if (single_shot_) real_->stop();
        emit timeout();
    });
}

// A real timer leaves its clock alone here: the window's own clock may already be gone.
ShellTimer::~ShellTimer() {
    if (real_ == nullptr) std::erase(clock_.timers_, this);
}

void ShellTimer::set_interval(int ms) {
    interval_ = std::max(ms, 0);
    // A running timer starts its new interval now, as QTimer's does.
    if (real_ != nullptr) real_->setInterval(interval_);
    if (active_) due_ = clock_.now_ + static_cast<std::uint64_t>(interval_);
}

void ShellTimer::start() {
    if (real_ != nullptr) {
        real_->start(interval_);
        return;
    }
    active_ = true;
    due_ = clock_.now_ + static_cast<std::uint64_t>(interval_);
}

void ShellTimer::stop() {
    if (real_ != nullptr) real_->stop();
    active_ = false;
}

bool ShellTimer::is_active() const { return real_ != nullptr ? real_->isActive() : active_; }

void ShellTimer::fire() {
    // A repeating timer with no interval still lets simulated time move on.
    if (single_shot_) {
        active_ = false;
    } else {
        due_ += static_cast<std::uint64_t>(std::max(interval_, 1));
    }
    firing_ = true;
    const QPointer<ShellTimer> alive(this);
    emit timeout();
    if (!alive) return;
    firing_ = false;
    // A wait inside the timeout let time pass: like Qt, a repeating timer skips the beats it
    // missed instead of firing them all at once.
    if (active_ && due_ <= clock_.now_) due_ = clock_.now_ + static_cast<std::uint64_t>(std::max(interval_, 1));
}

}  // namespace ztv
