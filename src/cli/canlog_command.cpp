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
#include "common/standard_streams.h"
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
constexpr std::size_t kMostNewBits = 100000;

volatile std::sig_atomic_t g_stop_requested = 0;
extern "C" void request_stop(int) { g_stop_requested = 1; }

// The identifier table as the page shows it: a line of column titles, then the six visible
// cells of each row, tab-separated.
void print_table(const CanIdTable& table, Lang lang) {
    std::printf("---\n");
    std::string titles;
    for (std::size_t c = static_cast<std::size_t>(CanIdColumn::Number); c < kCanIdColumns; ++c)
        titles += (titles.empty() ? "" : "\t") + std::string(pick(kCanIdColumnTable[c].caption, lang));
    std::printf("%s\n", titles.c_str());
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::string line;
        for (std::size_t c = static_cast<std::size_t>(CanIdColumn::Number); c < kCanIdColumns; ++c) {
            if (!line.empty()) line += '\t';
            line += can_row_cell(table.row(i), i, static_cast<CanIdColumn>(c));
        }
        std::printf("%s\n", line.c_str());
    }
}

// A bit that changed outside the learned background.
struct NewBit {
    CanFrame frame;
    std::size_t byte;
    unsigned bit;
};

std::vector<NewBit> new_bits(const CanFrame& frame, const CanBits& bits) {
    std::vector<NewBit> found;
    for (std::size_t byte = 0; byte < bits.size(); ++byte)
        for (unsigned bit = 0; bit < 8; ++bit)
            if ((bits[byte] >> bit & 1u) != 0) found.push_back({frame, byte, bit});
    return found;
}

// "ID BYTE BIT" for every bit that changed outside the background.
void print_news(const CanFrame& frame, const CanBits& bits) {
    for (const NewBit& news : new_bits(frame, bits))
        std::printf("%s %zu %u\n", candump_id(frame).c_str(), news.byte, news.bit);
    std::fflush(stdout);
}

