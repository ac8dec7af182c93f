// canlog: ztv-tool logs the controller's CAN frames to a file as the CAN log page does (or in
// the can-utils form), hands them to a SocketCAN interface, finds the bits that change outside
// a learned background, then prints the identifier table as the page shows it.
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/console_host.h"
#include "common/file_io.h"
#include "common/format.h"
#include "device/connection_monitor.h"
#include "device/device_errors.h"
#include "device/hidapi_backend.h"
#include "device/protocol.h"
#include "device/transport.h"
#include "diag/can_log.h"
#include "diag/candump_log.h"
#include "diag/socketcan_bridge.h"
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

// "ID BYTE BIT" for every bit that changed outside the background.
void print_news(const CanFrame& frame, const CanBits& bits) {
    const std::string id = candump_id(frame);
    for (std::size_t byte = 0; byte < bits.size(); ++byte)
        for (unsigned bit = 0; bit < 8; ++bit)
            if ((bits[byte] >> bit & 1u) != 0) std::printf("%s %zu %u\n", id.c_str(), byte, bit);
    std::fflush(stdout);
}

CanFileFormat file_format(const ToolOptions& options) {
    if (options.candump) return CanFileFormat::Candump;
    return options.tab ? CanFileFormat::Tab : CanFileFormat::Aligned;
}

int run_logging(const ToolOptions& options, HidBackend& backend, ConsoleHost& host) {
    SocketCanBridge bridge;
    if (!options.socketcan.empty() && !bridge.open(options.socketcan)) {
        std::fprintf(stderr, "ztv-tool canlog: %s\n", bridge.error().c_str());
        return 1;
    }
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
    link.ask_file_name = [&options] { return options.arguments.empty() ? std::string() : options.arguments[0]; };
    link.remember_folder = [](const std::string&) {};
    link.set_busy = [](bool) {};
    CanLog log(host, link);
    bool bridge_failed = false;
    log.set_frame_listener([&](const CanFrame& frame) {
        if (options.print) {
            std::printf("%s\n", can_terminal_line(frame).c_str());
            std::fflush(stdout);
        }
        if (bridge.is_open() && !bridge.send(frame)) {
            std::fprintf(stderr, "ztv-tool canlog: %s\n", bridge.error().c_str());
            bridge.close();
            bridge_failed = true;
        }
    });
    log.set_news_listener(print_news);
    monitor.set_can_sink(&log);
    const std::uint8_t mode = options.changed_only ? kCanModeChangedOnly : kCanModeAll;
    if (!(options.arguments.empty() ? log.start_without_file(mode) : log.start_saving(file_format(options), mode)))
        return 1;
    if (options.background) log.learn_background();

    g_stop_requested = 0;
    std::signal(SIGINT, request_stop);
    std::signal(SIGTERM, request_stop);
    host.attach_polling([&session] { session.on_polling_tick(); }, [&monitor] { return monitor.interval_ms(); });
    const std::uint32_t start = host.tick_ms();
    bool lost = false;
    while (g_stop_requested == 0 && !bridge_failed) {
        const std::uint32_t elapsed = host.tick_ms() - start;
        if (options.seconds && elapsed >= *options.seconds * 1000u) break;
        if (options.background && log.background().state() == CanBackground::State::Learning &&
            elapsed >= *options.background * 1000u) {
            log.stop_learning();
            std::fprintf(stderr, "Background learned: %zu bits of %zu identifiers change by themselves\n",
                         log.background().background_bit_count(), log.background().identifiers());
        }
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
    if (lost) std::fprintf(stderr, "%s\n", error_text(kErrDisconnected).in(options.lang).c_str());
    print_table(log.table());
    if (bridge.is_open() || bridge_failed)
        std::fprintf(stderr, "%llu frames sent to %s\n", static_cast<unsigned long long>(bridge.sent()),
                     options.socketcan.c_str());
    return lost || bridge_failed || log.file_write_failed() ? 1 : 0;
}

}  // namespace

int canlog_command(const ToolOptions& options) {
    static constexpr TextPair kNoOutput{"укажите OUT.LOG, --socketcan IFACE или оба",
                                        "give OUT.LOG, --socketcan IFACE or both"};
    static constexpr TextPair kTabAndCandump{"--tab и --format candump исключают друг друга",
                                             "--tab and --format candump exclude each other"};
    static constexpr TextPair kFormatWithoutFile{"--tab и --format описывают OUT.LOG, а его нет",
                                                 "--tab and --format describe OUT.LOG, which is missing"};
    static constexpr TextPair kOverReplay{"%s: это файл воспроизводимых кадров, а не место для журнала",
                                          "%s is the file of replayed frames, not a place for the log"};
    const auto refuse = [&options](const Text& why) { return refuse_command_line("canlog", why, options.lang); };
    if (options.arguments.empty() && options.socketcan.empty()) return refuse(to_text(kNoOutput));
    if (options.candump && options.tab) return refuse(to_text(kTabAndCandump));
    if (options.arguments.empty() && (options.tab || options.candump)) return refuse(to_text(kFormatWithoutFile));
    // Logging into the replayed file would destroy it while it is read.
    if (!options.sim_can.empty() && !options.arguments.empty() && same_file(options.arguments[0], options.sim_can))
        return refuse(format_pair(kOverReplay, options.arguments[0].c_str()));
    ConsoleHost host(options.lang, false, true);
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
