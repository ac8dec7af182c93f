// How well the window keeps up while button learning runs: a whole learning run (question,
// quiet phase, presses on two channels, stop, final writes) against the simulated controller
// on the real clock, with a zero-interval timer noting the gap between one processed window
// event and the next. Once with transfers as fast as the process allows, once with every USB
// transfer taking a millisecond. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QElapsedTimer>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/device_link.h"
#include "app/main_window.h"
#include "tools/learning_tools_view.h"

namespace {

using namespace ztv;

struct Figures {
    double run_ms = 0;
    std::size_t events = 0;
    double longest_gap_ms = 0;
    double p99_gap_ms = 0;
    double mean_gap_ms = 0;
    LearningEnd end = LearningEnd::None;
    bool written = false;
};

Figures learning_run(TMainForm& window, DeviceLink& link, LearningTools& tools) {
    sim::SimController& controller = *link.simulator();
    const std::uint32_t now = window.tick_ms();
    // Presses on two channels once the quiet phase is over, each a few tenths of a second.
    for (std::uint32_t i = 0; i < 6; ++i) {
        const std::uint32_t at = now + 2500 + i * 600;
        controller.hold_button(i % 2 == 0 ? 2 : 3, static_cast<std::uint16_t>(700 + 450 * i), at, at + 400);
    }
    std::vector<double> gaps;
    QElapsedTimer clock;
    clock.start();
    double last = 0;
    QTimer sampler;
    sampler.setTimerType(Qt::PreciseTimer);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const double t = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        if (tools.learning().running()) gaps.push_back(t - last);
        last = t;
        if (tools.learning().running() && t > 6500 && tools.learning().active()) tools.keys_button()->click();
    });
    sampler.start(0);
    tools.keys_button()->click();  // returns when the procedure has ended
    sampler.stop();

    Figures f;
    f.run_ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    f.events = gaps.size();
    if (!gaps.empty()) {
        std::vector<double> sorted = gaps;
        std::sort(sorted.begin(), sorted.end());
        f.longest_gap_ms = sorted.back();
        f.p99_gap_ms = sorted[sorted.size() * 99 / 100];
        double sum = 0;
        for (const double g : gaps) sum += g;
        f.mean_gap_ms = sum / static_cast<double>(gaps.size());
    }
    f.end = tools.learning().last_end();
    f.written = tools.learning().written();
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    ConfigState state;
    ShellOptions options;
    options.settings_path = dir.filePath(QStringLiteral("ztv-setup.ini")).toStdString();
    options.program_folder = dir.path().toStdString();
    TMainForm window(state, options);
    window.set_message_answerer([](int type, const QString&, const QString&) {
        return (type & 0xFF) == kBoxQuestion ? kIdYes : kIdOk;
    });
    DeviceLink link(window, state, true);
    auto* keys_area = new QWidget(window.parameters_page());
    keys_area->setLayout(new QVBoxLayout);
    window.parameters_splitter()->addWidget(keys_area);
    auto* tools = new LearningTools(window, link, keys_area);
    window.set_page_refresh([tools] { tools->refresh(); });
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
    for (const std::uint32_t latency_us : {0u, 1000u}) {
        link.model_usb_latency(latency_us);
        const Figures f = learning_run(window, link, *tools);
        std::printf("USB transfer %4u us: run %7.0f ms, %7zu window events, gap longest %6.2f ms, 99%% %5.2f ms, "
                    "mean %5.3f ms, %s%s\n",
                    latency_us, f.run_ms, f.events, f.longest_gap_ms, f.p99_gap_ms, f.mean_gap_ms,
                    f.end == LearningEnd::Stopped ? "stopped" : "ended otherwise",
                    f.written ? ", written" : ", NOT written");
    }
    return 0;
}
