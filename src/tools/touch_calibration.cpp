#include "tools/touch_calibration.h"

#include "device/device_errors.h"
#include "tools/learning_messages.h"

namespace ztv {
namespace {

constexpr int kBlinkMs = 250;
constexpr int kDoneShownMs = 3000;
constexpr std::uint8_t kNoStateYet = 255;

const TextPair* step_instruction(std::uint8_t step) {
    switch (step) {
        case 1: return &msg::kPressTopLeft;
        case 2: return &msg::kPressTopRight;
        case 3: return &msg::kPressBottomRight;
        case 4: return &msg::kPressTopLeft;
        case 5: return &msg::kPressBottomRight;
        default: return nullptr;
    }
}

}  // namespace

TouchCalibration::TouchCalibration(ConnectionMonitor& monitor, ConfigState& state, ProcedureEvents& events)
    : monitor_(monitor), protocol_(monitor.protocol()), host_(monitor.protocol().host()), state_(state), events_(events) {}

void TouchCalibration::on_button(bool inset) {
    if (running_) {
        active_ = false;  // the loop sees it within one pass
        return;
    }
    if (!monitor_.connected()) {
        end_ = CalibrationEnd::NotConnected;
        host_.show_message(kBoxError, error_text(kErrDisconnected));
        return;
    }
    running_ = true;
    active_ = true;
    events_.set_running(true);
    end_ = run(inset);
    events_.set_running(false);
    active_ = false;
    running_ = false;
}

CalibrationEnd TouchCalibration::run(bool inset) {
    if (host_.show_message(kBoxQuestion | kBoxDefaultSecond, to_text(msg::kAskCalibration)) != kIdYes)
        return CalibrationEnd::Declined;
    const std::uint8_t corners = inset ? 1 : 0;
    if (protocol_.write_checked(block::kTouchCalibration, 0, std::span<const std::uint8_t>(&corners, 1)) != kOk)
        return CalibrationEnd::StartFailed;

    std::uint8_t last = kNoStateYet;
    while (!host_.closing() && active_) {
        std::uint8_t state = 0;
        std::size_t got = 0;
        if (protocol_.read_checked(block::kTouchCalibration, 1, std::span<std::uint8_t>(&state, 1), got) != kOk) {
            host_.clear_flash_message();
            return CalibrationEnd::ReadFailed;
        }
        if (got == 0) {
            // A reply without the state byte would read as "finished"; it is a failed read.
            host_.show_message(kBoxError, join(to_text(kReadErrorTitle), "\n", error_text(kErrShortRead)));
            host_.clear_flash_message();
            return CalibrationEnd::ReadFailed;
        }
        if (state != last) {
            if ((state & kCalibrationStepMask) == 0) return finish(last);
            show_step(state);
            last = state;
        }
        wait_pumping(host_, kCalibrationPassMs);
    }
    host_.clear_flash_message();
    return active_ ? CalibrationEnd::Closing : CalibrationEnd::Stopped;
}

void TouchCalibration::show_step(std::uint8_t state) {
    if ((state & kCalibrationPressedBit) != 0) {
        host_.flash_message(0, kBlinkMs, to_text(msg::kReleaseIt));
        return;
    }
    if (const TextPair* instruction = step_instruction(state & kCalibrationStepMask))
        host_.flash_message(0, kBlinkMs, to_text(*instruction));
}

CalibrationEnd TouchCalibration::finish(std::uint8_t last_state) {
    host_.clear_flash_message();
    if (last_state == kNoStateYet || (last_state & kCalibrationStepMask) != kCalibrationLastCorner) {
        host_.flash_message(kDoneShownMs, kBlinkMs, to_text(msg::kCalibrationTimeout));
        return CalibrationEnd::TimedOut;
    }
    // Read into a scratch block first: a failed or short read must not wipe the calibration
    // the program holds.
    TouchBlock block{};
    std::size_t got = 0;
    if (protocol_.read_checked(block::kTouchCalibration, 0, block, got) != kOk) return CalibrationEnd::ReadBackFailed;
    if (got < block.size()) {
        host_.show_message(kBoxError, join(to_text(kReadErrorTitle), "\n", error_text(kErrShortRead)));
        return CalibrationEnd::ReadBackFailed;
    }
    state_.touch = block;
    host_.flash_message(kDoneShownMs, kBlinkMs, to_text(msg::kCalibrationDone));
    return CalibrationEnd::Succeeded;
}

}  // namespace ztv
