// What the device benchmarks share: the shell's services with nothing behind them but the
// machine's clock, and the process's CPU time.
#pragma once

#include <cstdio>
#include <ctime>

#include "common/host.h"
#include "sim/sim_clock.h"

namespace ztv {

class BenchHost final : public Host {
public:
    std::uint32_t tick_ms() override { return clock_.now_ms(); }
    void pump() override {}
    bool closing() const override { return false; }
    int show_message(int, const Text& text) override {
        std::fprintf(stderr, "%s\n", text.en.c_str());
        return kIdOk;
    }
    void flash_message(int, int, const Text&) override {}
    void clear_flash_message() override {}
    void progress_begin(int, const Text&) override {}
    void progress_add(int) override {}
    void progress_hide() override {}
    void suspend_polling() override {}
    void resume_polling() override {}
    void log_line(const std::string&, LogSource) override {}
    void set_status_text(const Text&) override {}

private:
    sim::RealClock clock_;
};

inline double cpu_seconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

}  // namespace ztv
