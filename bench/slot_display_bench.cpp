// Time to show every slot of a full record: the work the editor does when the user steps
// through all 80 tabs (or when a loaded file is redrawn slot by slot).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "events/slot_display.h"

using namespace ztv;

namespace {

// Every slot in use, with kinds spread over both catalogues and plausible parameters.
ConfigState full_configuration() {
    ConfigState s;
    std::mt19937 rng(11);
    for (std::size_t i = 0; i < kRecordSize; ++i) s.record.raw[i] = static_cast<std::uint8_t>(rng());
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        auto bytes = s.record.slot(slot);
        bytes[0] = static_cast<std::uint8_t>(slot % 27);
        bytes[11] = static_cast<std::uint8_t>(slot % 28);
        for (std::size_t i = 2; i < 10; ++i) bytes[i] = static_cast<std::uint8_t>(rng() % 8);
        s.set_slot_name(slot, "Slot " + std::to_string(slot + 1));
    }
    return s;
}

}  // namespace

int main() {
    const ConfigState full = full_configuration();
    constexpr int kRounds = 200;
    double best_ms = 1e9;
    double total_ms = 0;
    std::size_t sink = 0;
    for (int round = 0; round < kRounds; ++round) {
        ConfigState state = full;  // every round starts from the unnormalised record
        const auto start = std::chrono::steady_clock::now();
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) sink += display_slot(state, slot).caption.size();
        const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        best_ms = std::min(best_ms, spent.count());
        total_ms += spent.count();
    }
    std::printf("display of all 80 slots: %.3f ms mean, %.3f ms best over %d rounds (stepping through all tabs: "
                "target < 200 ms with the widgets)\n",
                total_ms / kRounds, best_ms, kRounds);

    // One slot of each event kind and of each reaction kind, shown again and again as the editor
    // does after every edit: the slowest kind is the figure that counts.
    constexpr int kRepeats = 500;
    double worst_us = 0;
    int worst_event = 0;
    int worst_reaction = 0;
    for (int event = 0; event < 27; ++event) {
        for (int reaction = 0; reaction < 28; reaction += 27 / 9) {
            ConfigState state = full;
            state.record.slot(0)[0] = static_cast<std::uint8_t>(event);
            state.record.slot(0)[11] = static_cast<std::uint8_t>(reaction);
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < kRepeats; ++i) sink += display_slot(state, 0).reaction_controls.size();
            const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
            if (spent.count() / kRepeats > worst_us) {
                worst_us = spent.count() / kRepeats;
                worst_event = event;
                worst_reaction = reaction;
            }
        }
    }
    for (int reaction = 0; reaction < 28; ++reaction) {
        ConfigState state = full;
        state.record.slot(0)[11] = static_cast<std::uint8_t>(reaction);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kRepeats; ++i) sink += display_slot(state, 0).reaction_controls.size();
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
        if (spent.count() / kRepeats > worst_us) {
            worst_us = spent.count() / kRepeats;
            worst_event = state.record.slot(0)[0];
            worst_reaction = reaction;
        }
    }
    std::printf("one slot shown (core view, slowest kind: event %d, reaction %d): %.1f us (target < 5 ms with the "
                "widgets)\n",
                worst_event, worst_reaction, worst_us);
    return sink == 0 ? 1 : 0;
}
