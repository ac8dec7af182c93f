// Undo and redo with a full history, the comparison of two wholly different configurations,
// and the history's memory at its capacity.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench_measure.h"
#include "config/config_history.h"
#include "events/config_compare.h"

using namespace ztv;

namespace {

// Random bytes everywhere, named buttons, sources and slots: every group of the comparison
// has lines.
ConfigSnapshot random_configuration(unsigned seed) {
    ConfigSnapshot s{};
    std::mt19937 rng(seed);
    for (std::size_t i = 0; i < kRecordSize; ++i) s.record.raw[i] = static_cast<std::uint8_t>(rng());
    for (std::size_t c = 0; c < kChannels; ++c)
        for (std::size_t b = 0; b < kButtonsPerChannel; ++b)
            s.record.set_button_name(c, b, std::to_string(seed * 100 + b));
    for (std::size_t i = 0; i < kSlotCount; ++i) put_field_text(s.slot_names[i], std::to_string(seed * 1000 + i));
    for (auto& byte : s.touch) byte = static_cast<std::uint8_t>(rng());
    return s;
}

}  // namespace

int main() {
    const Text name{"Долгое нажатие более", "Long press over"};
    const long rss_before = resident_kb();
    ConfigHistory history;
    ConfigSnapshot state = random_configuration(1);
    history.reset(state);
    for (std::size_t step = 0; step < kDefaultHistorySteps; ++step) {
        state.record.set_u16(0, static_cast<std::uint16_t>(step + 1));
        history.commit(state, name);
    }
    const long rss_after = resident_kb();

    constexpr int kRounds = 2000;
    std::vector<double> undo_ms;
    std::vector<double> redo_ms;
    for (int i = 0; i < kRounds; ++i) {
        auto start = Clock::now();
        history.undo();
        undo_ms.push_back(ms_since(start));
        start = Clock::now();
        history.redo();
        redo_ms.push_back(ms_since(start));
    }
    const Spread undo = spread_of(undo_ms);
    const Spread redo = spread_of(redo_ms);

    const ConfigSnapshot a = random_configuration(2);
    const ConfigSnapshot b = random_configuration(3);
    std::vector<double> compare_ms;
    std::size_t text_size = 0;
    for (int i = 0; i < 50; ++i) {
        const auto start = Clock::now();
        const Comparison comparison = compare_configurations(a, b, Lang::English);
        compare_ms.push_back(ms_since(start));
        text_size = comparison.text.size();
    }
    const Spread compare = spread_of(compare_ms);

    std::printf("undo, one step of %zu: best %.4f ms, median %.4f ms, mean %.4f ms (figure: < 1 ms)\n",
                history.undo_count(), undo.best, undo.median, undo.mean);
    std::printf("redo, one step of %zu: best %.4f ms, median %.4f ms, mean %.4f ms (figure: < 1 ms)\n",
                history.undo_count(), redo.best, redo.median, redo.mean);
    std::printf("compare, all differences of two random configurations (%zu bytes of text): best %.2f ms, median "
                "%.2f ms (figure: < 5 ms)\n",
                text_size, compare.best, compare.median);
    std::printf("history memory at %zu steps: %.2f MB counted, resident grew %.2f MB (figure: < 5 MB)\n",
                history.undo_count(), static_cast<double>(history.memory_bytes()) / (1024.0 * 1024.0),
                static_cast<double>(rss_after - rss_before) / 1024.0);
    return 0;
}
