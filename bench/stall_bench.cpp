// How long the window goes without processing its events while the program works: the window
// against the simulated controller, every USB transfer taking 1 ms of real time, through each
// device operation, a learning run, a CAN burst, a language switch, opening a file and a
// controller that stops answering for 5 s in the middle of a read. One line each: the longest
// gap between two processed window events and the 99th percentile of the gaps, and the most
// CPU time the window's thread spent in one gap (the rest of a gap is time the machine gave to
// other processes).
// --synchronous runs the HID calls on the window's thread instead of the I/O thread.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "app/device_link.h"
#include "app/learning_tools_view.h"
#include "app/main_window.h"
#include "app/toolbar_actions.h"
#include "config/config_file.h"
#include "device/firmware_file.h"
#include "diag/can_log_page.h"
#include "sim/sim_can_traffic.h"
#include "sim/sim_firmware.h"
#include "tools/button_learning.h"

#include "window_gaps.h"

namespace {

using namespace ztv;

constexpr std::chrono::milliseconds kStall{5000};

// The simulated controller, except that one get-feature call, once armed, hangs for 5 s and
// then fails, as a control transfer the USB stack times out.
class StallingBackend final : public HidBackend {
public:
    explicit StallingBackend(std::shared_ptr<sim::SimController> controller) : controller_(std::move(controller)) {}
    int init() override { return controller_->init(); }
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendor_id, std::uint16_t product_id) override {
        return controller_->enumerate(vendor_id, product_id);
    }
    std::unique_ptr<HidDevice> open(const std::string& path) override {
        std::unique_ptr<HidDevice> device = controller_->open(path);
        if (!device) return nullptr;
        return std::make_unique<Device>(std::move(device), countdown_);
    }
    // The get-feature call after `calls` more of them hangs.
    void arm(int calls) { *countdown_ = calls; }

private:
    class Device final : public HidDevice {
    public:
        Device(std::unique_ptr<HidDevice> inner, std::shared_ptr<std::atomic<int>> countdown)
            : inner_(std::move(inner)), countdown_(std::move(countdown)) {}
        bool set_feature(std::span<const std::uint8_t, kFrameSize> report) override { return inner_->set_feature(report); }
        bool get_feature(std::span<std::uint8_t, kFrameSize> report) override {
            if (countdown_->load() > 0 && countdown_->fetch_sub(1) == 1) {
                std::this_thread::sleep_for(kStall);
                return false;
            }
            return inner_->get_feature(report);
        }

    private:
        std::unique_ptr<HidDevice> inner_;
        std::shared_ptr<std::atomic<int>> countdown_;
    };

    std::shared_ptr<sim::SimController> controller_;
    std::shared_ptr<std::atomic<int>> countdown_ = std::make_shared<std::atomic<int>>(0);
};

