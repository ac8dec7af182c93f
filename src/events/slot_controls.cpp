#include "events/slot_controls.h"

#include <algorithm>

#include "events/slot_editor_texts.h"

namespace ztv {
namespace {

using W = ControlKind;
using P = EventPart;
using EC = EventChoice;
using EN = EventNumber;
using C = ReactionControl;

constexpr TextPair kNone{};
constexpr TextPair kMs{"мс", "mSec"};
constexpr TextPair kMinDurationMs{"Мин. длит., мс", "Min. durat., mSec"};
constexpr TextPair kMinDuration{"Мин. длит.", "Min. durat."};
constexpr TextPair kSaveBefore{"Сохранить перед изменением", "Save before changing"};
constexpr TextPair kValue{"Значение", "Value"};
constexpr TextPair kAutorepeat{"Автоповтор", "Autoreplay"};
constexpr TextPair kHexCode{"Код, HEX 2 байта", "Code, HEX 2 bytes"};

constexpr std::uint8_t code(EventKind kind) { return static_cast<std::uint8_t>(kind); }
constexpr std::uint8_t id(EC choice) { return static_cast<std::uint8_t>(choice); }
constexpr std::uint8_t id(EN number) { return static_cast<std::uint8_t>(number); }

using K = EventKind;

constexpr EventControlDef kEventControls[] = {
    {"PanelKeyx", code(K::Button), W::Label, P::Key, 0, {"Кнопка", "Button"}, kNone, slot_texts::kKeyTargetHint},
    {"PanelKeyModx", code(K::Button), W::Label, P::Mod, 0, {"Мод", "Mod"}, kNone, slot_texts::kModTargetHint},
    {"PanelEventIRx", code(K::IrCode), W::Button, P::IrCode, 0, kNone, kNone, slot_texts::kIrEventHint},
    {"ComboBoxEventRegion", code(K::Area), W::List, P::Choice, id(EC::Area), kNone, kNone, kNone},
    {"ComboBoxEventTimeoutFromx", code(K::Timeout), W::List, P::Choice, id(EC::TimeoutStart), {"Отсчёт от", "Count from"},
     kNone, kNone},
    {"EditEventTimeout", code(K::Timeout), W::Edit, P::Number, id(EN::TimeoutTime), {"через", "after"}, kMs, kNone},
    {"ComboBoxEventIBUSx", code(K::BmwIbus), W::List, P::Choice, id(EC::Ibus), kNone, kNone, kNone},
    {"ComboBoxEventIntercept", code(K::Intercept), W::List, P::Choice, id(EC::Intercept), kNone, kNone, kNone},
    {"ComboBoxEventVoltageInput", code(K::Voltage), W::List, P::Choice, id(EC::VoltageInput), {"Вход", "Input"}, kNone,
     kNone},
    {"SpeedButtonEventVoltageComparex", code(K::Voltage), W::Button, P::Comparison, id(EC::VoltageComparison), kNone,
     kNone, kNone},
    {"EditEventVoltageValue", code(K::Voltage), W::Edit, P::Number, id(EN::VoltageThreshold), kNone, kNone, kNone},
    {"EditEventVoltageDuration", code(K::Voltage), W::Edit, P::Number, id(EN::VoltageDuration), kMinDurationMs, kNone,
     kNone},
    {"ComboBoxEventUSB", code(K::Usb), W::List, P::Choice, id(EC::UsbState), kNone, kNone, kNone},
    {"ComboBoxEventIEBUSx", code(K::Iebus), W::List, P::Choice, id(EC::Iebus), kNone, kNone, kNone},
    {"ComboBoxEventNAVIMUTE", code(K::Navi), W::List, P::Choice, id(EC::NaviMute), kNone, kNone, kNone},
    {"ComboBoxEventGestureFrom", code(K::Gestures), W::List, P::Choice, id(EC::GestureStart), {"Начало", "Start"},
     kNone, kNone},
    {"ComboBoxEventGestureTo", code(K::Gestures), W::List, P::Choice, id(EC::GestureEnd), {"Конец", "End"}, kNone,
     kNone},
    {"ComboBoxEventIDRIVEx", code(K::IDrive), W::List, P::Choice, id(EC::IDrive), kNone, kNone, kNone},
    {"ComboBoxEventGANETx", code(K::GaNet), W::List, P::Choice, id(EC::GaNet), kNone, kNone, kNone},
    {"ComboBoxEventMJOYx", code(K::MercedesJoy), W::List, P::Choice, id(EC::MercedesJoy), kNone, kNone, kNone},
    {"EditEventSerial", code(K::Serial), W::Edit, P::Text, 0, kValue, kNone, kNone},
    {"PanelEventSerialNamex", code(K::Serial), W::Label, P::TextOrigin, 0, kNone, kNone, kNone},
    {"ComboBoxEventPinPin", code(K::Pins), W::List, P::Choice, id(EC::PinInput), {"Вывод", "Pin"}, kNone, kNone},
    {"ComboBoxEventPinState", code(K::Pins), W::List, P::Choice, id(EC::PinLevel), kNone, kNone, kNone},
    {"EditEventPinDuration", code(K::Pins), W::Edit, P::Number, id(EN::PinDuration), kMinDurationMs, kNone, kNone},
    {"ComboBoxEventMDXJOYx", code(K::MdxJoy), W::List, P::Choice, id(EC::MdxJoy), kNone, kNone, kNone},
    {"ComboBoxEventLINx", code(K::Lin), W::List, P::Choice, id(EC::Lin), kNone, kNone, kNone},
    {"ComboBoxEventBT", code(K::Bluetooth), W::List, P::Choice, id(EC::BluetoothState), kNone, kNone, kNone},
    {"EditEventUART", code(K::Uart), W::Edit, P::Text, 0, kValue, kNone, kNone},
    {"PanelEventUARTNamex", code(K::Uart), W::Label, P::TextOrigin, 0, kNone, kNone, kNone},
    {"ComboBoxEventMMIx", code(K::AudiMmi), W::List, P::Choice, id(EC::AudiMmi), kNone, kNone, kNone},
    {"ComboBoxEventRJOYx", code(K::RenaultJoy), W::List, P::Choice, id(EC::RenaultJoy), kNone, kNone, kNone},
    {"ComboBoxEventHKx", code(K::HondaKeys), W::List, P::Choice, id(EC::HondaKeys), kNone, kNone, kNone},
    {"ComboBoxEventSWVWx", code(K::SwCan), W::List, P::Choice, id(EC::SwCan), kNone, kNone, kNone},
    {"ComboBoxEventMCTRLx", code(K::MercedesCtrl), W::List, P::Choice, id(EC::MercedesCtrl), kNone, kNone, kNone},
    {"ComboBoxEventPKx", code(K::PorsheKeys), W::List, P::Choice, id(EC::PorsheKeys), kNone, kNone, kNone},
};

constexpr ReactionControlDef kReactionControls[] = {
    {"PanelReactionUSBKeyx", C::UsbKeyText, W::Button, kNone, kNone, slot_texts::kReactionPanelHint},
    {"EditReactionUSBKeyDlitmS", C::UsbKeyDuration, W::Edit, kMinDuration, kMs, kNone},
    {"PanelReactionIRx", C::IrCode, W::Button, kNone, kNone, slot_texts::kIrReactionHint},
    {"EditReactionIROUTCNT", C::IrRepeats, W::Edit, {"Мин. повторов", "Min. replays"}, kNone, kNone},
    {"ComboBoxReactionIROUTNUM", C::IrOutput, W::List, {"ИК выход", "IR output"}, kNone,
     {"Вывод ИК кода на указанный вывод разъёма", "Output IR code to the specified connector pin"}},
    {"ComboBoxEventReactionPinNUM", C::PinOutput, W::List, {"Вывод", "Pin"}, kNone, {"Выходной вывод", "Output pin"}},
    {"ComboBoxEventReactionPinMODE", C::PinMode, W::List, {"Режим", "Mode"}, kNone, {"Режим выхода", "Output mode"}},
    {"EditEventReactionPinTO", C::PinDuration, W::Edit, kMinDuration, kMs, kNone},
    {"EditReactionAnalogVOUT1", C::ControlVoltage1, W::Edit, {"Канал 1", "Ch 1"}, {"В", "V"}, kNone},
    {"ComboBoxReactionAnalogVOUT1type", C::ControlAction1, W::List, kNone, kNone, kNone},
    {"CheckBoxReactionAnalogVOUT1save", C::ControlSave1, W::Check, kSaveBefore, kNone, kNone},
    {"EditReactionAnalogVOUT2", C::ControlVoltage2, W::Edit, {"Канал 2", "Ch 2"}, {"В", "V"}, kNone},
    {"ComboBoxReactionAnalogVOUT2type", C::ControlAction2, W::List, kNone, kNone, kNone},
    {"CheckBoxReactionAnalogVOUT2save", C::ControlSave2, W::Check, kSaveBefore, kNone, kNone},
    {"EditReactionAnalogTO", C::ControlDuration, W::Edit, {"Мин. длит./Повтор", "Min. durat./Replay"}, kMs, kNone},
    {"ComboBoxEventReactionSRC", C::SourceSelect, W::List, {"Выбрать", "Select"}, kNone, kNone},
    {"SpeedButtonReactionSRCSkipx", C::SourceSkip, W::Button, kNone, kNone, kNone},
    {"CheckBoxEventReactionSRCSave", C::SourceSave, W::Check, kSaveBefore, kNone, kNone},
    {"EditReactionTouchX", C::TouchX, W::Edit, {"X", "X"}, kNone, kNone},
    {"EditReactionTouchY", C::TouchY, W::Edit, {"Y", "Y"}, kNone, kNone},
    {"EditReactionTouchDlit", C::TouchDuration, W::Edit, {"Длит., мс", "Durat., mSec"}, kNone, kNone},
    {"SpeedButtonReactionTouch", C::TouchCapture, W::Button, kNone, kNone,
     {"Получить точку касания", "Get touch point"}},
    {"ComboBoxReactionEventHandleType", C::EventManageAction, W::List, kNone, kNone, kNone},
    {"ComboBoxReactionEventHandleNumx", C::EventManageTarget, W::List, {"событие", "event"}, kNone, kNone},
    {"TabControlReactionAmplParamx", C::AmplifierParameter, W::List, kNone, kNone, kNone},
    {"ComboBoxReactionAmplActionx", C::AmplifierAction, W::List, kNone, kNone, kNone},
    {"ComboBoxReactionUSBMouseType", C::MouseAction, W::List, kNone, kNone,
     {"Эмулировать действие мыши", "Emulate the action of the mouse"}},
    {"ComboBoxReactionEncoderMODE", C::EncoderConnection, W::List, {"Подключение", "Connection"}, kNone, kNone},
    {"SpinEditReactionEncoderDIR", C::EncoderSteps, W::Spin, {"Шаги", "Steps"}, kNone, kNone},
    {"EditReactionEncoderReplay", C::EncoderRepeat, W::Edit, kAutorepeat, kMs, kNone},
    {"ComboBoxReactionIEBUSx", C::IebusAction, W::List, kNone, kNone, kNone},
    {"ComboBoxReactionIDRIVEx", C::IdriveAction, W::List, kNone, kNone, kNone},
    {"EditReactionIDRIVEParamx", C::IdriveParameter, W::Edit, kNone, kNone, kNone},
    {"ComboBoxReactionIBUSx", C::IbusAction, W::List, kNone, kNone, kNone},
    {"PanelReactionSerialNamex", C::SerialChannel, W::Label, kNone, kNone, kNone},
    {"EditReactionSerial", C::SerialValue, W::Edit, kValue, kNone, kNone},
    {"MemoReactionSerialx", C::SerialPreview, W::Label, kNone, kNone, kNone},
    {"ComboBoxReactionCurMoveDirection", C::CursorDirection, W::List, {"Движение", "Move"}, kNone, kNone},
    {"EditReactionCurMoveNumPoints", C::CursorPoints, W::Edit, {"на", "on"}, {"точек", "points"}, kNone},
    {"CheckBoxReactionCurMovePress", C::CursorPress, W::Check, {"С нажатием", "With press"}, kNone, kNone},
    {"ComboBoxReactionMDXJOY", C::MdxJoyMode, W::List, kNone, kNone, kNone},
    {"EditReactionUART", C::UartValue, W::Edit, kValue, kNone, kNone},
    {"ComboBoxReactionLINx", C::LinAction, W::List, kNone, kNone, kNone},
    {"CheckBoxReactionLINTrigger", C::LinTrigger, W::Check, {"Триггер", "Trigger"}, kNone, kNone},
    {"ComboBoxReactionMMIx", C::MmiMode, W::List, kNone, kNone, kNone},
    {"EditReactionMMIParamx", C::MmiParameter, W::Edit, kNone, kNone, kNone},
    {"ComboBoxReactionCarDSPx", C::DspMode, W::List, kNone, kNone, kNone},
    {"ComboBoxReactionCarDSPParamx", C::DspParameter, W::List, kNone, kNone, kNone},
    {"EditReactionCarDSPReplay", C::DspRepeat, W::Edit, kAutorepeat, kMs, kNone},
    {"ComboBoxReactionPANACEA", C::PanaceaMode, W::List, kNone, kNone, kNone},
    {"EditReactionRESEMULX", C::ResEmulX, W::Edit, {"X", "X"}, kNone, kNone},
    {"EditReactionRESEMULY", C::ResEmulY, W::Edit, {"Y", "Y"}, kNone, kNone},
    {"ComboBoxReactionRJOYx", C::RJoyAction, W::List, kNone, kNone, kNone},
    {"ComboBoxReactionSWVWCarx", C::SwCanCarType, W::List, kNone, kNone, kNone},
    {"ComboBoxReactionSWVWx", C::SwCanButton, W::List, kNone, kNone, kNone},
    {"EditReactionSWVWPARAM", C::SwCanCode, W::Edit, kHexCode, kNone, kNone},
    {"ComboBoxReactionGNNAVIMODE", C::GanetAction, W::List, kNone, kNone, kNone},
    {"EditReactionGNNAVIPARAM", C::GanetCode, W::Edit, kHexCode, kNone, kNone},
    {"ComboBoxReactionCRUISEx", C::CruiseKey, W::List, kNone, kNone, kNone},
    {"ComboBoxReactionMCTRLx", C::MctrlAction, W::List, kNone, kNone, kNone},
    {"ComboBoxReactionPORSHE_KEYS", C::PorsheMode, W::List, kNone, kNone, kNone},
};

}  // namespace

std::span<const EventControlDef> event_control_defs() { return kEventControls; }
std::span<const ReactionControlDef> reaction_control_defs() { return kReactionControls; }

const EventControlDef* find_event_control(std::string_view name) {
    for (const EventControlDef& def : kEventControls)
        if (def.name == name) return &def;
    return nullptr;
}

const ReactionControlDef* find_reaction_control(std::string_view name) {
    for (const ReactionControlDef& def : kReactionControls)
        if (def.name == name) return &def;
    return nullptr;
}

const ReactionControlDef& reaction_control_def(ReactionControl control) {
    for (const ReactionControlDef& def : kReactionControls)
        if (def.control == control) return def;
    return kReactionControls[0];
}

const EventControlDef* event_control_for(std::uint8_t kind, EventPart part, std::uint8_t id) {
    for (const EventControlDef& def : kEventControls)
        if (def.kind == kind && def.part == part && def.id == id) return &def;
    return nullptr;
}

}  // namespace ztv
