#include "tools/button_learning.h"

#include <algorithm>
#include <cstdlib>

#include "common/format.h"
#include "device/device_errors.h"
#include "tools/learning_messages.h"

namespace ztv {
namespace {

constexpr int kBlinkMs = 250;
constexpr int kDoneShownMs = 3000;
constexpr unsigned kNoLimit = 4095;

unsigned distance_half(unsigned a, unsigned b) { return (a > b ? a - b : b - a) / 2; }

}  // namespace

void compute_limits_and_thresholds(Record& record, const ChannelLevels& idle) {
    for (std::size_t channel = 0; channel < kChannels; ++channel) {
        const unsigned level = idle[channel];
        unsigned lowest = 0;
        for (std::size_t i = 0; i < kButtonsPerChannel; ++i) {
            const unsigned code = record.button_code(channel, i);
            if (code == 0) continue;
            if (lowest == 0 || code < lowest) lowest = code;
            unsigned limit = std::min(kNoLimit, distance_half(code, level));
            for (std::size_t j = 0; j < kButtonsPerChannel; ++j) {
                const unsigned other = record.button_code(channel, j);
                if (j != i && other != 0) limit = std::min(limit, distance_half(code, other));
            }
            record.set_u16(Record::button_offset(channel, i) + 2, static_cast<std::uint16_t>(limit));
        }
        const unsigned threshold = lowest == 0 ? kNoButtonsThreshold : (lowest + level) / 2;
        record.set_u16(2 + 2 * channel, static_cast<std::uint16_t>(threshold));
    }
}

unsigned disturbed_channels(const ChannelLevels& lowest, const ChannelLevels& highest) {
    const unsigned floor = *std::min_element(highest.begin(), highest.end());
    unsigned disturbed = 0;
    for (std::size_t c = 0; c < kChannels; ++c) {
        const bool moved = highest[c] > lowest[c] + kIdleMargin;
        const bool raised = highest[c] > floor + kHeldLevelGap;
        if (moved || raised) disturbed |= 1u << c;
    }
    return disturbed;
}

ButtonLearning::ButtonLearning(ConnectionMonitor& monitor, ConfigState& state, ButtonGrid& grid,
                               ProcedureEvents& events)
    : monitor_(monitor),
      protocol_(monitor.protocol()),
      host_(monitor.protocol().host()),
      state_(state),
      grid_(grid),
      events_(events) {}

void ButtonLearning::on_button() {
    if (running_) {
        active_ = false;  // the loop sees it within one pass and writes what it gathered
        return;
    }
    if (!monitor_.connected()) {
        end_ = LearningEnd::NotConnected;
        host_.show_message(kBoxError, error_text(kErrDisconnected));
        return;
    }
    running_ = true;
    active_ = true;
    events_.set_running(true);
    monitor_.set_learning(true);
    run();
    events_.set_running(false);
    active_ = false;
    monitor_.set_learning(false);
    running_ = false;
    events_.finished();
}

void ButtonLearning::run() {
    written_ = false;
    idle_known_ = false;
    idle_.fill(0);
    if (host_.show_message(kBoxQuestion | kBoxDefaultSecond, to_text(msg::kAskLearning)) != kIdYes) {
        end_ = LearningEnd::Declined;
        return;
    }
    if (write_learning_block(true, ChannelLevels{}, true) != kOk) {
        end_ = LearningEnd::FirstWriteFailed;
        return;
    }
    end_ = collect();
    grid_.clear_all_highlights();
    events_.grid_changed();
    host_.clear_flash_message();

    if (end_ == LearningEnd::Closing) {
        // Nothing gathered is written while the program closes, but the controller must not be
        // left reporting codes instead of acting on its buttons.
        write_learning_block(false, ChannelLevels{}, false);
        return;
    }
    if (!idle_known_) {
        // Without the idle levels the limits and thresholds cannot be computed, and no button
        // was gathered: the controller leaves learning mode and keeps what it had.
        end_ = LearningEnd::QuietPhaseEnded;
        write_learning_block(false, ChannelLevels{}, true);
        return;
    }
    written_ = write_results();
    if (written_) {
        host_.flash_message(kDoneShownMs, kBlinkMs, to_text(msg::kLearningDone));
        state_.record_valid = true;
    }
}

LearningEnd ButtonLearning::collect() {
    int phase = 0;
    int counter = 0;
    ChannelLevels levels{};
    while (!host_.closing() && active_) {
        if (phase == 0) {
            host_.flash_message(0, kBlinkMs, to_text(msg::kPressNothing));
            idle_.fill(0);
            idle_lowest_.fill(0xFFFF);
            counter = kQuietPasses;
            phase = 1;
        } else if (phase == 1) {
            if (--counter != 0) {
                if (!read_levels(levels)) return LearningEnd::ReadFailed;
                for (std::size_t c = 0; c < kChannels; ++c) {
                    idle_[c] = std::max(idle_[c], levels[c]);
                    idle_lowest_[c] = std::min(idle_lowest_[c], levels[c]);
                }
            } else if (const unsigned disturbed = disturbed_channels(idle_lowest_, idle_);
                       disturbed != 0 && repeat_quiet_phase(disturbed)) {
                phase = 0;
                continue;
            } else {
                host_.flash_message(0, kBlinkMs, to_text(msg::kPressEachButton));
                ChannelLevels ceilings{};
                for (std::size_t c = 0; c < kChannels; ++c)
                    ceilings[c] = static_cast<std::uint16_t>(std::min<unsigned>(idle_[c] + kIdleMargin, 0xFFFF));
                if (write_learning_block(true, ceilings, true) != kOk) return LearningEnd::WriteFailed;
                idle_known_ = true;
                counter = kCollectionPasses;
                phase = 2;
            }
        } else {
            if (!read_levels(levels)) return LearningEnd::ReadFailed;
            for (unsigned c = 0; c < kChannels; ++c) {
                if (levels[c] != 0) {
                    grid_.record_code(state_.record, c, levels[c]);
                    counter = kCollectionPasses;
                } else {
                    grid_.clear_highlights(c);
                }
            }
            events_.grid_changed();
            if (--counter == 0) return LearningEnd::NoPress;
        }
        wait_pumping(host_, kLearningPassMs);
    }
    return active_ ? LearningEnd::Closing : LearningEnd::Stopped;
}

bool ButtonLearning::repeat_quiet_phase(unsigned disturbed) {
    std::string channels;
    for (std::size_t c = 0; c < kChannels; ++c) {
        if ((disturbed & (1u << c)) == 0) continue;
        if (!channels.empty()) channels += ", ";
        channels += std::to_string(c + 1);
    }
    return host_.show_message(kBoxQuestion, format_pair(msg::kQuietPhaseDisturbed, channels.c_str())) == kIdYes;
}

bool ButtonLearning::read_levels(ChannelLevels& levels) {
    std::array<std::uint8_t, kLearningReadSize> bytes{};
    std::size_t got = 0;
    if (protocol_.read_area(block::kLearning, 0, bytes, got) != kOk) return false;
    for (std::size_t c = 0; c < kChannels; ++c)
        levels[c] = static_cast<std::uint16_t>(bytes[2 * c] | (bytes[2 * c + 1] << 8));
    return true;
}

int ButtonLearning::write_learning_block(bool on, const ChannelLevels& ceilings, bool report) {
    std::array<std::uint8_t, kLearningWriteSize> bytes{};
    bytes[0] = on ? 1 : 0;
    for (std::size_t c = 0; c < kChannels; ++c) {
        bytes[1 + 2 * c] = static_cast<std::uint8_t>(ceilings[c] & 0xFF);
        bytes[2 + 2 * c] = static_cast<std::uint8_t>(ceilings[c] >> 8);
    }
    return report ? protocol_.write_checked(block::kLearning, 0, bytes) : protocol_.write_area(block::kLearning, 0, bytes);
}

bool ButtonLearning::write_results() {
    // Names typed into the grid go with the buttons.
    grid_.names_to_record(state_.record);
    compute_limits_and_thresholds(state_.record, idle_);
    host_.progress_begin(kLearningWriteProgress, to_text(msg::kWriteData));
    const auto record = state_.record.bytes();
    const auto copy_to_shadow = [this](std::size_t offset, std::size_t size) {
        std::copy_n(state_.record.data() + offset, size, state_.shadow.data() + offset);
    };
    const bool header = protocol_.write_checked(block::kRecord, kHeaderOffset, record.subspan(kHeaderOffset, kHeaderSize)) == kOk;
    copy_to_shadow(kHeaderOffset, kHeaderSize);
    const bool table =
        protocol_.write_checked(block::kRecord, kButtonTableOffset, record.subspan(kButtonTableOffset, kButtonTableSize)) == kOk;
    copy_to_shadow(kButtonTableOffset, kButtonTableSize);
    // Learning mode ends whatever became of the record writes.
    const bool off = write_learning_block(false, ChannelLevels{}, true) == kOk;
    return header && table && off;
}

}  // namespace ztv
