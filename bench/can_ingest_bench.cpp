// CAN log ingest: frames through filter, identifier table, change marks, byte history and the
// background with 9999 identifiers known (the page's work per frame without drawing), and
// resident memory with the tables full. `can_ingest_bench IFACE` times the SocketCAN bridge
// instead: frames sent to IFACE (a vcan interface) a second.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "diag/can_log.h"
#include "diag/socketcan_bridge.h"

#include "bench_host.h"
#include "bench_measure.h"

using namespace ztv;

int bridge_figures(const char* interface_name);

int main(int argc, char** argv) {
    if (argc > 1) return bridge_figures(argv[1]);
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
    // A background learned over one round: every later frame is compared with it as well.
    log.learn_background();
    for (const CanFrame& f : frames) log.receive(f);
    log.stop_learning();
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

int bridge_figures(const char* interface_name) {
    std::vector<CanFrame> frames;
    for (std::uint32_t i = 0; i < 1000; ++i) {
        const std::uint8_t data[8] = {static_cast<std::uint8_t>(i), 1, 2, 3, 4, 5, 6, static_cast<std::uint8_t>(i >> 8)};
        frames.push_back(i % 2 == 0 ? CanFrame::make((i & 0x7FF) << kCanStandardShift, false, data, i)
                                    : CanFrame::make(0x10000001u + (i << 1), true, data, i));
    }
    SocketCanBridge bridge;
    if (!bridge.open(interface_name)) {
        std::printf("bridge: %s\n", bridge.error().c_str());
        return 1;
    }
    constexpr std::size_t kBridged = 200'000;
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t n = 0; n < kBridged; ++n)
        if (!bridge.send(frames[n % frames.size()])) {
            std::printf("bridge: %s after %zu frames\n", bridge.error().c_str(), n);
            return 1;
        }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("bridge to %s: %zu frames in %.3f s: %.0f frames/s\n", interface_name, kBridged, seconds,
                static_cast<double>(kBridged) / seconds);
    return 0;
}
