#include "events/slot_controls.h"

#include <vector>

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

using K = EventKind;

// Row builders, one per sort of control.
EventControlDef shown(std::string_view name, K kind, W widget, P part, TextPair label = kNone, TextPair hint = kNone,
                      const char* label_name = nullptr) {
    EventControlDef d;
    d.name = name;
    d.kind = code(kind);
    d.widget = widget;
    d.part = part;
    d.label = label;
    d.hint = hint;
    d.label_name = label_name;
    return d;
}
EventControlDef choice(std::string_view name, K kind, EC id, TextPair label = kNone, const char* label_name = nullptr) {
    EventControlDef d = shown(name, kind, W::List, P::Choice, label, kNone, label_name);
    d.id = static_cast<std::uint8_t>(id);
    d.codec = ValueCodec::Position;
    d.items = event_choice(id).items();
    return d;
}
EventControlDef number(std::string_view name, K kind, EN id, TextPair label = kNone, TextPair unit = kNone,
                       const char* label_name = nullptr, const char* unit_name = nullptr) {
    EventControlDef d = shown(name, kind, W::Edit, P::Number, label, kNone, label_name);
    const EventNumberDef& field = event_number(id);
    d.id = static_cast<std::uint8_t>(id);
    d.codec = ValueCodec::Number;
    d.min = field.min;
    d.max = field.max;
    d.bytes = field.width;
    d.unit = unit;
    d.unit_name = unit_name;
    return d;
}
EventControlDef text(std::string_view name, K kind) {
    EventControlDef d = shown(name, kind, W::Edit, P::Text, slot_texts::kValue);
    d.codec = ValueCodec::Text;
    d.bytes = kEventTextSize;
    return d;
}
// The two-entry list "<", ">" drawn as a toggle button that shows the entry.
EventControlDef comparison(std::string_view name, K kind, EC id) {
    EventControlDef d = shown(name, kind, W::Button, P::Comparison);
    d.id = static_cast<std::uint8_t>(id);
    return d;
}

std::vector<EventControlDef> make_controls() {
    return {
        shown("PanelKeyx", K::Button, W::Label, P::Key, {"Кнопка", "Button"}, slot_texts::kKeyTargetHint, "PanelKeyText"),
        shown("PanelKeyModx", K::Button, W::Label, P::Mod, {"Мод", "Mod"}, slot_texts::kModTargetHint, "PanelKeyModText"),
        shown("PanelEventIRx", K::IrCode, W::Button, P::IrCode, kNone, slot_texts::kIrEventHint),
        choice("ComboBoxEventRegion", K::Area, EC::Area),
        choice("ComboBoxEventTimeoutFromx", K::Timeout, EC::TimeoutStart, {"Отсчёт от", "Count from"},
               "PanelEventTimeoutFrom"),
        number("EditEventTimeout", K::Timeout, EN::TimeoutTime, {"через", "after"}, kMs, nullptr, "PanelEventTimeout"),
        choice("ComboBoxEventIBUSx", K::BmwIbus, EC::Ibus),
        choice("ComboBoxEventIntercept", K::Intercept, EC::Intercept),
        choice("ComboBoxEventVoltageInput", K::Voltage, EC::VoltageInput, {"Вход", "Input"}, "Panel16"),
        comparison("SpeedButtonEventVoltageComparex", K::Voltage, EC::VoltageComparison),
        number("EditEventVoltageValue", K::Voltage, EN::VoltageThreshold),
        number("EditEventVoltageDuration", K::Voltage, EN::VoltageDuration, kMinDurationMs, kNone, "Panel17"),
        choice("ComboBoxEventUSB", K::Usb, EC::UsbState),
        choice("ComboBoxEventIEBUSx", K::Iebus, EC::Iebus),
        choice("ComboBoxEventNAVIMUTE", K::Navi, EC::NaviMute),
        choice("ComboBoxEventGestureFrom", K::Gestures, EC::GestureStart, {"Начало", "Start"}, "PanelEventGestureFrom"),
        choice("ComboBoxEventGestureTo", K::Gestures, EC::GestureEnd, {"Конец", "End"}, "PanelEventGestureTo"),
        choice("ComboBoxEventIDRIVEx", K::IDrive, EC::IDrive),
        choice("ComboBoxEventGANETx", K::GaNet, EC::GaNet),
        choice("ComboBoxEventMJOYx", K::MercedesJoy, EC::MercedesJoy),
        text("EditEventSerial", K::Serial),
        shown("PanelEventSerialNamex", K::Serial, W::Label, P::TextOrigin),
        choice("ComboBoxEventPinPin", K::Pins, EC::PinInput, {"Вывод", "Pin"}, "Panel11"),
        choice("ComboBoxEventPinState", K::Pins, EC::PinLevel),
        number("EditEventPinDuration", K::Pins, EN::PinDuration, kMinDurationMs, kNone, "Panel13"),
        choice("ComboBoxEventMDXJOYx", K::MdxJoy, EC::MdxJoy),
        choice("ComboBoxEventLINx", K::Lin, EC::Lin),
        choice("ComboBoxEventBT", K::Bluetooth, EC::BluetoothState),
        text("EditEventUART", K::Uart),
        shown("PanelEventUARTNamex", K::Uart, W::Label, P::TextOrigin),
        choice("ComboBoxEventMMIx", K::AudiMmi, EC::AudiMmi),
        choice("ComboBoxEventRJOYx", K::RenaultJoy, EC::RenaultJoy),
        choice("ComboBoxEventHKx", K::HondaKeys, EC::HondaKeys),
        choice("ComboBoxEventSWVWx", K::SwCan, EC::SwCan),
        choice("ComboBoxEventMCTRLx", K::MercedesCtrl, EC::MercedesCtrl),
        choice("ComboBoxEventPKx", K::PorsheKeys, EC::PorsheKeys),
    };
}

const std::vector<EventControlDef>& controls() {
    static const std::vector<EventControlDef> table = make_controls();
    return table;
}

}  // namespace

std::span<const EventControlDef> event_control_defs() { return controls(); }

const EventControlDef* find_event_control(std::string_view name) {
    for (const EventControlDef& def : controls())
        if (def.name == name) return &def;
    return nullptr;
}

const EventControlDef* event_control_for(std::uint8_t kind, EventPart part, std::uint8_t id) {
    for (const EventControlDef& def : controls())
        if (def.kind == kind && def.part == part && def.id == id) return &def;
    return nullptr;
}

}  // namespace ztv
