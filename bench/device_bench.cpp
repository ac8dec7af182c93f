// Whole-configuration read and write through the simulated controller.
//  1. With a modelled USB latency of 1 ms per control transfer (one set-feature and one
//     get-feature per exchange): frames exchanged, the median wall time of nine runs, and its
//     ratio to the model's lower bound (transfers x 1 ms), which shows what the program adds on
//     top of the link.
//  2. With no latency: the host CPU time per exchange (transport, protocol, checksums and the
//     simulated controller's side together).
// Each both ways: HID calls on the calling thread, and on the transport's I/O thread (as the
// program and the tool run the USB), to show what the hand-over between threads costs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench_host.h"
#include "config/config_state.h"
#include "device/device_errors.h"
#include "device/protocol.h"
#include "device/transport.h"
#include "session/config_session.h"
#include "sim/sim_clock.h"
#include "sim/sim_controller.h"

using namespace ztv;

namespace {

struct Bench {
    Bench(std::uint32_t latency_us, bool io_thread)
        : transport(io_thread ? std::make_unique<Transport>(controller, host)
                              : std::make_unique<Transport>(*controller, host)) {
        controller->set_transfer_latency_us(latency_us);
        controller->set_restart_ms(0);  // the bench does not wait for the restart
        transport->set_identity_index(1);
        for (std::size_t i = 0; i < kRecordSize; ++i) state.record.set_u8(i, static_cast<std::uint8_t>(i * 31 + 7));
        state.touch.fill(0x5A);
    }
    bool read() { return read_configuration(protocol, state) == kOk; }
    bool write() {
        const bool ok = write_configuration(protocol, state) == kOk;
        transport->close_device();  // the restart took the handle with it
        return ok;
    }

    BenchHost host;
    sim::RealClock clock;
    std::shared_ptr<sim::SimController> controller = std::make_shared<sim::SimController>(clock);
    std::unique_ptr<Transport> transport;
    Protocol protocol{*transport, host};
    ConfigState state;
};

template <typename Operation>
void latency_run(const char* name, bool io_thread, Operation operation) {
    // The median of several runs: on a shared machine one run may lose the CPU to others.
    constexpr int kRuns = 9;
    Bench bench(1000, io_thread);
    const std::uint64_t frames_before = bench.controller->requests();
    const std::uint64_t transfers_before = bench.controller->transfers();
    std::vector<double> walls;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!operation(bench)) std::fprintf(stderr, "%s failed\n", name);
        walls.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(walls.begin(), walls.end());
    const double frames = static_cast<double>(bench.controller->requests() - frames_before) / kRuns;
    const double transfers = static_cast<double>(bench.controller->transfers() - transfers_before) / kRuns;
    const double bound_ms = transfers * 1.0;
    const double wall_ms = walls[walls.size() / 2];
    std::printf("%-22s frames %4.0f  transfers %4.0f  wall %7.2f ms (best %7.2f)  bound %6.1f ms  ratio %.4f\n", name,
                frames, transfers, wall_ms, walls.front(), bound_ms, wall_ms / bound_ms);
}

template <typename Operation>
void cpu_run(const char* name, bool io_thread, Operation operation) {
    constexpr int kRuns = 2000;
    Bench bench(0, io_thread);
    const std::uint64_t frames_before = bench.controller->requests();
    const double start = cpu_seconds();
    for (int i = 0; i < kRuns; ++i)
        if (!operation(bench)) std::fprintf(stderr, "%s failed\n", name);
    const double cpu = cpu_seconds() - start;
    const double exchanges = static_cast<double>(bench.controller->requests() - frames_before);
    std::printf("%-22s exchanges %7.0f  CPU %.3f s  %.3f us per exchange\n", name, exchanges, cpu,
                cpu * 1e6 / exchanges);
}

}  // namespace

int main() {
    for (const bool io_thread : {false, true}) {
        std::printf("HID calls on %s\n", io_thread ? "the I/O thread" : "the calling thread");
        std::printf("Modelled USB latency: 1 ms per control transfer\n");
        latency_run("read configuration", io_thread, [](Bench& b) { return b.read(); });
        latency_run("write configuration", io_thread, [](Bench& b) { return b.write(); });
        std::printf("No latency: host CPU per exchange (program and simulated controller)\n");
        cpu_run("read configuration", io_thread, [](Bench& b) { return b.read(); });
        cpu_run("write configuration", io_thread, [](Bench& b) { return b.write(); });
    }
    return 0;
}
