// Wall-clock and memory readings the benchmarks print.
#pragma once

#include <chrono>
#include <fstream>
#include <string>

using Clock = std::chrono::steady_clock;

inline double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Resident set size in KB from Linux's process status; -1 where the system offers none.
inline long resident_kb() {
    std::ifstream status("/proc/self/status");
    if (!status) return -1;
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}
