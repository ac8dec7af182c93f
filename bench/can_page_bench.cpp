// The CAN log page under load: the window with the simulated controller sending about 300
// frames a second (the protocol's top rate) over 9999 identifiers already in the table, and a
// burst of 5000 frames a second more handed straight to the log, for 10 s on the real clock,
// with highlighting on and the detail list of one identifier open with its graphs. Prints the
// process's CPU share, the longest gap between two processed window events (a zero-interval
// timer notes them), the repaints and the resident memory. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise. `can_page_bench 0` leaves the burst out.
#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/device_link.h"
#include "app/main_window.h"
#include "diag/can_log_page.h"
#include "diag/can_log_view.h"
#include "sim/sim_can_traffic.h"

#include "bench_measure.h"

namespace {

using namespace ztv;

double process_cpu_ms() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}


// This thread's CPU time: a gap measured with it leaves out the time other programs on a busy
// machine took the core away, which the wall clock counts.
double thread_cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long burst_per_second = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 5000;
    QTemporaryDir dir;
    ConfigState state;
    ShellOptions options;
    options.settings_path = dir.filePath(QStringLiteral("bench.ini")).toStdString();
    options.default_folder = dir.path().toStdString();
    TMainForm window(state, options);
    DeviceLink link(window, state, true);
    constexpr std::size_t kIdentifiers = CanIdTable::kMaxRows;
    link.simulator()->set_can_traffic(sim::make_can_load(kIdentifiers, 300));
    window.initialise();
    window.set_message_answerer([](int, const QString&, const QString&) { return kIdOk; });
    window.resize(1000, 700);
    window.show();
    window.page_control()->setCurrentWidget(window.can_log_page());

    QElapsedTimer wait;
    wait.start();
    while (!(link.monitor().connected() && state.record_valid) && wait.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!link.monitor().connected()) {
        std::fprintf(stderr, "the simulated controller did not connect\n");
        return 1;
    }
    CanLogPage& page = *link.can_log_page();
    page.choose(CanMenuItem::Start);
    // The table full before the run: the same identifiers the load sends.
    for (std::uint32_t id = 0; id < kIdentifiers; ++id) {
        const std::uint8_t data[8] = {0, 0, static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8), 0, 0x11, 0x22, 0x33};
        link.can_log().receive(CanFrame::make(0x10000001u + (id << 1), true, data, id));
    }
    page.refresh();
    const std::size_t rows = link.can_log().table().size();
    // Highlighting on, and the details of an identifier that the burst keeps changing open.
    page.set_highlight(true);
    emit page.id_list()->clicked(page.model()->index(0, 2));

    // The burst: every 5 ms the frames due by then, each identifier in turn, its data new.
    std::uint64_t burst_sent = 0;
    QElapsedTimer burst_clock;
    QTimer burst;
    burst.setTimerType(Qt::PreciseTimer);
    burst.setInterval(5);
    QObject::connect(&burst, &QTimer::timeout, [&] {
        const auto due = static_cast<std::uint64_t>(burst_clock.elapsed()) * static_cast<std::uint64_t>(burst_per_second) / 1000;
        for (; burst_sent < due; ++burst_sent) {
            const auto id = static_cast<std::uint32_t>(burst_sent % kIdentifiers);
            const auto round = static_cast<std::uint32_t>(burst_sent / kIdentifiers) + 1;
            const std::uint8_t data[8] = {static_cast<std::uint8_t>(round), static_cast<std::uint8_t>(round >> 8),
                                          static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8),
                                          static_cast<std::uint8_t>(burst_sent), 0x11, 0x22, 0x33};
            link.can_log().receive(CanFrame::make(0x10000001u + (id << 1), true, data,
                                                  static_cast<std::uint32_t>(burst_clock.elapsed())));
        }
    });
    if (burst_per_second > 0) std::printf("burst: %ld frames/s handed to the log beside the controller's own\n", burst_per_second);

    // Two runs of 10 s: the first measures the CPU the program takes; the second notes the gaps
    // between window events with a zero-interval timer, which itself keeps the core busy.
    for (const bool probing : {false, true}) {
        std::uint64_t counted_before = 0;
        for (std::size_t i = 0; i < rows; ++i) counted_before += link.can_log().table().row(i).count;
        const int refreshes_before = page.refreshes_with_changes();
        QElapsedTimer clock;
        clock.start();
        double longest_gap_ms = 0;
        std::size_t events = 0;
        qint64 last_ns = clock.nsecsElapsed();
        double longest_cpu_gap_ms = 0;
        double last_cpu_ms = thread_cpu_ms();
        std::size_t gaps_over_16 = 0;
        QTimer probe;
        probe.setInterval(0);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            const double gap_ms = static_cast<double>(now - last_ns) / 1e6;
            longest_gap_ms = std::max(longest_gap_ms, gap_ms);
            if (gap_ms > 16) ++gaps_over_16;
            last_ns = now;
            const double cpu_now = thread_cpu_ms();
            longest_cpu_gap_ms = std::max(longest_cpu_gap_ms, cpu_now - last_cpu_ms);
            last_cpu_ms = cpu_now;
            ++events;
        });
        const double cpu_before = process_cpu_ms();
        if (probing) probe.start();
        burst_sent = 0;
        burst_clock.start();
        if (burst_per_second > 0) burst.start();
        constexpr int kRunMs = 10000;
        QTimer::singleShot(kRunMs, &app, [] { QApplication::exit(0); });
        QApplication::exec();
        probe.stop();
        burst.stop();
        const double cpu_ms = process_cpu_ms() - cpu_before;
        const double wall_ms = static_cast<double>(clock.elapsed());
        std::uint64_t counted_after = 0;
        for (std::size_t i = 0; i < link.can_log().table().size(); ++i) counted_after += link.can_log().table().row(i).count;
        const double frames = static_cast<double>(counted_after - counted_before);
        std::printf("%s run: %zu rows, %.0f frames in %.1f s (%.0f frames/s), %d repaints with changes (%.1f a second)\n",
                    probing ? "probed" : "plain", link.can_log().table().size(), frames, wall_ms / 1000,
                    frames * 1000 / wall_ms, page.refreshes_with_changes() - refreshes_before,
                    (page.refreshes_with_changes() - refreshes_before) * 1000.0 / wall_ms);
        if (probing)
            std::printf("  window events processed: %zu, longest gap between two: %.1f ms (%zu over 16 ms); "
                        "in this thread's CPU time: %.1f ms\n",
                        events, longest_gap_ms, gaps_over_16, longest_cpu_gap_ms);
        else
            std::printf("  process CPU: %.0f ms = %.1f %% of one core\n", cpu_ms, cpu_ms * 100 / wall_ms);
    }
    std::printf("resident memory with the full table: %ld KB\n", resident_kb());
    link.can_log().stop_quietly();
    return 0;
}
