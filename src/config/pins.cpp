#include "config/pins.h"

#include "config/field_table.h"

namespace ztv {
namespace {

#define SAME(text) TextPair{text, text}

constexpr TextPair kGeneralPinModes[] = {kPinForItsPurpose,
                                         {"Открытый сток, Z", "Open drain, Z"},
                                         {"Открытый сток, 0В", "Open drain, 0V"},
                                         {"Акт. выход, +3.3В", "Act. output, +3.3V"},
                                         {"Акт. выход, 0В", "Act. output, 0V"},
                                         {"Вход без подтяжки", "Input float"},
                                         {"Вход с подтяжкой к 0", "Input pull down"},
                                         {"Вход с подтяжкой к +", "Input pull up"}};
constexpr TextPair kPowerPinModes[] = {{"Нет питания", "No power"},
                                       {"Выход питания +5В до 1А", "Power output +5V to 1A"}};
constexpr TextPair kOpenCollectorModes[] = {{"Открытый коллектор, Z", "Open collector, Z"},
                                            {"Открытый коллектор, 0В", "Open collector, 0V"}};

constexpr TextPair kGeneralPinHint{"Тип вывода и состояние при включении питания",
                                   "Pin type and default state on power up"};
constexpr TextPair kX5PinHint{"Состояние при включении питания", "Default state on power up"};

// X2/2 ... X4/3 are the first seven pins and X6/2 ... X6/6 the last four, in every list.
constexpr Pin kLowRun[] = {Pin::X2_2, Pin::X2_3, Pin::X2_4, Pin::X2_5, Pin::X2_6, Pin::X4_2, Pin::X4_3};
constexpr Pin kHighRun[] = {Pin::X6_2, Pin::X6_3, Pin::X6_5, Pin::X6_6};

}  // namespace

const char* pin_name(Pin pin) { return pin_mode_names()[pin_index(pin)]; }

bool is_general_pin(Pin pin) { return pin != Pin::X5_6 && pin != Pin::X5_7 && pin != Pin::X5_8; }

std::uint8_t pin_mode(const Record& record, Pin pin) { return record.u8(pin_mode_offset(pin)); }

void set_pin_mode(Record& record, Pin pin, std::uint8_t mode) { record.set_u8(pin_mode_offset(pin), mode); }

std::span<const TextPair> pin_mode_choices(Pin pin) {
    if (pin == Pin::X5_6) return kPowerPinModes;
    if (pin == Pin::X5_7 || pin == Pin::X5_8) return kOpenCollectorModes;
    return kGeneralPinModes;
}

TextPair pin_mode_hint(Pin pin) { return is_general_pin(pin) ? kGeneralPinHint : kX5PinHint; }

std::optional<Pin> ir_input_pin(unsigned value) {
    if (value >= 1 && value <= 7) return kLowRun[value - 1];
    if (value >= 8 && value <= 11) return kHighRun[value - 8];
    return std::nullopt;
}

std::optional<Pin> pulse_list_pin(unsigned value) {
    if (value >= 1 && value <= 7) return kLowRun[value - 1];
    if (value == 8) return Pin::X5_7;
    if (value == 9) return Pin::X5_8;
    if (value >= 10 && value <= 13) return kHighRun[value - 10];
    return std::nullopt;
}

std::optional<Pin> output_list_pin(unsigned value) {
    if (value >= 2 && value <= 8) return kLowRun[value - 2];
    if (value == 9) return Pin::X5_6;
    if (value == 10) return Pin::X5_7;
    if (value == 11) return Pin::X5_8;
    if (value >= 12 && value <= 15) return kHighRun[value - 12];
    return std::nullopt;
}

}  // namespace ztv
