#include "events/slot_controls.h"

#include <algorithm>

#include "events/slot_editor_texts.h"

namespace ztv {
namespace {

using W = ControlKind;
using P = EventPart;
using EC = EventChoice;
using EN = EventNumber;

constexpr TextPair kNone{};
constexpr TextPair kMs = slot_texts::kMilliseconds;
constexpr TextPair kMinDurationMs{"Мин. длит., мс", "Min. durat., mSec"};

constexpr std::uint8_t code(EventKind kind) { return static_cast<std::uint8_t>(kind); }
constexpr std::uint8_t id(EC choice) { return static_cast<std::uint8_t>(choice); }
constexpr std::uint8_t id(EN number) { return static_cast<std::uint8_t>(number); }

using K = EventKind;

constexpr EventControlDef kEventControls[] = {
    {"PanelKeyx", code(K::Button), W::Label, P::Key, 0, {"Кнопка", "Button"}, kNone, slot_texts::kKeyTargetHint,
     "PanelKeyText", nullptr},
    {"PanelKeyModx", code(K::Button), W::Label, P::Mod, 0, {"Мод", "Mod"}, kNone, slot_texts::kModTargetHint,
     "PanelKeyModText", nullptr},
    {"PanelEventIRx", code(K::IrCode), W::Button, P::IrCode, 0, kNone, kNone, slot_texts::kIrEventHint},
    {"ComboBoxEventRegion", code(K::Area), W::List, P::Choice, id(EC::Area), kNone, kNone, kNone},
    {"ComboBoxEventTimeoutFromx", code(K::Timeout), W::List, P::Choice, id(EC::TimeoutStart),
     {"Отсчёт от", "Count from"}, kNone, kNone, "PanelEventTimeoutFrom", nullptr},
    {"EditEventTimeout", code(K::Timeout), W::Edit, P::Number, id(EN::TimeoutTime), {"через", "after"}, kMs, kNone,
     nullptr, "PanelEventTimeout"},
    {"ComboBoxEventIBUSx", code(K::BmwIbus), W::List, P::Choice, id(EC::Ibus), kNone, kNone, kNone},
    {"ComboBoxEventIntercept", code(K::Intercept), W::List, P::Choice, id(EC::Intercept), kNone, kNone, kNone},
    {"ComboBoxEventVoltageInput", code(K::Voltage), W::List, P::Choice, id(EC::VoltageInput), {"Вход", "Input"}, kNone,
     kNone, "Panel16", nullptr},
    {"SpeedButtonEventVoltageComparex", code(K::Voltage), W::Button, P::Comparison, id(EC::VoltageComparison), kNone,
     kNone, kNone},
    {"EditEventVoltageValue", code(K::Voltage), W::Edit, P::Number, id(EN::VoltageThreshold), kNone, kNone, kNone},
    {"EditEventVoltageDuration", code(K::Voltage), W::Edit, P::Number, id(EN::VoltageDuration), kMinDurationMs, kNone,
     kNone, "Panel17", nullptr},
    {"ComboBoxEventUSB", code(K::Usb), W::List, P::Choice, id(EC::UsbState), kNone, kNone, kNone},
    {"ComboBoxEventIEBUSx", code(K::Iebus), W::List, P::Choice, id(EC::Iebus), kNone, kNone, kNone},
    {"ComboBoxEventNAVIMUTE", code(K::Navi), W::List, P::Choice, id(EC::NaviMute), kNone, kNone, kNone},
    {"ComboBoxEventGestureFrom", code(K::Gestures), W::List, P::Choice, id(EC::GestureStart), {"Начало", "Start"},
     kNone, kNone, "PanelEventGestureFrom", nullptr},
    {"ComboBoxEventGestureTo", code(K::Gestures), W::List, P::Choice, id(EC::GestureEnd), {"Конец", "End"}, kNone,
     kNone, "PanelEventGestureTo", nullptr},
    {"ComboBoxEventIDRIVEx", code(K::IDrive), W::List, P::Choice, id(EC::IDrive), kNone, kNone, kNone},
    {"ComboBoxEventGANETx", code(K::GaNet), W::List, P::Choice, id(EC::GaNet), kNone, kNone, kNone},
    {"ComboBoxEventMJOYx", code(K::MercedesJoy), W::List, P::Choice, id(EC::MercedesJoy), kNone, kNone, kNone},
    {"EditEventSerial", code(K::Serial), W::Edit, P::Text, 0, slot_texts::kValue, kNone, kNone},
    {"PanelEventSerialNamex", code(K::Serial), W::Label, P::TextOrigin, 0, kNone, kNone, kNone},
    {"ComboBoxEventPinPin", code(K::Pins), W::List, P::Choice, id(EC::PinInput), {"Вывод", "Pin"}, kNone, kNone,
     "Panel11", nullptr},
    {"ComboBoxEventPinState", code(K::Pins), W::List, P::Choice, id(EC::PinLevel), kNone, kNone, kNone},
    {"EditEventPinDuration", code(K::Pins), W::Edit, P::Number, id(EN::PinDuration), kMinDurationMs, kNone, kNone,
     "Panel13", nullptr},
    {"ComboBoxEventMDXJOYx", code(K::MdxJoy), W::List, P::Choice, id(EC::MdxJoy), kNone, kNone, kNone},
    {"ComboBoxEventLINx", code(K::Lin), W::List, P::Choice, id(EC::Lin), kNone, kNone, kNone},
    {"ComboBoxEventBT", code(K::Bluetooth), W::List, P::Choice, id(EC::BluetoothState), kNone, kNone, kNone},
    {"EditEventUART", code(K::Uart), W::Edit, P::Text, 0, slot_texts::kValue, kNone, kNone},
    {"PanelEventUARTNamex", code(K::Uart), W::Label, P::TextOrigin, 0, kNone, kNone, kNone},
    {"ComboBoxEventMMIx", code(K::AudiMmi), W::List, P::Choice, id(EC::AudiMmi), kNone, kNone, kNone},
    {"ComboBoxEventRJOYx", code(K::RenaultJoy), W::List, P::Choice, id(EC::RenaultJoy), kNone, kNone, kNone},
    {"ComboBoxEventHKx", code(K::HondaKeys), W::List, P::Choice, id(EC::HondaKeys), kNone, kNone, kNone},
    {"ComboBoxEventSWVWx", code(K::SwCan), W::List, P::Choice, id(EC::SwCan), kNone, kNone, kNone},
    {"ComboBoxEventMCTRLx", code(K::MercedesCtrl), W::List, P::Choice, id(EC::MercedesCtrl), kNone, kNone, kNone},
    {"ComboBoxEventPKx", code(K::PorsheKeys), W::List, P::Choice, id(EC::PorsheKeys), kNone, kNone, kNone},
};

}  // namespace

std::span<const EventControlDef> event_control_defs() { return kEventControls; }

const EventControlDef* find_event_control(std::string_view name) {
    for (const EventControlDef& def : kEventControls)
        if (def.name == name) return &def;
    return nullptr;
}

const EventControlDef* event_control_for(std::uint8_t kind, EventPart part, std::uint8_t id) {
    for (const EventControlDef& def : kEventControls)
        if (def.kind == kind && def.part == part && def.id == id) return &def;
    return nullptr;
}

}  // namespace ztv
