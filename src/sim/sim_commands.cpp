// The simulated controller's answers to each command, and the scripted inputs behind them.
#include <algorithm>

#include "device/protocol.h"
#include "device/can_records.h"
#include "sim/sim_can_traffic.h"
#include "sim/sim_controller.h"
#include "sim/sim_firmware.h"

namespace ztv::sim {
namespace {

constexpr std::uint32_t kCalibrationShowMs = 1000;   // each step is shown this long, then
constexpr std::uint32_t kCalibrationPressMs = 500;   // the panel is pressed this long,
constexpr std::uint32_t kCalibrationReleaseMs = 300; // and released before the next step
constexpr std::uint32_t kBootloaderEntryMs = 300;
constexpr std::uint8_t kCanModeMax = 3;

void put16(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint16_t le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

std::optional<Frame> SimController::handle_application(const Frame& request, Frame& reply) {
    const std::uint8_t command = request.command();
    const std::uint16_t offset = request.offset();
    const auto confirm = [&reply](bool ok) {
        reply.set_command(ok ? kReplyConfirmed : kReplyParameters);
        return reply;
    };
    if ((command & kWriteBit) == 0) reply.set_command(static_cast<std::uint8_t>(command | kWriteBit));
    finish_calibration_if_done();

    switch (command) {
        case block::kStatus: {
            std::array<std::uint8_t, kStatusSize> bytes{};
            status().serialize(bytes);
            read_bytes(reply, bytes, offset);
            return reply;
        }
        case block::kTerminal: {
            const std::size_t n = std::min(terminal_out_.size(), kPayloadMax);
            std::copy_n(terminal_out_.begin(), n, reply.payload().begin());
            terminal_out_.erase(terminal_out_.begin(), terminal_out_.begin() + static_cast<std::ptrdiff_t>(n));
            reply.set_length(static_cast<std::uint8_t>(n));
            return reply;
        }
        case block::kTerminal | kWriteBit: {
            const auto payload = request.payload().first(request.length());
            const auto end = std::find(payload.begin(), payload.end(), std::uint8_t{0});
            std::string line(payload.begin(), end);
            feed_terminal_text("> " + line + "\r\n");
            terminal_input_.push_back(std::move(line));
            return confirm(true);
        }
        case block::kRecord: read_bytes(reply, memory_.record.bytes(), offset); return reply;
        case block::kRecord | kWriteBit: return confirm(write_bytes(request, memory_.record.bytes()));
        case block::kTouchCalibration:
            if (offset == 1 && calibration_started_ms_) {
                reply.payload()[0] = calibration_state();
                reply.set_length(1);
                return reply;
            }
            read_bytes(reply, memory_.touch, offset);
            return reply;
        case block::kTouchCalibration | kWriteBit:
            if (offset == 0 && request.length() == 1) {
                memory_.touch[0] = request.payload()[0];
                calibration_started_ms_ = clock_.now_ms();
                return confirm(true);
            }
            return confirm(write_bytes(request, memory_.touch));
        case block::kLearning:
            for (std::size_t channel = 0; channel < 4; ++channel)
                put16(reply.payload(), 2 * channel, learning_reading(channel));
            reply.set_length(8);
            return reply;
        case block::kLearning | kWriteBit: return confirm(write_bytes(request, learning_block_));
        case block::kIrCapture:
            for (std::size_t i = 0; i < 4; ++i) reply.payload()[i] = static_cast<std::uint8_t>(ir_code_ >> (8 * i));
            reply.set_length(4);
            return reply;
        case block::kTouchCapture: fill_touch_capture(reply); return reply;
        case block::kTouchCapture | kWriteBit: {
            if (request.length() != 2 || offset != 0) return confirm(false);
            touch_capture_ms_ = le16(request.payload(), 0);
            caught_touch_.reset();
            if (touch_capture_ms_ != 0) {
                capture_started_ms_ = clock_.now_ms();
                if (touch_answer_ms_) {
                    const std::uint32_t n = touch_answers_++;
                    touch_at(*capture_started_ms_ + *touch_answer_ms_, static_cast<std::uint16_t>(400 + (n * 733) % 3300),
                             static_cast<std::uint16_t>(300 + (n * 521) % 3500));
                }
            } else {
                capture_started_ms_.reset();
            }
            return confirm(true);
        }
        case block::kCanLog: {
            const std::size_t n = std::min(can_out_.size(), kCanPullMax);
            std::copy_n(can_out_.begin(), n, reply.payload().begin());
            can_out_.erase(can_out_.begin(), can_out_.begin() + static_cast<std::ptrdiff_t>(n));
            reply.set_length(static_cast<std::uint8_t>(n));
            return reply;
        }
        case block::kCanLog | kWriteBit:
            // A firmware built without the CAN log does not know the command.
            if (memory_.features.find('C') == std::string::npos || request.length() != 1 ||
                request.payload()[0] > kCanModeMax)
                return confirm(false);
            if (can_mode_ == 0 && request.payload()[0] != 0 && can_traffic_) can_traffic_->restart(clock_.now_ms());
            can_mode_ = request.payload()[0];
            if (can_mode_ == 0) can_out_.clear();
            return confirm(true);
        case block::kRestart | kWriteBit:
            reboot_after_reply_ = SimMode::Application;
            return confirm(true);
        case block::kDefaults | kWriteBit:
            memory_.record.clear();
            memory_.record.set_u16(0, kDefaultLongPressMs);
            for (std::size_t channel = 0; channel < kChannels; ++channel)
                memory_.record.set_u16(2 + 2 * channel, kNoButtonsThreshold);
            memory_.touch.fill(0);
            return confirm(true);
        case block::kFirmware | kWriteBit:
            // The application takes a firmware block as the order to start its bootloader; it
            // leaves at once unless it is set to confirm first.
            if (ack_bootloader_entry_) {
                reboot_after_reply_ = SimMode::Bootloader;
                return confirm(true);
            }
            reboot(SimMode::Bootloader, kBootloaderEntryMs);
            return std::nullopt;
        default: return confirm(false);
    }
}

std::optional<Frame> SimController::handle_bootloader(const Frame& request, Frame& reply) {
    switch (request.command()) {
        case block::kStatus: {
            reply.set_command(block::kStatus | kWriteBit);
            std::array<std::uint8_t, kStatusSize> bytes{};
            status().serialize(bytes);
            read_bytes(reply, bytes, request.offset());
            return reply;
        }
        case block::kFirmware | kWriteBit:
            receive_firmware_block(request);
            reply.set_command(kReplyConfirmed);
            return reply;
        case block::kRestart | kWriteBit:
            reboot_after_reply_ = SimMode::Application;
            reply.set_command(kReplyConfirmed);
            return reply;
        default: reply.set_command(kReplyParameters); return reply;
    }
}

void SimController::receive_firmware_block(const Frame& request) {
    const std::size_t offset = request.offset();
    if (offset == 0) {
        // A new image: the old application is erased.
        firmware_.clear();
        memory_.app_version = 0;
    }
    const std::size_t end = offset + request.length();
    if (firmware_.size() < end) firmware_.resize(end, 0);
    std::copy_n(request.payload().begin(), request.length(), firmware_.begin() + static_cast<std::ptrdiff_t>(offset));
    const SimFirmwareCheck check = check_sim_firmware(firmware_);
    if (check.complete && check.valid && check.version != 0) {
        memory_.app_version = check.version;
        reboot_after_reply_ = SimMode::Application;
    }
}

void SimController::set_calibration_steps(const std::vector<std::uint8_t>& steps) {
    calibration_states_.clear();
    for (const std::uint8_t step : steps) {
        calibration_states_.push_back({step, kCalibrationShowMs});
        calibration_states_.push_back({static_cast<std::uint8_t>(step | 0x80), kCalibrationPressMs});
        calibration_states_.push_back({step, kCalibrationReleaseMs});
    }
}

std::uint8_t SimController::calibration_state() const {
    if (!calibration_started_ms_) return 0;
    std::uint32_t elapsed = elapsed_ms(*calibration_started_ms_);
    for (const CalibrationState& state : calibration_states_) {
        if (elapsed < state.ms) return state.state;
        elapsed -= state.ms;
    }
    return 0;
}

void SimController::finish_calibration_if_done() {
    if (!calibration_started_ms_) return;
    std::uint32_t total = 0;
    for (const CalibrationState& state : calibration_states_) total += state.ms;
    if (elapsed_ms(*calibration_started_ms_) < total) return;
    calibration_started_ms_.reset();
    // The corner readings the controller keeps; byte 1 (the step) is back at 0.
    memory_.touch[1] = 0;
    static constexpr std::uint16_t kCorners[4] = {212, 3870, 3905, 180};
    for (std::size_t i = 0; i < 4; ++i) put16(memory_.touch, 2 + 2 * i, kCorners[i]);
}

std::uint16_t SimController::learning_reading(std::size_t channel) const {
    if (learning_block_[0] == 0) return 0;
    const std::uint32_t now = clock_.now_ms();
    const auto wander = static_cast<std::uint32_t>(now / 100 + channel);  // changes from one 100 ms reading to the next
    std::uint16_t raw = idle_levels_[channel];
    if (idle_noise_ > 1) raw = static_cast<std::uint16_t>(raw + wander % idle_noise_);
    const std::uint16_t ceiling = le16(learning_block_, 1 + 2 * channel);
    const bool measuring = std::all_of(learning_block_.begin() + 1, learning_block_.end(), [](std::uint8_t b) { return b == 0; });
    if (hands_off_while_measuring_ && measuring) return raw;
    for (const Hold& hold : holds_) {
        if (hold.channel != channel || static_cast<std::int32_t>(now - hold.from_ms) < 0 ||
            static_cast<std::int32_t>(now - hold.to_ms) >= 0)
            continue;
        raw = hold.code;
        if (press_jitter_ > 0) {
            const int spread = 2 * press_jitter_ + 1;
            const int offset = static_cast<int>((wander * 7919u) % static_cast<unsigned>(spread)) - press_jitter_;
            raw = static_cast<std::uint16_t>(std::clamp(int{hold.code} + offset, 1, 4095));
        }
    }
    // With no ceiling yet the controller reports the raw level, so the quiet phase can
    // measure it; afterwards anything up to the ceiling counts as nothing pressed.
    if (ceiling != 0 && raw <= ceiling) return 0;
    return raw;
}

void SimController::fill_touch_capture(Frame& reply) {
    reply.set_length(5);
    if (capture_started_ms_ && !caught_touch_) {
        const std::uint32_t now = clock_.now_ms();
        for (const auto& touch : touches_) {
            const bool after_start = static_cast<std::int32_t>(touch[0] - *capture_started_ms_) >= 0;
            const bool already = static_cast<std::int32_t>(now - touch[0]) >= 0;
            const bool in_time = touch[0] - *capture_started_ms_ < touch_capture_ms_;
            if (after_start && already && in_time) {
                caught_touch_ = {{static_cast<std::uint16_t>(touch[1]), static_cast<std::uint16_t>(touch[2])}};
                break;
            }
        }
    }
    if (!caught_touch_) return;
    reply.payload()[0] = 1;
    put16(reply.payload(), 1, (*caught_touch_)[0]);
    put16(reply.payload(), 3, (*caught_touch_)[1]);
}

void SimController::feed_terminal_text(const std::string& text) {
    terminal_out_.insert(terminal_out_.end(), text.begin(), text.end());
}

void SimController::push_can_record(std::uint32_t id_word, bool extended, std::span<const std::uint8_t> data,
                                    std::uint32_t stamp_ms) {
    std::array<std::uint8_t, kCanRecordSize> record{};
    for (std::size_t i = 0; i < 4; ++i) record[i] = static_cast<std::uint8_t>(id_word >> (8 * i));
    const std::size_t dlc = std::min<std::size_t>(data.size(), 8);
    record[4] = static_cast<std::uint8_t>(dlc);
    std::copy_n(data.begin(), dlc, record.begin() + 5);
    record[15] = extended ? 1 : 0;
    for (std::size_t i = 0; i < 4; ++i) record[16 + i] = static_cast<std::uint8_t>(stamp_ms >> (8 * i));
    can_out_.insert(can_out_.end(), record.begin(), record.end());
}

void SimController::set_can_traffic(std::unique_ptr<CanTraffic> traffic) { can_traffic_ = std::move(traffic); }

void SimController::capture_can() {
    if (can_mode_ == 0 || !can_traffic_ || mode_ != SimMode::Application) return;
    const std::size_t queued = can_out_.size() / kCanRecordSize;
    const std::size_t limit = can_traffic_->queue_limit();
    std::vector<CanFrame> frames;
    can_traffic_->produce(clock_.now_ms(), queued < limit ? limit - queued : 0, frames);
    for (const CanFrame& frame : frames) can_out_.insert(can_out_.end(), frame.bytes.begin(), frame.bytes.end());
}

void SimController::hold_button(std::size_t channel, std::uint16_t code, std::uint32_t from_ms, std::uint32_t to_ms) {
    holds_.push_back({channel, code, from_ms, to_ms});
}

void SimController::touch_at(std::uint32_t at_ms, std::uint16_t x, std::uint16_t y) {
    touches_.push_back({at_ms, x, y});
}

}  // namespace ztv::sim
