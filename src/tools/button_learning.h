// Button learning: the guided procedure that teaches the controller the steering-wheel buttons
// of a car. It measures each analog channel's idle level, records the code of every button the
// user presses (the grid shows them live), and writes the buttons with a tolerance per button
// and a press threshold per channel into the record and the controller. It runs inside the
// start button's handler and keeps the window alive by pumping messages while it waits.
#pragma once

#include <array>
#include <cstdint>

#include "config/config_state.h"
#include "device/connection_monitor.h"
#include "tools/button_grid.h"
#include "tools/procedure_events.h"

namespace ztv {

inline constexpr std::uint32_t kLearningPassMs = 100;
inline constexpr int kQuietPasses = 20;        // 19 reads of the idle levels, about two seconds
inline constexpr int kCollectionPasses = 600;  // 60 s without a press ends the collection
inline constexpr std::uint16_t kIdleMargin = 32;  // added to the idle level the controller is told
inline constexpr std::size_t kLearningWriteSize = 9;
inline constexpr std::size_t kLearningReadSize = 8;
inline constexpr int kLearningWriteProgress = static_cast<int>(kHeaderSize + kButtonTableSize);  // 550

using ChannelLevels = std::array<std::uint16_t, kChannels>;

// Each learned button owns half the distance to its nearest neighbour on its channel, the idle
// level counting as one (at most 4095); each channel's press threshold lies halfway between
// the idle level and its lowest button (4095 without buttons). Entries without a code keep
// their limit.
void compute_limits_and_thresholds(Record& record, const ChannelLevels& idle);

// A button held while the idle levels are measured raises its channel's level, and every lower
// button of that channel would then read as released and be lost. A channel is taken as
// disturbed when its readings moved by more than the idle margin, or when its level lies more
// than kHeldLevelGap above the lowest channel's (a released ladder sits near the bottom).
inline constexpr unsigned kHeldLevelGap = 256;
// Bit c set: channel c was disturbed. `lowest` and `highest` are the quiet phase's extremes.
unsigned disturbed_channels(const ChannelLevels& lowest, const ChannelLevels& highest);

// How the last run ended.
enum class LearningEnd : std::uint8_t {
    None,              // never run
    NotConnected,      // nothing started
    Declined,          // "No" at the question: nothing touched
    FirstWriteFailed,  // learning mode was not entered: nothing touched
    QuietPhaseEnded,   // stopped or failed before any idle level was known: learning mode off only
    NoPress,           // 60 s without a press: results written
    Stopped,           // the start button again: results written
    ReadFailed,        // results written (as far as the controller takes them)
    WriteFailed,       // the idle ceilings were refused
    Closing,           // the program closes: learning mode off only, nothing else written
};

class ButtonLearning {
public:
    ButtonLearning(ConnectionMonitor& monitor, ConfigState& state, ButtonGrid& grid, ProcedureEvents& events);

    // The start/stop button: starts the procedure, or ends the collection of a running one.
    void on_button();
    bool running() const { return running_; }
    bool active() const { return active_; }

    LearningEnd last_end() const { return end_; }
    // The last run's final writes all succeeded.
    bool written() const { return written_; }
    // The highest reading of each channel while nothing was pressed.
    const ChannelLevels& idle_levels() const { return idle_; }

private:
    void run();
    LearningEnd collect();
    bool read_levels(ChannelLevels& levels);
    // After a disturbed quiet phase: whether the user wants it measured again.
    bool repeat_quiet_phase(unsigned disturbed);
    int write_learning_block(bool on, const ChannelLevels& ceilings, bool report);
    bool write_results();

    ConnectionMonitor& monitor_;
    Protocol& protocol_;
    Host& host_;
    ConfigState& state_;
    ButtonGrid& grid_;
    ProcedureEvents& events_;
    bool running_ = false;
    bool active_ = false;
    bool idle_known_ = false;
    bool written_ = false;
    ChannelLevels idle_{};
    ChannelLevels idle_lowest_{};
    LearningEnd end_ = LearningEnd::None;
};

}  // namespace ztv
