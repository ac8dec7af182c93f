#include "events/event_catalogue.h"

#include <array>
#include <string>

#include "common/format.h"
#include "events/bus_event_lists.h"
#include "events/slot_editor_texts.h"

namespace ztv {
namespace {

#define SAME(text) TextPair{text, text}

// Byte-2 entries that are single happenings or steps, per kind.
constexpr std::uint8_t kIDriveSteps[] = {13, 14, 15, 16, 17, 18, 19, 20, 23, 24, 25, 26};
constexpr std::uint8_t kWheelSteps[] = {1, 2};  // MDX JOY wheel, Porsche encoder
constexpr std::uint8_t kLinSteps[] = {21, 22, 23, 24, 37, 38, 53, 54, 86, 87, 89, 90};
constexpr std::uint8_t kMmiVolume[] = {15, 16, 17, 18};
constexpr std::uint8_t kMercedesCtrlSteps[] = {7, 8, 9, 10, 11, 23, 24, 31, 32};

using T = TriggerOffer;
using O = OnceRule;
using E = EntryTrigger;

constexpr EventKindDef kKinds[kEventKindCount] = {
    {{"Кнопка", "Button"}, T::All, O::Free, true, true, {}, E::None},
    {{"ИК код", "IR code"}, T::All, O::Free, true, true, {}, E::None},
    {{"Источник", "Source"}, T::DisabledOrAny, O::ForcedOff, false, true, {}, E::None},
    {{"Область", "Area"}, T::All, O::Free, true, true, {}, E::None},
    {{"Таймаут", "Timeout"}, T::DisabledOrAny, O::ForcedOn, true, true, {}, E::None},
    {SAME("BMW IBUS"), T::DisabledOrAny, O::ForcedOn, false, true, {}, E::None},
    {{"Перехват", "Intercept"}, T::DisabledOrAny, O::ForcedOn, false, true, {}, E::None},
    {{"Напряжение", "Voltage"}, T::DisabledOrAny, O::ForcedOn, true, true, {}, E::None},
    {SAME("USB"), T::DisabledOrAny, O::ForcedOn, false, false, {}, E::None},
    {SAME("IEBUS"), T::DisabledOrAny, O::ForcedOn, false, true, {}, E::None},
    {SAME("NAVI"), T::DisabledOrAny, O::ForcedOn, false, false, {}, E::None},
    {{"Жесты", "Gestures"}, T::DisabledOrAny, O::ForcedOn, false, true, {}, E::None},
    {SAME("iDrive"), T::All, O::OnForEntriesOrShort, false, true, kIDriveSteps, E::DisabledOrAny},
    {SAME("GaNet"), T::DisabledOrAny, O::ForcedOn, false, true, {}, E::None},
    {SAME("MercedesJOY"), T::DisabledOrAny, O::ForcedOn, false, true, {}, E::None},
    {SAME("Serial"), T::DisabledOrAny, O::ForcedOn, false, true, {}, E::None},
    {{"Выводы", "Pins"}, T::DisabledOrAny, O::ForcedOn, true, true, {}, E::None},
    {SAME("MDX JOY"), T::All, O::OnForEntriesOrShort, false, true, kWheelSteps, E::None},
    {SAME("LIN"), T::All, O::OnForEntriesOrShort, false, true, kLinSteps, E::None},
    {SAME("Bluetooth"), T::DisabledOrAny, O::ForcedOn, false, false, {}, E::None},
    {SAME("UART"), T::DisabledOrAny, O::ForcedOn, false, true, {}, E::None},
    {SAME("AUDI MMI"), T::All, O::OnForEntries, false, true, kMmiVolume, E::BecomesShort},
    {{"Джойстик Renault CAN", "Renault CAN Joy"}, T::All, O::ForcedOn, false, true, {}, E::None},
    {SAME("HONDA Keys"), T::All, O::Free, false, true, {}, E::None},
    {SAME("SW CAN"), T::DisabledOrAny, O::ForcedOn, false, false, {}, E::None},
    {{"Контроллер Mercedes", "Mercedes Ctrl"}, T::All, O::OnForEntriesOrShort, false, true, kMercedesCtrlSteps,
     E::DisabledOrAny},
    {SAME("Porshe Keys"), T::All, O::OnForEntriesOrShort, false, true, kWheelSteps, E::None},
};

constexpr TextPair kTriggerTypes[kTriggerTypeCount] = {
    {"Отключено", "Disabled"}, {"Короткое", "Short"}, {"Длинное", "Long"}, {"Любое", "Any"}};

// The nine areas, top row to bottom row, each from left to right.
#define AREAS                                                                                               \
    {"Левый верхний угол", "Top left corner"}, {"Сверху по центру", "The top of the center"},                \
        {"Правый верхний угол", "Top right corner"}, {"Слева по центру", "Left of center"},                  \
        {"Центр экрана", "Screen center"}, {"Справа по центру", "Screen right"},                             \
        {"Левый нижний угол", "Bottom left corner"}, {"Снизу по центру", "Bottom of center"},                \
        {"Правый нижний угол", "Bottom right corner"}

constexpr TextPair kAreas[] = {AREAS};
constexpr TextPair kGestureEnds[] = {{"При касании", "On touch"},
                                     {"При движении вверх", "On move top"},
                                     {"При движении вправо", "On move right"},
                                     {"При движении вниз", "On move bottom"},
                                     {"При движении влево", "On move left"},
                                     AREAS};
#undef AREAS

constexpr TextPair kActivation[] = {{"При активации", "When activate"}, {"При деактивации", "When deactivate"}};
constexpr TextPair kNaviMute[] = {{"При включении MUTE", "When MUTE activate"},
                                  {"При выключении MUTE", "When MUTE deactivate"}};
constexpr TextPair kVoltageInputs[] = {SAME("ACC - X5/1"), SAME("BAT - X5/2"), SAME("VIN1 - X5/9"),
                                       SAME("VIN2 - X5/10"), SAME("VTEMP"), SAME("GAZER Dist")};
constexpr TextPair kComparison[] = {SAME("<"), SAME(">")};
constexpr TextPair kPinInputs[] = {{"Отключено", "Disabled"}, SAME("X2/2"), SAME("X2/3"), SAME("X2/4"),
                                   SAME("X2/5"), SAME("X2/6"), SAME("X4/2"), SAME("X4/3"), SAME("X6/2"),
                                   SAME("X6/3"), SAME("X6/5"), SAME("X6/6"), SAME("IERX"), SAME("X5/6"),
                                   SAME("X5/7"), SAME("X5/8"), SAME("X5/9"), SAME("X5/10"), SAME("LIN")};
constexpr TextPair kPinLevels[] = {{"лог. 0", "log. 0"}, {"лог. 1", "log. 1"}};

#undef SAME

constexpr unsigned kTimeoutSlots = 80;

// "On power up" and one entry per slot whose reaction can start the time-out. Built once on
// first use and never changed afterwards.
struct TimeoutStartList {
    std::array<std::string, 2 * kTimeoutSlots> storage;
    std::array<TextPair, kTimeoutSlots + 1> items{};

