// canlog: ztv-tool logs the controller's CAN frames to a file as the CAN log page does, then
// prints the identifier table as the page shows it.
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/console_host.h"
#include "common/file_io.h"
#include "device/connection_monitor.h"
#include "device/device_errors.h"
#include "device/hidapi_backend.h"
#include "device/protocol.h"
#include "device/transport.h"
#include "diag/can_log.h"
#include "session/config_session.h"
#include "sim/sim_can_traffic.h"
#include "sim/sim_controller.h"

namespace ztv::cli {
namespace {

constexpr int kConnectTicks = 12;

volatile std::sig_atomic_t g_stop_requested = 0;
extern "C" void request_stop(int) { g_stop_requested = 1; }

// The identifier table as the page shows it: the six visible cells of a row, tab-separated.
void print_table(const CanIdTable& table) {
    std::printf("---\n");
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::string line;
        for (std::size_t c = static_cast<std::size_t>(CanIdColumn::Number); c < kCanIdColumns; ++c) {
            if (!line.empty()) line += '\t';
            line += can_row_cell(table.row(i), i, static_cast<CanIdColumn>(c));
        }
        std::printf("%s\n", line.c_str());
    }
}

int run_logging(const ToolOptions& options, HidBackend& backend, ConsoleHost& host) {
    Transport transport(backend, host);
    Protocol protocol(transport, host);
    ConfigState state;
    SessionMonitorEvents events;
    ConnectionMonitor monitor(protocol, events);
    SessionEvents no_pages;
    ConfigSession session(state, monitor, no_pages);
    events.session = &session;
    // The monitor connects as in the program (one identity a poll), then pulls the frames.
    for (int i = 0; i < kConnectTicks && !monitor.connected(); ++i) monitor.poll();

    CanLogLink link;
    link.connected = [&monitor] { return monitor.connected(); };
    link.send_mode = [&protocol](std::uint8_t mode) { return write_can_mode(protocol, mode); };
    link.terminal_active = [] { return false; };
    link.ask_file_name = [&options] { return options.arguments[0]; };
    link.remember_folder = [](const std::string&) {};
    link.set_busy = [](bool) {};
    CanLog log(host, link);
    if (options.print)
        log.set_frame_listener([](const CanFrame& frame) {
            std::printf("%s\n", can_terminal_line(frame).c_str());
            std::fflush(stdout);
        });
    monitor.set_can_sink(&log);
    if (!log.start_saving(options.tab ? CanFileFormat::Tab : CanFileFormat::Aligned,
                          options.changed_only ? kCanModeChangedOnly : kCanModeAll))
        return 1;

    g_stop_requested = 0;
    std::signal(SIGINT, request_stop);
    std::signal(SIGTERM, request_stop);
    host.attach_polling([&session] { session.on_polling_tick(); }, [&monitor] { return monitor.interval_ms(); });
    const std::uint32_t start = host.tick_ms();
    bool lost = false;
    while (g_stop_requested == 0) {
        if (options.seconds && host.tick_ms() - start >= *options.seconds * 1000u) break;
        host.pump();
        if (!monitor.connected()) {
            lost = true;
            break;
        }
    }
    host.attach_polling(nullptr, [] { return 0u; });
    log.stop_quietly();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (lost) std::fprintf(stderr, "%s\n", error_text(kErrDisconnected).en.c_str());
    print_table(log.table());
    return lost || log.file_write_failed() ? 1 : 0;
}

}  // namespace

int canlog_command(const ToolOptions& options) {
    // Logging into the replayed file would destroy it while it is read.
    if (!options.sim_can.empty() && same_file(options.arguments[0], options.sim_can)) {
        std::fprintf(stderr, "ztv-tool canlog: %s is the file of replayed frames, not a place for the log\n",
                     options.arguments[0].c_str());
        return 2;
    }
    ConsoleHost host(false, true);
    if (!options.simulate) {
        HidapiBackend hidapi;
        return run_logging(options, hidapi, host);
    }
    sim::HostClock clock(host);
    sim::SimController controller(clock);
    if (options.sim_can.empty()) {
        controller.set_can_traffic(sim::make_demo_can_bus());
    } else {
        sim::CanReplayLoad replay = sim::load_can_replay(options.sim_can);
        if (!replay.traffic) {
            std::fprintf(stderr, "Cannot use the CAN frames of \"%s\": %s\n", options.sim_can.c_str(), replay.error.c_str());
            return 1;
        }
        controller.set_can_traffic(std::move(replay.traffic));
    }
    return run_logging(options, controller, host);
}

}  // namespace ztv::cli
