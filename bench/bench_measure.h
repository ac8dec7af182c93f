// Wall-clock and memory readings the benchmarks print.
#pragma once

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

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

// Best, median and mean of repeated timings in ms.
struct Spread {
    double best = 0;
    double median = 0;
    double mean = 0;
};

inline Spread spread_of(std::vector<double> ms) {
    if (ms.empty()) return {};
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms) sum += m;
    return {ms.front(), ms[ms.size() / 2], sum / static_cast<double>(ms.size())};
}
