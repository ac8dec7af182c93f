#include "sim/sim_demo.h"

#include <array>
#include <string>

#include "common/format.h"
#include "sim/sim_can_traffic.h"

namespace ztv::sim {
namespace {

constexpr std::uint32_t kTextPeriodMs = 1500;
constexpr std::uint32_t kIrPeriodMs = 5000;
constexpr std::uint32_t kTouchPeriodMs = 4000;
constexpr std::uint32_t kTouchAnswerMs = 1500;
constexpr std::uint32_t kButtonPeriodMs = 3000;
constexpr std::uint32_t kButtonHoldMs = 700;
constexpr std::uint16_t kButtonJitter = 4;

// Debug lines as the controller prints them; the bus reports carry event numbers that the
// terminal replaces by names.
constexpr const char* kDebugLines[] = {
    "ADC CH1:%u CH2:%u",
    "RX LIN ID:3C EV:29 ",
    "RX IBUS EV:3 ",
    "RX HK EV:3",
    "SRC:%u",
    "CAN RX 0x%03X",
};

// A repeating action that schedules its own next run.
struct Repeat {
    std::uint32_t period_ms;
    std::uint32_t due_ms;
    void (*action)(SimController&, std::uint32_t round);
    std::uint32_t round = 0;

    void operator()(SimController& controller) {
        action(controller, round++);
        due_ms += period_ms;
        controller.at(due_ms, *this);
    }
};

void print_text(SimController& c, std::uint32_t round) {
    const char* line = kDebugLines[round % std::size(kDebugLines)];
    std::string text;
    switch (round % std::size(kDebugLines)) {
        case 0: text = strprintf(line, 120u + round % 7, 118u + round % 5); break;
        case 4: text = strprintf(line, round % 8 + 1); break;
        case 5: text = strprintf(line, 0x100u + round % 0x80); break;
        default: text = line; break;
    }
    c.feed_terminal_text(text + "\r\n");
}

void receive_ir(SimController& c, std::uint32_t round) {
    // Two keys of an NEC remote, an RC5 key (refused as a reaction) and a CAN AUTO key of a
    // known car (VOLVO, "Up").
    static constexpr std::array<std::uint32_t, 4> kCodes = {0x0120FF45, 0x0120FF46, 0x03001A0C, 0x0B000348};
    c.set_ir_code(kCodes[round % kCodes.size()]);
}

}  // namespace

void start_demo(SimController& controller, std::uint32_t now_ms) {
    // Held buttons read a few codes either side of their level, as a real ladder does.
    controller.set_press_jitter(kButtonJitter);
    // Its presses would otherwise fall into button learning's quiet phase and spoil it.
    controller.set_hands_off_while_measuring(true);
    // "Get touch point" finds a touch a moment after it starts.
    controller.answer_touch_captures_after(kTouchAnswerMs);
    controller.at(now_ms + kTextPeriodMs, Repeat{kTextPeriodMs, now_ms + kTextPeriodMs, print_text});
    controller.set_can_traffic(make_demo_can_bus());
    controller.at(now_ms + kIrPeriodMs, Repeat{kIrPeriodMs, now_ms + kIrPeriodMs, receive_ir});
    // Touches and button presses are laid out ahead for a long session; they cost nothing
    // until the program looks at them.
    for (std::uint32_t i = 0; i < 2000; ++i) {
        const std::uint32_t at = now_ms + (i + 1) * kTouchPeriodMs;
        controller.touch_at(at, static_cast<std::uint16_t>(600 + (i * 431) % 2800),
                            static_cast<std::uint16_t>(500 + (i * 277) % 3000));
        static constexpr std::array<std::uint16_t, 4> kCodes = {900, 1700, 2500, 3300};
        const std::uint32_t press = now_ms + (i + 1) * kButtonPeriodMs;
        controller.hold_button(i % 2, kCodes[(i / 2) % kCodes.size()], press, press + kButtonHoldMs);
    }
}

}  // namespace ztv::sim
