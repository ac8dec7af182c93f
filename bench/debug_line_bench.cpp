// Time to rewrite 100,000 debug lines as the terminal does (target: under 100 ms), and to show
// the event half of all 80 slots of a full record.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "events/debug_line.h"
#include "events/event_display.h"

using namespace ztv;

namespace {

constexpr std::size_t kLines = 100000;

// A mix of what the controller prints: lines of every bus, numbers in and out of range, and
// plain status lines that match no rule at all (the most common case, and the slowest).
std::vector<std::string> debug_lines() {
    const char* const shapes[] = {
        "T=%06u LIN  frame 3C EV:%u len 8",      "T=%06u IDRIVE  rx EV:%u",
        "T=%06u MJOY  EV:%u",                    "T=%06u RJOY  key EV:%u",
        "T=%06u JOY  EV:%u",                     "T=%06u MMI  EV:%u",
        "T=%06u HK EV:%u",                       "T=%06u IBUS EV:%u src 68",
        "T=%06u IEBUS EV:%u",                    "T=%06u GANET EV:%u",
        "T=%06u SW VW EV:%u",                    "T=%06u MCTRL  EV:%u",
        "T=%06u PORSHE KEYS  EV:%u",             "T=%06u CAN 1 id 0x2C1 data 00 11 22 33 44 55 66 %u",
        "T=%06u USB report sent, queue %u",      "T=%06u ADC ch1=%u ch2=812 ch3=4095 ch4=4095",
    };
    std::mt19937 rng(11);
    std::vector<std::string> lines;
    lines.reserve(kLines);
    char buffer[128];
    for (std::size_t i = 0; i < kLines; ++i) {
        const char* shape = shapes[rng() % std::size(shapes)];
        std::snprintf(buffer, sizeof buffer, shape, static_cast<unsigned>(i), static_cast<unsigned>(rng() % 110));
        lines.emplace_back(buffer);
    }
    return lines;
}

double milliseconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    const std::vector<std::string> source = debug_lines();
    double best_ms = 1e9;
    std::size_t changed = 0;
    for (int round = 0; round < 5; ++round) {
        std::vector<std::string> lines = source;  // copied outside the timing
        changed = 0;
        const auto start = std::chrono::steady_clock::now();
        for (std::string& line : lines) changed += rewriteDebugLine(line, Lang::English) ? 1 : 0;
        best_ms = std::min(best_ms, milliseconds_since(start));
    }
    std::printf("rewriteDebugLine: %zu lines in %.2f ms (best of 5), %zu rewritten\n", kLines, best_ms, changed);

    std::mt19937 rng(5);
    Record full;
    for (std::size_t i = 0; i < kRecordSize; ++i) full.raw[i] = static_cast<std::uint8_t>(rng());
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) full.slot(slot)[0] = static_cast<std::uint8_t>(slot % 27);
    double best_slots_ms = 1e9;
    std::size_t choices = 0;
    for (int round = 0; round < 20; ++round) {
        Record record = full;
        const auto start = std::chrono::steady_clock::now();
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
            normalize_event(record, slot);
            choices += event_page(record, slot).size();
        }
        best_slots_ms = std::min(best_slots_ms, milliseconds_since(start));
    }
    std::printf("normalize_event + event_page: all %zu slots in %.3f ms (best of 20; %zu controls built)\n", kSlotCount, best_slots_ms,
                choices);
    return 0;
}