    TimeoutStartList() {
        items[0] = {"При включении питания", "On power up"};
        for (unsigned n = 1; n <= kTimeoutSlots; ++n) {
            const Text text = format_pair({"После реакции %u", "On response %u"}, n);
            storage[2 * (n - 1)] = text.ru;
            storage[2 * (n - 1) + 1] = text.en;
            items[n] = {storage[2 * (n - 1)].c_str(), storage[2 * (n - 1) + 1].c_str()};
        }
    }
};

using K = EventKind;
using C = EventChoice;
constexpr std::uint8_t code(K kind) { return static_cast<std::uint8_t>(kind); }

constexpr EventChoiceDef kChoices[] = {
    {C::Area, code(K::Area), 2, event_lists::areas},
    {C::TimeoutStart, code(K::Timeout), 2, event_lists::timeout_starts},
    {C::Ibus, code(K::BmwIbus), 2, bus_events::ibus},
    {C::Intercept, code(K::Intercept), 2, event_lists::activation},
    {C::VoltageInput, code(K::Voltage), 2, event_lists::voltage_inputs},
    {C::VoltageComparison, code(K::Voltage), 3, event_lists::comparison},
    {C::UsbState, code(K::Usb), 2, event_lists::activation},
    {C::Iebus, code(K::Iebus), 2, bus_events::iebus},
    {C::NaviMute, code(K::Navi), 2, event_lists::navi_mute},
    {C::GestureStart, code(K::Gestures), 2, event_lists::areas},
    {C::GestureEnd, code(K::Gestures), 3, event_lists::gesture_ends},
    {C::IDrive, code(K::IDrive), 2, bus_events::idrive},
    {C::GaNet, code(K::GaNet), 2, bus_events::ganet},
    {C::MercedesJoy, code(K::MercedesJoy), 2, bus_events::mercedes_joy},
    {C::PinInput, code(K::Pins), 2, event_lists::pin_inputs},
    {C::PinLevel, code(K::Pins), 3, event_lists::pin_levels},
    {C::MdxJoy, code(K::MdxJoy), 2, bus_events::mdx_joy},
    {C::Lin, code(K::Lin), 2, bus_events::lin},
    {C::BluetoothState, code(K::Bluetooth), 2, event_lists::activation},
    {C::AudiMmi, code(K::AudiMmi), 2, bus_events::audi_mmi},
    {C::RenaultJoy, code(K::RenaultJoy), 2, bus_events::renault_joy},
    {C::HondaKeys, code(K::HondaKeys), 2, bus_events::honda_keys},
    {C::SwCan, code(K::SwCan), 2, bus_events::sw_can},
    {C::MercedesCtrl, code(K::MercedesCtrl), 2, bus_events::mercedes_ctrl},
    {C::PorsheKeys, code(K::PorsheKeys), 2, bus_events::porshe_keys},
};

constexpr std::uint32_t kLongestMs = 1000000000;

constexpr EventNumberDef kNumbers[] = {
    {EventNumber::TimeoutTime, code(K::Timeout), 3, 4, 0, kLongestMs},
    {EventNumber::VoltageThreshold, code(K::Voltage), 4, 2, 0, 18000},
    {EventNumber::VoltageDuration, code(K::Voltage), 6, 4, 0, kLongestMs},
    {EventNumber::PinDuration, code(K::Pins), 4, 4, 0, kLongestMs},
};

// The choice and number tables are looked up by id, so each row must sit at its id's position.
template <typename Def, std::size_t N, typename Id>
constexpr bool rows_in_id_order(const Def (&rows)[N], Id last) {
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(rows[i].id) != i) return false;
    return static_cast<std::size_t>(last) + 1 == N;
}
static_assert(rows_in_id_order(kChoices, EventChoice::PorsheKeys));
static_assert(rows_in_id_order(kNumbers, EventNumber::PinDuration));

}  // namespace

