#include "tools/touch_capture.h"

#include <array>

#include "device/device_errors.h"
#include "tools/ir_capture.h"

namespace ztv {
namespace {

constexpr std::uint32_t kStepMs = 100;
constexpr std::uint16_t kCoordinateMask = 0x0FFF;

std::array<std::uint8_t, 2> capture_time(std::uint16_t ms) {
    return {static_cast<std::uint8_t>(ms & 0xFF), static_cast<std::uint8_t>(ms >> 8)};
}

}  // namespace

std::optional<TouchPoint> capture_touch_point(Protocol& protocol, bool connected, const TouchCaptureDisplay& display) {
    Host& host = protocol.host();
    if (!connected) {
        host.show_message(kBoxError, error_text(kErrDisconnected));
        return std::nullopt;
    }
    auto busy = [&](bool on) {
        if (display.set_busy) display.set_busy(on);
    };
    busy(true);
    if (protocol.write_checked(block::kTouchCapture, 0, capture_time(kTouchCaptureMs)) != 0) {
        busy(false);
        return std::nullopt;
    }
    host.flash_message(kTouchCaptureMs, kCaptureBlinkMs, to_text(kClickOnTheScreen));

    std::array<std::uint8_t, 5> reply{};
    for (std::uint32_t t = 0; t < kTouchCaptureMs && !host.closing(); t += kStepMs) {
        if (display.show_progress) display.show_progress(static_cast<int>(t / kStepMs + 1));
        reply[0] = 0;
        std::size_t length = 0;
        if (protocol.read_area(block::kTouchCapture, 0, reply, length) != 0 || reply[0] != 0) break;
        wait_pumping(host, kStepMs);
    }
    host.clear_flash_message();
    if (display.hide_progress) display.hide_progress();

    std::optional<TouchPoint> point;
    if (reply[0] != 0) {
        point = TouchPoint{static_cast<std::uint16_t>((reply[1] | reply[2] << 8) & kCoordinateMask),
                           static_cast<std::uint16_t>((reply[3] | reply[4] << 8) & kCoordinateMask)};
    } else {
        host.flash_message(kNoTouchPointNoticeMs, kCaptureBlinkMs, to_text(kNoTouchPoint));
    }
    protocol.write_checked(block::kTouchCapture, 0, capture_time(0));
    busy(false);
    return point;
}

}  // namespace ztv
