// How well the window keeps up while button learning runs: a whole learning run (question,
// quiet phase, presses on two channels, stop, final writes) against the simulated controller
// on the real clock, with a zero-interval timer noting the gap between one processed window
// event and the next. Once with transfers as fast as the process allows, once with every USB
// transfer taking a millisecond. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
// --pictures DIR also saves the window after the runs, in English and in Russian.
#include <QApplication>
#include <QElapsedTimer>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/device_link.h"
#include "app/learning_tools_view.h"
#include "app/main_window.h"
#include "config/parameter_bindings.h"
#include "config/parameter_pages.h"

#include "window_gaps.h"

namespace {

using namespace ztv;

double load_average() {
    double load = -1;
    if (std::FILE* f = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(f, "%lf", &load) != 1) load = -1;
        std::fclose(f);
    }
    return load;
}

struct Figures {
    double run_ms = 0;
    std::size_t events = 0;
    double longest_cpu_gap_ms = 0;
    double longest_gap_ms = 0;
    double p99_gap_ms = 0;
    double mean_gap_ms = 0;
    LearningEnd end = LearningEnd::None;
    bool written = false;
};

Figures learning_run(TMainForm& window, DeviceLink& link, LearningTools& tools) {
    sim::SimController& controller = *link.simulator();
    const std::uint32_t now = window.host().tick_ms();
    // Presses on two channels once the quiet phase is over, each a few tenths of a second.
    for (std::uint32_t i = 0; i < 6; ++i) {
        const std::uint32_t at = now + 2500 + i * 600;
        controller.hold_button(i % 2 == 0 ? 2 : 3, static_cast<std::uint16_t>(700 + 450 * i), at, at + 400);
    }
    ButtonLearning& learning = tools.learning();
    QToolButton* keys = tools.keys_button();
    WindowGaps gaps([&] { return learning.running(); },
                    [&](double t) {
                        if (learning.running() && t > 6500 && learning.active()) keys->click();
                    });
    gaps.start();
    keys->click();  // returns when the procedure has ended
    gaps.stop();

    Figures f;
    f.run_ms = gaps.elapsed_ms();
    f.events = gaps.events();
    f.longest_gap_ms = gaps.longest_ms();
    f.p99_gap_ms = gaps.percentile_ms(99);
    f.mean_gap_ms = gaps.mean_ms();
    f.longest_cpu_gap_ms = gaps.longest_cpu_gap_ms();
    f.end = tools.learning().last_end();
    f.written = tools.learning().written();
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QString pictures;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--pictures") == 0) pictures = QString::fromLocal8Bit(argv[i + 1]);
    QTemporaryDir dir;
    ConfigState state;
    ShellOptions options;
    options.settings_path = dir.filePath(QStringLiteral("ztv-setup.ini")).toStdString();
    options.default_folder = dir.path().toStdString();
    TMainForm window(state, options);
    window.host().set_message_answerer([](int type, const QString&, const QString&) {
        return (type & 0xFF) == kBoxQuestion ? kIdYes : kIdOk;
    });
    DeviceLink link(window.device_link_shell(), state, true);
    LearningTools* tools = add_learning_tools(window.learning_tools_shell(), link);
    window.initialise();
    window.show();

    QElapsedTimer wait;
    wait.start();
    while (!(link.monitor().connected() && state.record_valid) && wait.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!link.monitor().connected()) {
        std::printf("the simulated controller did not connect\n");
        return 1;
    }

    std::printf("learning run: question, 2 s quiet phase, 6 presses on two channels, stop at 6.5 s, final writes\n");
    std::printf("load average %.2f on this machine; a wall-clock gap includes the time others got the CPU,\n"
                "the CPU gap is this thread's own work between two window events\n",
                load_average());
    for (const std::uint32_t latency_us : {0u, 1000u}) {
        link.model_usb_latency(latency_us);
        for (int round = 0; round < 3; ++round) {
            const Figures f = learning_run(window, link, *tools);
            std::printf("USB transfer %4u us: run %6.0f ms, %6zu events, gap longest %6.2f ms (CPU %5.2f ms), "
                        "99%% %5.2f ms, mean %5.3f ms, %s%s\n",
                        latency_us, f.run_ms, f.events, f.longest_gap_ms, f.longest_cpu_gap_ms, f.p99_gap_ms,
                        f.mean_gap_ms, f.end == LearningEnd::Stopped ? "stopped" : "ended otherwise",
                        f.written ? ", written" : ", NOT written");
        }
    }
    if (!pictures.isEmpty()) {
        window.resize(1100, 820);
        // The "Keys" page of the "Parameters" tab, where the learned buttons are.
        window.page_control()->setCurrentWidget(window.parameters_page());
        window.parameter_pages()->show_page(static_cast<int>(ParamPage::Keys));
        for (const int lang : {1, 0}) {
            window.page_host().set_language(lang);
            // Layout requests travel up one parent per pass: let them all arrive.
            for (int pass = 0; pass < 5; ++pass) QApplication::processEvents();
            const QString path = pictures + (lang == 1 ? QStringLiteral("/keys_en.png") : QStringLiteral("/keys_ru.png"));
            std::printf("%s %s\n", window.grab().save(path) ? "saved" : "could not save", path.toLocal8Bit().constData());
        }
    }
    return 0;
}