std::span<const EventKindDef> event_kinds() { return kKinds; }
const EventKindDef& event_kind(std::uint8_t kind_code) { return kKinds[kind_code < kEventKindCount ? kind_code : 0]; }

const char* event_kind_sheet(EventKind kind) {
    switch (kind) {
        case K::Button: return "TabSheetEventKey";
        case K::IrCode: return "TabSheetEventIR";
        case K::Source: return "TabSheetEventSRC";
        case K::Area: return "TabSheetEventRegion";
        case K::Timeout: return "TabSheetEventTimeout";
        case K::Intercept: return "TabSheetEventIntercept";
        case K::Voltage: return "TabSheetEventVoltage";
        case K::Gestures: return "TabSheetEventGesture";
        case K::IDrive: return "TabSheetEventiDRIVE";
        case K::Pins: return "TabSheetEventPin";
        case K::Bluetooth: return "TabSheetBT";
        case K::AudiMmi: return "TabSheetEventAUDIMMI";
        case K::RenaultJoy: return "TabSheetEventRenaultCANJoy";
        case K::MercedesCtrl: return "TabSheetEventMCONTROL";
        default: return nullptr;
    }
}

std::span<const TextPair> trigger_type_names() { return kTriggerTypes; }

std::span<const EventChoiceDef> event_choices() { return kChoices; }
const EventChoiceDef& event_choice(EventChoice id) { return kChoices[static_cast<std::size_t>(id)]; }
std::span<const EventNumberDef> event_numbers() { return kNumbers; }
const EventNumberDef& event_number(EventNumber id) { return kNumbers[static_cast<std::size_t>(id)]; }

namespace event_lists {
std::span<const TextPair> areas() { return kAreas; }
std::span<const TextPair> gesture_ends() { return kGestureEnds; }
std::span<const TextPair> timeout_starts() {
    static const TimeoutStartList list;
    return list.items;
}
std::span<const TextPair> activation() { return kActivation; }
std::span<const TextPair> navi_mute() { return kNaviMute; }
std::span<const TextPair> voltage_inputs() { return kVoltageInputs; }
std::span<const TextPair> comparison() { return kComparison; }
std::span<const TextPair> pin_inputs() { return kPinInputs; }
std::span<const TextPair> pin_levels() { return kPinLevels; }
}  // namespace event_lists

namespace event_texts {
TextPair millivolts() { return {"мВ", "mV"}; }
TextPair centimetres() { return {"см", "cm"}; }
TextPair milliseconds() { return slot_texts::kMilliseconds; }
TextPair get_the_code() { return {"Получить код", "Get the code"}; }
TextPair from_uart() { return {"Из UART", "From UART"}; }
TextPair from_bluetooth() { return {"Из bluetooth", "From bluetooth"}; }
TextPair from_usb() { return {"Из USB", "From USB"}; }
}  // namespace event_texts


}  // namespace ztv
