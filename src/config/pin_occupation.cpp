#include "config/pin_occupation.h"

namespace ztv {
namespace {

using P = Pin;

constexpr Pin kTouchPins[] = {P::X2_2, P::X2_3, P::X2_4, P::X2_5, P::X2_6};
constexpr Pin kIrPins[] = {P::X2_2, P::X2_3, P::X2_4, P::X2_5, P::X2_6, P::X4_2,
                           P::X4_3, P::X6_2, P::X6_3, P::X6_5, P::X6_6};
constexpr Pin kPairX2Low[] = {P::X2_2, P::X2_3};
constexpr Pin kPairX2High[] = {P::X2_4, P::X2_5};
constexpr Pin kPairX4[] = {P::X4_2, P::X4_3};
constexpr Pin kPairX6Low[] = {P::X6_2, P::X6_3};
constexpr Pin kPairX6High[] = {P::X6_5, P::X6_6};
constexpr Pin kOnlyX4_2[] = {P::X4_2};
constexpr Pin kOnlyX6_2[] = {P::X6_2};

struct OccupantDef {
    FieldId field;
    TextPair name;
};

// Indexed by Occupant; also the order of the pass.
constexpr OccupantDef kOccupants[kOccupantCount] = {
    {FieldId::TOUCH_MODE, {"Тачпанель", "Touchpanel"}},
    {FieldId::IRINP_NUM, {"ИК-вход", "IR input"}},
    {FieldId::ENC0MODE, {"Энкодер 1", "Encoder 1"}},
    {FieldId::ENC1MODE, {"Энкодер 2", "Encoder 2"}},
    {FieldId::GPS_NUM, {"UART GPS", "UART GPS"}},
    {FieldId::HEAD_NUM, {"HEAD UNIT", "HEAD UNIT"}},
    {FieldId::CAP2RES_NUM, {"CAP2RES", "CAP2RES"}},
    {FieldId::BT_NUM, {"Bluetooth", "Bluetooth"}},
    {FieldId::UARTPARAM_NUM, {"UART", "UART"}},
    {FieldId::GAZERUARTPARAM_NUM, {"GAZER", "GAZER"}},
    {FieldId::CARDSP_RUX_PARAM_NUM, {"CarDSP", "CarDSP"}},
};

std::span<const Pin> encoder_pins(unsigned mode) {
    switch (mode) {
        case 1: return kPairX2Low;
        case 2: return kPairX2High;
        case 5: return kPairX4;
        case 6: return kPairX6Low;
        case 7: return kPairX6High;
        default: return {};  // 3 and 4 are X3 pins, which no one else can take
    }
}

}  // namespace

FieldId occupant_field(Occupant occupant) { return kOccupants[static_cast<std::size_t>(occupant)].field; }

TextPair occupant_name(Occupant occupant) { return kOccupants[static_cast<std::size_t>(occupant)].name; }

std::optional<Occupant> occupant_of(FieldId field) {
    for (std::size_t i = 0; i < kOccupantCount; ++i)
        if (kOccupants[i].field == field) return static_cast<Occupant>(i);
    return std::nullopt;
}

std::span<const Pin> occupied_pins(Occupant occupant, unsigned value) {
    switch (occupant) {
        case Occupant::Touchpanel:
            // Mode 4 intercepts the panel per source through the controller and holds no pin.
            return value >= 1 && value <= 3 ? std::span<const Pin>(kTouchPins) : std::span<const Pin>();
        case Occupant::IrInput:
            return value >= 1 && value <= 11 ? std::span<const Pin>(kIrPins).subspan(value - 1, 1)
                                             : std::span<const Pin>();
        case Occupant::Encoder1:
        case Occupant::Encoder2:
            return encoder_pins(value);
        case Occupant::Gazer:
            if (value == 1) return kOnlyX4_2;
            if (value == 2) return kOnlyX6_2;
            return {};
        default:  // the UART modules take a pin pair
            if (value == 1) return kPairX4;
            if (value == 2) return kPairX6Low;
            return {};
    }
}

PinOccupation occupy(const Record& record, std::optional<Occupant> ignore) {
    PinOccupation result;
    for (Pin pin : kAllPins) {
        PinListState& state = result.pins[pin_index(pin)];
        state.first_item = pin_mode_choices(pin)[0];
        state.selected = pin_mode(record, pin);
    }
    for (std::size_t i = 0; i < kOccupantCount; ++i) {
        const auto occupant = static_cast<Occupant>(i);
        if (occupant == ignore) continue;
        for (Pin pin : occupied_pins(occupant, get_field(record, kOccupants[i].field))) {
            PinListState& state = result.pins[pin_index(pin)];
            state.enabled = false;
            state.occupant = occupant;
            state.first_item = kOccupants[i].name;
            state.selected = 0;
        }
    }
    for (Pin pin : kAllPins)
        if (result.held(pin) && pin_mode(record, pin) != 0) result.resets.push_back(pin);
    return result;
}

PinOccupation run_occupation_pass(Record& record) {
    PinOccupation result = occupy(record);
    for (Pin pin : result.resets) set_pin_mode(record, pin, 0);
    return result;
}

}  // namespace ztv
