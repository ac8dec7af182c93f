// How long the window went without processing its events: a zero-interval timer notes each
// time the window's thread gets round to its event queue, and the gaps between those moments
// give the longest gap and the 99th percentile. The thread's CPU time over the same gaps tells
// the program's own work apart from the time the machine gave to other processes.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>

class WindowGaps {
public:
    // counting: whether the gap that ends now counts (by default every one does); on_event:
    // runs at each processed event with the milliseconds since start (the benchmark acts there).
    explicit WindowGaps(std::function<bool()> counting = {}, std::function<void(double)> on_event = {})
        : counting_(std::move(counting)), on_event_(std::move(on_event)) {
        sampler_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&sampler_, &QTimer::timeout, [this] { note(); });
    }

    void start() {
        gaps_.clear();
        longest_cpu_gap_ms_ = 0;
        clock_.start();
        last_ms_ = 0;
        last_cpu_ms_ = thread_cpu_ms();
        sampler_.start(0);
    }
    void stop() {
        note();
        sampler_.stop();
        elapsed_ms_ = now_ms();
    }

    std::size_t events() const { return gaps_.size(); }
    double elapsed_ms() const { return elapsed_ms_; }
    double longest_ms() const { return gaps_.empty() ? 0 : *std::max_element(gaps_.begin(), gaps_.end()); }
    double percentile_ms(int percent) const {
        if (gaps_.empty()) return 0;
        std::vector<double> sorted = gaps_;
        std::sort(sorted.begin(), sorted.end());
        return sorted[std::min(sorted.size() - 1, sorted.size() * static_cast<std::size_t>(percent) / 100)];
    }
    double mean_ms() const {
        double sum = 0;
        for (const double gap : gaps_) sum += gap;
        return gaps_.empty() ? 0 : sum / static_cast<double>(gaps_.size());
    }
    double longest_cpu_gap_ms() const { return longest_cpu_gap_ms_; }

private:
    static double thread_cpu_ms() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    }
    double now_ms() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }

    void note() {
        const double t = now_ms();
        const double cpu = thread_cpu_ms();
        if (!counting_ || counting_()) {
            gaps_.push_back(t - last_ms_);
            longest_cpu_gap_ms_ = std::max(longest_cpu_gap_ms_, cpu - last_cpu_ms_);
        }
        last_ms_ = t;
        last_cpu_ms_ = cpu;
        if (on_event_) on_event_(t);
    }

    std::function<bool()> counting_;
    std::function<void(double)> on_event_;
    QTimer sampler_;
    QElapsedTimer clock_;
    std::vector<double> gaps_;
    double last_ms_ = 0;
    double last_cpu_ms_ = 0;
    double longest_cpu_gap_ms_ = 0;
    double elapsed_ms_ = 0;
};
