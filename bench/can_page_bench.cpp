// The CAN log page under load: the window with the simulated controller sending about 300
// frames a second (the protocol's top rate) over 9999 identifiers already in the table, and a
// burst of 5000 frames a second more handed straight to the log, for 10 s on the real clock,
// with highlighting on and the detail list of one identifier open with its graphs.
//
// What it costs is told by thread: the window's thread (the log, the lists and their painting,
// the polling that pulls the frames: what the page costs the program) apart from the load
// generators, which run on threads of their own: the simulated controller on the transport's
// I/O thread, as the USB would be, and the burst on a thread that hands its frames over every
// 5 ms. Also printed: the longest gap between two processed window events (a zero-interval
// timer notes them), the repaints and the resident memory. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise. `can_page_bench 0` leaves the burst out.
#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <pthread.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "app/device_link.h"
#include "app/learning_tools_view.h"
#include "app/main_window.h"
#include "diag/can_log_page.h"
#include "diag/can_log_view.h"
#include "sim/sim_can_traffic.h"
#include "sim/sim_clock.h"
#include "sim/sim_controller.h"

#include "bench_measure.h"

namespace {

using namespace ztv;

double ms_of(timespec t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6; }

double process_cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return ms_of(t);
}

// The CPU time of the thread calling it.
double thread_cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return ms_of(t);
}

// The CPU time of another thread, by the clock it handed over; 0 before it did.
struct ThreadClock {
    std::atomic<bool> known{false};
    clockid_t id{};
    void take_this_thread() {
        if (known.load(std::memory_order_acquire)) return;
        if (pthread_getcpuclockid(pthread_self(), &id) == 0) known.store(true, std::memory_order_release);
    }
    double ms() const {
        timespec t{};
        if (!known.load(std::memory_order_acquire) || clock_gettime(id, &t) != 0) return 0;
        return ms_of(t);
    }
};

// The simulated controller as the transport's I/O thread calls it; that thread's clock is
// taken on its first call.
class MeasuredBackend final : public HidBackend {
public:
    MeasuredBackend(std::shared_ptr<sim::SimController> controller, ThreadClock& io_clock)
        : controller_(std::move(controller)), io_clock_(io_clock) {}
    int init() override {
        io_clock_.take_this_thread();
        return controller_->init();
    }
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendor_id, std::uint16_t product_id) override {
        io_clock_.take_this_thread();
        return controller_->enumerate(vendor_id, product_id);
    }
    std::unique_ptr<HidDevice> open(const std::string& path) override { return controller_->open(path); }

private:
    std::shared_ptr<sim::SimController> controller_;
    ThreadClock& io_clock_;
};

// The burst: its own thread makes the frames due every 5 ms (each identifier in turn, its data
// new) and leaves them for the window's thread to collect.
class Burst {
public:
    Burst(long per_second, std::size_t identifiers) : per_second_(per_second), identifiers_(identifiers) {}
    ~Burst() { stop(); }

    void start() {
        running_ = true;
        thread_ = std::thread([this] { run(); });
    }
    void stop() {
        running_ = false;
        if (thread_.joinable()) thread_.join();
    }
    std::vector<CanFrame> take() {
        std::vector<CanFrame> frames;
        const std::lock_guard lock(mutex_);
        frames.swap(ready_);
        return frames;
    }
    double cpu_ms() const { return clock_.ms(); }
    // The thread's CPU time when it ended (its clock is gone then).
    double final_cpu_ms() const { return final_cpu_ms_; }

private:
    void run() {
        clock_.take_this_thread();
        QElapsedTimer since;
        since.start();
        std::uint64_t sent = 0;
        std::vector<CanFrame> made;
        while (running_) {
            const auto due = static_cast<std::uint64_t>(since.elapsed()) * static_cast<std::uint64_t>(per_second_) / 1000;
            for (; sent < due; ++sent) {
                const auto id = static_cast<std::uint32_t>(sent % identifiers_);
                const auto round = static_cast<std::uint32_t>(sent / identifiers_) + 1;
                const std::uint8_t data[8] = {static_cast<std::uint8_t>(round), static_cast<std::uint8_t>(round >> 8),
                                              static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8),
                                              static_cast<std::uint8_t>(sent), 0x11, 0x22, 0x33};
                made.push_back(CanFrame::make(0x10000001u + (id << 1), true, data, static_cast<std::uint32_t>(since.elapsed())));
            }
            if (!made.empty()) {
                const std::lock_guard lock(mutex_);
                ready_.insert(ready_.end(), made.begin(), made.end());
                made.clear();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        final_cpu_ms_ = thread_cpu_ms();
    }

    long per_second_;
    std::size_t identifiers_;
    std::atomic<bool> running_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<CanFrame> ready_;
    ThreadClock clock_;
    double final_cpu_ms_ = 0;
};

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
    sim::RealClock sim_clock;
    auto controller = std::make_shared<sim::SimController>(sim_clock);
    constexpr std::size_t kIdentifiers = CanIdTable::kMaxRows;
    controller->set_can_traffic(sim::make_can_load(kIdentifiers, 300));
    ThreadClock io_clock;
    DeviceLink link(window.device_link_shell(), state, std::make_shared<MeasuredBackend>(controller, io_clock), true);
    add_learning_tools(window.learning_tools_shell(), link);  // the window as the program builds it
    window.initialise();
    window.host().set_message_answerer([](int, const QString&, const QString&) { return kIdOk; });
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
    if (burst_per_second > 0) std::printf("burst: %ld frames/s handed to the log beside the controller's own\n", burst_per_second);

