// Exchanges with a controller over the real USB stack (hidapi, hidraw, the kernel's usbhid):
// a real controller, or ztv-usb-gadget. Prints the exchange rate, the wall time per exchange
// and this program's CPU time per exchange (where the time goes while the transport polls for
// the reply back to back), then the time of a whole-configuration read; once with the HID calls
// on the calling thread and once on the transport's I/O thread, as the programs run them.
//   usb_exchange_bench [EXCHANGES]      (default 500)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench_host.h"
#include "config/config_state.h"
#include "device/device_errors.h"
#include "device/hidapi_backend.h"
#include "device/protocol.h"
#include "device/status_record.h"
#include "device/transport.h"
#include "session/config_session.h"

using namespace ztv;

namespace {

int run(Transport& transport, Host& host, int exchanges) {
    Protocol protocol(transport, host);

    int error = kErrDisconnected;
    for (std::size_t i = 0; i < kIdentityCount && error != kOk; ++i) error = transport.is_device_online();
    if (error != kOk) {
        std::fprintf(stderr, "no controller: %s\n", error_text(error).en.c_str());
        return 1;
    }

    std::array<std::uint8_t, kStatusSize> status{};
    std::size_t got = 0;
    const auto start = std::chrono::steady_clock::now();
    const double cpu_start = cpu_seconds();
    for (int i = 0; i < exchanges; ++i) {
        error = protocol.read_area(block::kStatus, 0, status, got);
        if (error != kOk) {
            std::fprintf(stderr, "status read %d failed: %s\n", i, error_text(error).en.c_str());
            return 1;
        }
    }
    const double cpu = cpu_seconds() - cpu_start;
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    std::printf("status reads: %d exchanges in %.3f s: %.0f exchanges/s, %.3f ms per exchange, "
                "CPU %.1f us per exchange (%.0f%% of the wall time)\n",
                exchanges, wall.count(), exchanges / wall.count(), wall.count() * 1e3 / exchanges,
                cpu * 1e6 / exchanges, 100.0 * cpu / wall.count());

    ConfigState state;
    const auto read_start = std::chrono::steady_clock::now();
    const double read_cpu_start = cpu_seconds();
    error = read_configuration(protocol, state);
    const double read_cpu = cpu_seconds() - read_cpu_start;
    const std::chrono::duration<double, std::milli> read_wall = std::chrono::steady_clock::now() - read_start;
    if (error != kOk) {
        std::fprintf(stderr, "configuration read failed: %s\n", error_text(error).en.c_str());
        return 1;
    }
    std::printf("whole configuration read: %.1f ms, CPU %.1f ms\n", read_wall.count(), read_cpu * 1e3);
    transport.close_device();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const long requested = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 500;
    if (requested < 1 || requested > 1000000) {
        std::fprintf(stderr, "usage: usb_exchange_bench [EXCHANGES 1-1000000]\n");
        return 2;
    }
    const int exchanges = static_cast<int>(requested);
    BenchHost host;
    auto usb = std::make_shared<HidapiBackend>();
    for (const bool io_thread : {false, true}) {
        std::printf("HID calls on %s\n", io_thread ? "the I/O thread" : "the calling thread");
        const auto transport = io_thread ? std::make_unique<Transport>(usb, host) : std::make_unique<Transport>(*usb, host);
        if (const int status = run(*transport, host, exchanges); status != 0) return status;
    }
    return 0;
}