// The table, and the bits found outside the background, as one JSON document.
void print_table_json(const CanIdTable& table, const std::vector<NewBit>& news) {
    const auto identifier = [](JsonWriter& json, const CanFrame& frame) {
        json.key("id").value(candump_id(frame)).key("id_number").value(can_identifier(frame));
        json.key("extended").value(frame.extended());
    };
    JsonWriter json;
    json.begin_object().key("identifiers").begin_array();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const CanRow& row = table.row(i);
        json.begin_object().key("number").value(i + 1);
        identifier(json, row.frame);
        json.key("dlc").value(row.frame.dlc()).key("data").begin_array();
        for (const std::uint8_t byte : row.frame.data()) json.value(byte);
        json.end_array().key("cycle_ms");
        if (row.cycle == 0) json.null();
        else json.value(row.cycle);
        json.key("count").value(row.count).end_object();
    }
    json.end_array().key("new_bits").begin_array();
    for (const NewBit& bit : news) {
        json.begin_object();
        identifier(json, bit.frame);
        json.key("byte").value(bit.byte).key("bit").value(bit.bit).key("stamp_ms").value(bit.frame.stamp_ms());
        json.end_object();
    }
    print_json(json.end_array().end_object());
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
    log.set_candump_controller_time(options.controller_time);
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
    std::vector<NewBit> news;  // for --json, which prints them with the table
    if (options.json) {
        log.set_news_listener([&news](const CanFrame& frame, const CanBits& bits) {
            const std::vector<NewBit> found = new_bits(frame, bits);
            // Bounded: a background learned over nothing would report every bit of a busy bus.
            if (news.size() < kMostNewBits) news.insert(news.end(), found.begin(), found.end());
        });
    } else {
        log.set_news_listener(print_news);
    }
    monitor.set_can_sink(&log);
    const std::uint8_t mode = options.changed_only ? kCanModeChangedOnly : kCanModeAll;
    const bool streaming = !options.arguments.empty() && names_standard_stream(options.arguments[0]);
    const bool started = options.arguments.empty() ? log.start_without_file(mode)
                         : streaming ? log.start_streaming(stdout, pick(kStandardOutputName, options.lang), file_format(options), mode)
                                     : log.start_saving(file_format(options), mode);
    if (!started) return 1;
    if (options.background) log.learn_background();

    g_stop_requested = 0;
    std::signal(SIGINT, request_stop);
    std::signal(SIGTERM, request_stop);
    host.attach_polling([&session] { session.on_polling_tick(); }, [&monitor] { return monitor.interval_ms(); });
    const std::uint32_t start = host.tick_ms();
    bool lost = false;
    // A log that can no longer be written (a full disk, a pipe whose reader has gone) ends the run.
    while (g_stop_requested == 0 && !bridge_failed && !log.file_write_failed()) {
        const std::uint32_t elapsed = host.tick_ms() - start;
        if (options.seconds && elapsed >= *options.seconds * 1000u) break;
        if (options.background && log.background().state() == CanBackground::State::Learning &&
            elapsed >= *options.background * 1000u) {
            log.stop_learning();
            static constexpr TextPair kLearned{"Фон изучен: сами по себе меняются %zu бит у %zu идентификаторов",
                                               "Background learned: %zu bits of %zu identifiers change by themselves"};
            std::fprintf(stderr, "%s\n",
                         format_pair(kLearned, log.background().background_bit_count(), log.background().identifiers())
                             .in(options.lang)
                             .c_str());
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
    // Standard output carries the log itself; a failed write of it was said already.
    if (options.json) print_table_json(log.table(), news);
    else if (!streaming) print_table(log.table(), options.lang);
    else if (log.file_write_failed()) std::clearerr(stdout);
    if (bridge.is_open() || bridge_failed) {
        static constexpr TextPair kSent{"Кадров отправлено: %llu, в %s", "%llu frames sent to %s"};
        std::fprintf(stderr, "%s\n",
                     format_pair(kSent, static_cast<unsigned long long>(bridge.sent()), options.socketcan.c_str())
                         .in(options.lang)
                         .c_str());
    }
    return lost || bridge_failed || log.file_write_failed() ? 1 : 0;
}

// The frames to replay: a file, or standard input for "-".
sim::CanReplayLoad load_replay(const std::string& path, std::uint32_t speed) {
    if (!names_standard_stream(path)) return sim::load_can_replay(path, speed);
    return sim::read_can_replay(read_standard_input(sim::kCanReplayMaxBytes), speed);
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
    static constexpr TextPair kOutputTaken{"%s печатает в стандартный вывод, а туда идёт журнал («-»)",
                                           "%s prints to standard output, which carries the log ('-')"};
    const auto refuse = [&options](const Text& why) { return refuse_command_line("canlog", why, options.lang); };
    if (options.arguments.empty() && options.socketcan.empty()) return refuse(to_text(kNoOutput));
    if (options.candump && options.tab) return refuse(to_text(kTabAndCandump));
    if (options.arguments.empty() && (options.tab || options.candump)) return refuse(to_text(kFormatWithoutFile));
    const bool streaming = !options.arguments.empty() && names_standard_stream(options.arguments[0]);
    static constexpr TextPair kJsonAndPrint{"--json и --print исключают друг друга: документ JSON выводится один",
                                            "--json and --print exclude each other: the JSON document stands alone"};
    static constexpr TextPair kControllerTime{"--controller-time действует только вместе с --format candump",
                                              "--controller-time only works with --format candump"};
    if (streaming && options.print) return refuse(format_pair(kOutputTaken, "--print"));
    if (streaming && options.background) return refuse(format_pair(kOutputTaken, "--background"));
    if (streaming && options.json) return refuse(format_pair(kOutputTaken, "--json"));
    if (options.json && options.print) return refuse(to_text(kJsonAndPrint));
    if (options.controller_time && !options.candump) return refuse(to_text(kControllerTime));
    // Logging into the replayed file would destroy it while it is read.
    if (!options.sim_can.empty() && !options.arguments.empty() && !streaming && !names_standard_stream(options.sim_can) &&
        same_file(options.arguments[0], options.sim_can))
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
        // A paced replay runs on a paced clock: the whole run, --seconds and --background
        // included, lives in the recording's time, at the speed asked for.
        const std::uint32_t speed = options.replay_speed.value_or(kReplayRealTime);
        sim::CanReplayLoad replay = load_replay(options.sim_can, speed == 0 ? 0 : kReplayRealTime);
        if (!replay.traffic) {
            static constexpr TextPair kUnusable{"Кадры CAN из «%s» использовать нельзя: %s",
                                                "Cannot use the CAN frames of \"%s\": %s"};
            const std::string name =
                names_standard_stream(options.sim_can) ? pick(kStandardInputName, options.lang) : options.sim_can;
            std::fprintf(stderr, "%s\n", format_pair(kUnusable, name.c_str(), replay.error.c_str()).in(options.lang).c_str());
            return 1;
        }
        controller.set_can_traffic(std::move(replay.traffic));
        if (speed != 0) host.pace(speed);
    }
    return run_logging(options, controller, host);
}

}  // namespace ztv::cli
