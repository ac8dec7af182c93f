// CAN log ingest: frames through filter and identifier table with 9999 identifiers known (the
// page's work per frame without drawing), and resident memory with both tables full.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "diag/can_log.h"

#include "bench_host.h"
#include "bench_measure.h"

using namespace ztv;

int main() {
    const long rss_start = resident_kb();
    BenchHost host;
    CanLogLink link;
    link.connected = [] { return true; };
    link.send_mode = [](std::uint8_t) { return 0; };
    link.terminal_active = [] { return false; };
    link.ask_file_name = [] { return std::string(); };
    link.remember_folder = [](const std::string&) {};
    link.set_busy = [](bool) {};
    CanLog log(host, link);
    log.start(kCanModeAll);

    // 9999 identifiers, standard and extended mixed, each frame's data different.
    std::vector<CanFrame> frames;
    for (std::uint32_t i = 0; i < CanIdTable::kMaxRows; ++i) {
        const std::uint8_t data[8] = {static_cast<std::uint8_t>(i), 1, 2, 3, 4, 5, 6, static_cast<std::uint8_t>(i >> 8)};
        frames.push_back(i % 3 == 0 ? CanFrame::make(0x00100002u + (i << 2), true, data, i)
                                    : CanFrame::make(0x10000001u + (i << 1), true, data, i));
    }
    for (const CanFrame& f : frames) log.receive(f);
    std::printf("identifier table: %zu rows, filter table: %zu entries\n", log.table().size(), log.filters().size());

    constexpr std::size_t kFrames = 20'000'000;
    for (const std::uint8_t mode : {kCanModeAll, kCanModeChangedOnly}) {
        log.start(mode);
        for (const CanFrame& f : frames) log.receive(f);
        const auto start = std::chrono::steady_clock::now();
        std::uint32_t stamp = 100000;
        std::size_t accepted = 0;
        for (std::size_t n = 0; n < kFrames; ++n) {
            CanFrame& f = frames[n % frames.size()];
            f.bytes[5] = static_cast<std::uint8_t>(f.bytes[5] + 1);
            f.bytes[16] = static_cast<std::uint8_t>(stamp);
            f.bytes[17] = static_cast<std::uint8_t>(stamp >> 8);
            stamp += 1;
            accepted += log.receive(f) ? 1 : 0;
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("mode %u: %zu frames over %zu identifiers in %.3f s: %.0f frames/s (%zu accepted)\n", mode,
                    kFrames, log.table().size(), seconds, static_cast<double>(kFrames) / seconds, accepted);
        (void)log.take_changes();
    }
    std::printf("resident memory: %ld KB at start, %ld KB with full tables\n", rss_start, resident_kb());
    return 0;
}