    // Two runs of 10 s: the first measures the CPU by thread; the second notes the gaps between
    // window events with a zero-interval timer, which itself keeps the core busy.
    for (const bool probing : {false, true}) {
        std::uint64_t counted_before = 0;
        for (std::size_t i = 0; i < rows; ++i) counted_before += link.can_log().table().row(i).count;
        const int refreshes_before = page.refreshes_with_changes();
        Burst burst(burst_per_second, kIdentifiers);
        double ingest_ms = 0;  // the window thread's time in handing the burst to the log
        QTimer collect;
        collect.setInterval(5);
        QObject::connect(&collect, &QTimer::timeout, [&] {
            const double before = thread_cpu_ms();
            for (const CanFrame& frame : burst.take()) link.can_log().receive(frame);
            ingest_ms += thread_cpu_ms() - before;
        });
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
        const double process_before = process_cpu_ms();
        const double window_before = thread_cpu_ms();
        const double io_before = io_clock.ms();
        if (probing) probe.start();
        if (burst_per_second > 0) {
            burst.start();
            collect.start();
        }
        constexpr int kRunMs = 10000;
        QTimer::singleShot(kRunMs, &app, [] { QApplication::exit(0); });
        QApplication::exec();
        probe.stop();
        const double window_ms = thread_cpu_ms() - window_before;
        const double io_ms = io_clock.ms() - io_before;
        const double process_ms = process_cpu_ms() - process_before;
        burst.stop();
        collect.stop();
        const double wall_ms = static_cast<double>(clock.elapsed());
        std::uint64_t counted_after = 0;
        for (std::size_t i = 0; i < link.can_log().table().size(); ++i) counted_after += link.can_log().table().row(i).count;
        const double frames = static_cast<double>(counted_after - counted_before);
        std::printf("%s run: %zu rows, %.0f frames in %.1f s (%.0f frames/s), %d repaints with changes (%.1f a second)\n",
                    probing ? "probed" : "plain", link.can_log().table().size(), frames, wall_ms / 1000,
                    frames * 1000 / wall_ms, page.refreshes_with_changes() - refreshes_before,
                    (page.refreshes_with_changes() - refreshes_before) * 1000.0 / wall_ms);
        const auto share = [wall_ms](double ms) { return ms * 100 / wall_ms; };
        if (probing) {
            std::printf("  window events processed: %zu, longest gap between two: %.1f ms (%zu over 16 ms); "
                        "in this thread's CPU time: %.1f ms\n",
                        events, longest_gap_ms, gaps_over_16, longest_cpu_gap_ms);
        } else {
            std::printf("  window thread (the page, the log, the polling): %.0f ms = %.1f %% of one core"
                        " (of which the burst's frames into the log: %.1f %%, the rest: %.1f %%)\n",
                        window_ms, share(window_ms), share(ingest_ms), share(window_ms - ingest_ms));
            std::printf("  load generators: simulated controller on the I/O thread %.1f %%, burst thread %.1f %%;"
                        " whole process %.1f %%\n",
                        share(io_ms), share(burst.final_cpu_ms()), share(process_ms));
        }
    }
    std::printf("resident memory with the full table: %ld KB\n", resident_kb());
    link.can_log().stop_quietly();
    return 0;
}
