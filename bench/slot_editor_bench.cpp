// Figures of the event/reaction editor in a real main window: showSlot of every event kind and
// every reaction kind (the first showing of a kind builds its page), switching through all 80
// slots, a language switch with the editor and the key picker built, and resident memory with
// everything built. With --pictures DIR it saves instead pictures of the editor and its windows
// in both languages. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "events/slot_editor_texts.h"
#include "events/slot_editor_view.h"
#include "tools/ir_code_window.h"
#include "tools/key_board_window.h"

#include "bench_measure.h"

namespace {

void save(QWidget& widget, const QString& dir, const QString& name) {
    QCoreApplication::processEvents();
    const QString path = QDir(dir).filePath(name);
    std::printf("%s %s\n", widget.grab().save(path, "PNG") ? "saved" : "could not save", path.toLocal8Bit().constData());
}

// The slowest of a series of timings and the kind it was taken on.
struct Worst {
    double ms = 0;
    std::uint8_t kind = 0;
    void note(double taken, std::uint8_t on) {
        if (taken <= ms) return;
        ms = taken;
        kind = on;
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Slots that show the editor's main cases.
void fill_examples(ztv::ConfigState& state) {
    auto slot = [&state](std::size_t i) { return state.record.slot(i); };
    // Slot 2: a steering-wheel button (key 1 of channel 1) that sends Ctrl+C to the head unit.
    auto button = slot(1);
    button[2] = 1;
    button[3] = 0;
    button[10] = 1;  // short press
    button[12] = 7;  // keyboard page
    button[13] = 0x01;
    button[14] = 6;  // C
    button[16] = 2;  // held 200 ms
    state.set_slot_name(1, "Copy");
    // Slot 3: an infrared NEC code that is sent on as another NEC code on X2/2.
    auto ir = slot(2);
    ir[0] = 1;
    ir[2] = 0x12;
    ir[3] = 0xFF;
    ir[4] = 0x00;
    ir[5] = 0x01;
    ir[10] = 3;
    ir[11] = 1;
    ir[12] = 0x40;
    ir[13] = 0x34;
    ir[14] = 0x12;
    ir[15] = 0x21;  // NEC, at least two repeats
    // Slot 4: a CAN AUTO key of a Mercedes CLK350 (Vol+).
    auto can = slot(3);
    can[0] = 1;
    can[2] = 16;
    can[3] = 1;
    can[5] = 11;
    can[10] = 3;
}

int pictures(ztv::TMainForm& window, ztv::SlotEditor& editor, const QString& dir) {
    fill_examples(window.state());
    window.page_control()->setCurrentIndex(1);
    for (const int lang : {1, 0}) {
        const QString suffix = lang == 1 ? QStringLiteral("-en.png") : QStringLiteral("-ru.png");
        window.page_host().set_language(lang);
        editor.select_slot(0);
        save(window, dir, QStringLiteral("editor-empty") + suffix);
        editor.select_slot(1);
        save(window, dir, QStringLiteral("editor-button-usb") + suffix);
        editor.select_slot(2);
        save(window, dir, QStringLiteral("editor-ir") + suffix);
        editor.select_slot(3);
        save(window, dir, QStringLiteral("editor-can-auto") + suffix);

        editor.open_key_picker(1);
        save(*editor.key_picker(), dir, QStringLiteral("key-picker") + suffix);
        editor.key_picker()->hide();

        editor.select_slot(2);
        ztv::TFormIRCode* ir = editor.ir_code_window();
        QTimer::singleShot(0, ir, [ir, dir, suffix] {
            save(*ir, dir, QStringLiteral("ir-code-editor") + suffix);
            ir->reject();
        });
        editor.edit_ir_code(true, "PanelReactionIRx");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QString picture_dir;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--pictures") picture_dir = QString::fromLocal8Bit(argv[i + 1]);

    QTemporaryDir dir;
    ztv::ConfigState state;
    ztv::ShellOptions options;
    options.settings_path = dir.filePath(QStringLiteral("ztv-setup.ini")).toStdString();
    options.default_folder = dir.path().toStdString();
    ztv::TMainForm window(state, options);
    window.host().set_message_answerer([](int, const QString&, const QString&) { return ztv::kIdOk; });
    window.initialise();
    window.resize(1100, 860);
    window.show();
    ztv::SlotEditor& editor = *window.slot_editor();
    if (!picture_dir.isEmpty()) return pictures(window, editor, picture_dir);

    // Every kind: its first showing builds the kind's page; later showings (from an empty slot,
    // so the page changes each time) only draw it. A later showing is timed alone (showSlot) and
    // with the painting that follows before the user sees the slot; the median of five counts.
    for (const bool reaction : {false, true}) {
        const std::uint8_t kinds = reaction ? 28 : 27;
        Worst first;
        Worst again;
        Worst painted;
        for (std::uint8_t kind = 0; kind < kinds; ++kind) {
            state.record.slot(1)[reaction ? 11 : 0] = kind;
            auto start = Clock::now();
            editor.select_slot(1);
            first.note(ms_since(start), kind);
            QCoreApplication::processEvents();
            std::vector<double> shown;
            std::vector<double> drawn;
            for (int pass = 0; pass < 5; ++pass) {
                editor.select_slot(0);
                QCoreApplication::processEvents();
                start = Clock::now();
                editor.select_slot(1);
                shown.push_back(ms_since(start));
                QCoreApplication::processEvents();
                drawn.push_back(ms_since(start));
            }
            again.note(median(shown), kind);
            painted.note(median(drawn), kind);
        }
        const std::vector<ztv::Text> titles =
            reaction ? ztv::slot_texts::reaction_page_titles() : ztv::slot_texts::event_page_titles();
        auto name = [&titles](const Worst& w) { return titles[w.kind].in(ztv::Lang::English); };
        std::printf("showSlot, every %s kind (target < 5), worst kind: %.2f ms on first showing (\"%s\"), %.2f ms "
                    "after (\"%s\"), %.2f ms with painting (\"%s\")\n",
                    reaction ? "reaction" : "event", first.ms, name(first).c_str(), again.ms, name(again).c_str(),
                    painted.ms, name(painted).c_str());
    }

    // A table that uses many kinds, then every slot once.
    for (std::size_t slot = 0; slot < 80; ++slot) {
        state.record.slot(slot)[0] = static_cast<std::uint8_t>(slot % 27);
        state.record.slot(slot)[11] = static_cast<std::uint8_t>(slot % 28);
    }
    auto start = Clock::now();
    for (std::size_t slot = 0; slot < 80; ++slot) editor.select_slot(slot);
    const double switching = ms_since(start);
    start = Clock::now();
    for (std::size_t slot = 0; slot < 80; ++slot) {
        editor.select_slot(slot);
        QCoreApplication::processEvents();
    }
    std::printf("switching through all 80 slots (target < 200): %.1f ms, %.1f ms painting each\n", switching,
                ms_since(start));

    editor.open_key_picker(0);
    QCoreApplication::processEvents();
    start = Clock::now();
    window.page_host().set_language(1);
    const double to_english = ms_since(start);
    start = Clock::now();
    window.page_host().set_language(0);
    std::printf("language switch with the editor and the key picker built: %.1f ms to English, %.1f ms back "
                "(target < 100)\n",
                to_english, ms_since(start));

    const long kb = resident_kb();
    if (kb >= 0)
        std::printf("resident memory with everything built: %.1f MB (target < 80)\n", static_cast<double>(kb) / 1024.0);
    return 0;
}
