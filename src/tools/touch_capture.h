// Touch-point capture (device block 20): the controller is asked to catch one touch within
// 10 seconds; the program polls every 100 ms with a 100-step progress bar and hands back the
// point. Storing it as the slot's touch reaction is the slot editor's business.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "common/text.h"
#include "device/protocol.h"

namespace ztv {

inline constexpr TextPair kClickOnTheScreen{"Нажмите в нужном месте экрана", "Click in the right place on the screen"};
inline constexpr TextPair kNoTouchPoint{"Нет точки касания", "No touch point"};
inline constexpr std::uint16_t kTouchCaptureMs = 10000;
inline constexpr int kTouchCaptureSteps = kTouchCaptureMs / 100;  // progress bar positions 1-100
inline constexpr int kNoTouchPointNoticeMs = 3000;

// What the editor shows while a capture runs. Every member may be left empty.
struct TouchCaptureDisplay {
    std::function<void(bool)> set_busy;       // toolbar and editor locked while true
    std::function<void(int)> show_progress;   // position 1-100; shows the bar
    std::function<void()> hide_progress;
};

struct TouchPoint {
    std::uint16_t x = 0;  // 0-4095
    std::uint16_t y = 0;
};

// Without a controller: "Controller is disconnected" (error box). A failed start shows the
// write error and ends the capture. No touch within the time (or a failed read, or closing):
// the notice "No touch point". The capture is always ended on the controller (time 0) once it
// was started.
std::optional<TouchPoint> capture_touch_point(Protocol& protocol, bool connected, const TouchCaptureDisplay& display);

}  // namespace ztv