// Lets the window run on its own for ms.
void run_for(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Lets the window run until the controller is connected with its configuration read (it
// restarts after a write, defaults and an update).
bool wait_connected(DeviceLink& link, ConfigState& state) {
    QElapsedTimer wait;
    wait.start();
    while (!(link.monitor().connected() && state.record_valid) && wait.elapsed() < 15000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return link.monitor().connected() && state.record_valid;
}

// Runs action from the window's event loop and prints the gaps while it ran.
void row(const char* name, const std::function<void()>& action, std::function<void(double)> on_event = {}) {
    WindowGaps gaps({}, std::move(on_event));
    QEventLoop loop;
    gaps.start();
    QTimer::singleShot(0, &loop, [&] {
        action();
        loop.quit();
    });
    loop.exec();
    gaps.stop();
    std::printf("%-36s longest gap %6.1f ms   99th percentile %5.2f ms   (this thread's CPU in a gap at most "
                "%.1f ms; %zu events in %.0f ms)\n",
                name, gaps.longest_ms(), gaps.percentile_ms(99), gaps.longest_cpu_gap_ms(), gaps.events(),
                gaps.elapsed_ms());
    std::fflush(stdout);
}

bool write_file(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    bool synchronous = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--synchronous") == 0) synchronous = true;
    QTemporaryDir dir;
    // Backups and settings stay in the temporary folder.
    qputenv("HOME", dir.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", dir.path().toLocal8Bit());
    QApplication app(argc, argv);

    ConfigState state;
    ShellOptions options;
    options.settings_path = dir.filePath(QStringLiteral("ztv-setup.ini")).toStdString();
    options.default_folder = dir.path().toStdString();
    TMainForm window(state, options);
    // Questions are answered Yes; every box is printed, so that a failed operation shows.
    window.host().set_message_answerer([](int type, const QString&, const QString& text) {
        std::printf("  box: %s\n", text.simplified().toLocal8Bit().constData());
        const int kind = type & 0xFF;
        return kind == kBoxQuestion || kind == kBoxWarning ? kIdYes : kIdOk;
    });
    sim::HostClock clock(window.host());
    clock.set_real_spending(true);
    auto controller = std::make_shared<sim::SimController>(clock);
    controller->set_transfer_latency_us(1000);
    auto backend = std::make_shared<StallingBackend>(controller);
    DeviceLink link(window.device_link_shell(), state, backend, !synchronous);
    LearningTools* tools = add_learning_tools(window.learning_tools_shell(), link);
    window.initialise();
    window.resize(1100, 820);
    window.show();
    // Firmware blocks wait 2 ms for their reply instead of 50, so that 64 KB take seconds.
    link.set_reply_delay(2);

    const auto settle = [&] {
        run_for(1500);  // a restart shows on the next polls
        if (!wait_connected(link, state)) std::printf("  the simulated controller is not connected\n");
        run_for(300);
    };
    if (!wait_connected(link, state)) {
        std::printf("the simulated controller did not connect\n");
        return 1;
    }
    std::printf("HID calls on %s; every USB transfer takes 1 ms\n",
                synchronous ? "the window's thread" : "the I/O thread");

    ToolbarActions& toolbar = window.toolbar();
    row("read", [&] { toolbar.read_device(); });
    settle();
    row("write", [&] { toolbar.write_device(); });
    settle();
    row("defaults", [&] { toolbar.to_default(); });
    settle();

    const QString firmware = dir.filePath(QStringLiteral("fw.LDR"));
    // The largest file the update takes: a body of about 64 KB.
    write_file(firmware, sim::make_sim_firmware(1107, controller->memory().hardware_code, kFirmwareMaxSize - kFirmwareMinSize));
    window.file_dialogs().set_chooser([&](FileDialogKind, const QString&, const QString&, const QString&) { return firmware; });
    row("firmware update (64 KB)", [&] { toolbar.update_device(); });
    settle();

    {
        const std::uint32_t now = window.host().tick_ms();
        for (std::uint32_t i = 0; i < 6; ++i) {
            const std::uint32_t at = now + 2500 + i * 600;
            controller->hold_button(i % 2 == 0 ? 2 : 3, static_cast<std::uint16_t>(700 + 450 * i), at, at + 400);
        }
        ButtonLearning& learning = tools->learning();
        QToolButton* keys = tools->keys_button();
        row("learning run", [&] { keys->click(); },
            [&](double t) {
                if (learning.running() && t > 6500 && learning.active()) keys->click();
            });
        settle();
    }

    controller->set_can_traffic(sim::make_can_load(9999, 5000));
    window.page_control()->setCurrentWidget(window.can_log_page());
    link.can_log_page()->choose(CanMenuItem::Start);
    row("CAN burst (5000 frames/s, 9999 ids)", [] { run_for(3000); });
    link.can_log().stop_quietly();
    controller->set_can_traffic(nullptr);
    window.page_control()->setCurrentIndex(0);
    settle();

    row("language switch", [&] {
        for (int round = 0; round < 3; ++round) {
            window.page_host().set_language(1);
            run_for(50);
            window.page_host().set_language(0);
            run_for(50);
        }
    });
    settle();

    const QString config = dir.filePath(QStringLiteral("other.ZTV"));
    {
        ConfigState other = state;
        for (std::size_t i = 600; i < 1200; ++i) other.record.set_u8(i, static_cast<std::uint8_t>(i * 7));
        save_config_file(config.toStdString(), other);
    }
    row("opening a file", [&] {
        toolbar.open_config_file(QFile::encodeName(config));
        run_for(1000);  // the change sender writes what differs
    });
    settle();

    backend->arm(10);
    row("controller silent for 5 s in a read", [&] { toolbar.read_device(); });
    settle();

    // The user closes the window 1.5 s into a read the controller stopped answering.
    backend->arm(10);
    QElapsedTimer since_close;
    double window_closed_ms = -1;
    double read_ended_ms = -1;
    QTimer::singleShot(1500, &window, [&] {
        since_close.start();
        window.close();
        window_closed_ms = static_cast<double>(since_close.nsecsElapsed()) / 1e6;
    });
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        toolbar.read_device();
        read_ended_ms = static_cast<double>(since_close.nsecsElapsed()) / 1e6;
        loop.quit();
    });
    loop.exec();
    std::printf("%-36s the window closed in %.0f ms, the read gave up %.0f ms after the close\n",
                "closing while the controller is silent", window_closed_ms, read_ended_ms);
    return 0;
}
