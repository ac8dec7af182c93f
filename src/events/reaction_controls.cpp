#include "events/reaction_controls.h"

#include <vector>

#include "config/field_table.h"
#include "events/slot_editor_texts.h"

namespace ztv {
namespace {

using C = ReactionControl;
using K = ReactionKind;
using W = ControlKind;
using F = ValueCodec;
using S = ReactionListSource;
using R = ReactionRule;
namespace lists = reaction_lists;

constexpr TextPair kNone{};
constexpr TextPair kMs = slot_texts::kMilliseconds;
constexpr TextPair kMinDuration{"Мин. длит.", "Min. durat."};
constexpr TextPair kSaveBefore{"Сохранить перед изменением", "Save before changing"};
constexpr TextPair kAutorepeat{"Автоповтор", "Autoreplay"};
constexpr TextPair kHexCode{"Код, HEX 2 байта", "Code, HEX 2 bytes"};
constexpr TextPair kVolts{"В", "V"};

// Row builders, one per sort of control, so that each row reads as what it is.
ReactionControlDef control(std::string_view name, C id, K kind, W widget) {
    ReactionControlDef d;
    d.name = name;
    d.control = id;
    d.kind = kind;
    d.widget = widget;
    return d;
}
ReactionControlDef list(std::string_view name, C id, K kind, std::uint8_t byte, std::span<const TextPair> items,
                        TextPair label = kNone, TextPair hint = kNone, R rule = R::None) {
    ReactionControlDef d = control(name, id, kind, W::List);
    d.byte = byte;
    d.width = 8;
    d.codec = F::Position;
    d.items = items;
    d.rule = rule;
    d.label = label;
    d.hint = hint;
    return d;
}
ReactionControlDef dynamic_list(std::string_view name, C id, K kind, std::uint8_t byte, S source,
                                TextPair label = kNone, R rule = R::None) {
    ReactionControlDef d = list(name, id, kind, byte, {}, label, kNone, rule);
    d.source = source;
    return d;
}
ReactionControlDef bits_list(std::string_view name, C id, K kind, std::uint8_t byte, std::uint8_t shift,
                             std::uint8_t width, std::span<const TextPair> items) {
    ReactionControlDef d = list(name, id, kind, byte, items);
    d.shift = shift;
    d.width = width;
    return d;
}
ReactionControlDef number(std::string_view name, C id, K kind, std::uint8_t byte, std::uint8_t shift,
                          std::uint8_t width, std::uint32_t max, TextPair label = kNone, TextPair unit = kNone) {
    ReactionControlDef d = control(name, id, kind, W::Edit);
    d.byte = byte;
    d.shift = shift;
    d.width = width;
    d.codec = F::Number;
    d.max = max;
    d.label = label;
    d.unit = unit;
    return d;
}
// Typed and shown in milliseconds, stored in units of 100 ms.
ReactionControlDef tenths(ReactionControlDef d) {
    d.scale = 100;
    return d;
}
ReactionControlDef coded(F codec, ReactionControlDef d) {
    d.codec = codec;
    return d;
}
// Autorepeat intervals: beyond the limit the default, a text that is no number 0.
ReactionControlDef autorepeat(ReactionControlDef d) {
    d.codec = F::Fallback;
    d.fallback = kAutorepeatFallback;
    d.unreadable = 0;
    return d;
}
ReactionControlDef check(std::string_view name, C id, K kind, std::uint8_t byte, std::uint8_t shift,
                         std::uint8_t width, TextPair label) {
    ReactionControlDef d = control(name, id, kind, W::Check);
    d.byte = byte;
    d.shift = shift;
    d.width = width;
    d.codec = F::Flag;
    d.label = label;
    return d;
}
ReactionControlDef shown(std::string_view name, C id, K kind, W widget, TextPair hint = kNone) {
    ReactionControlDef d = control(name, id, kind, widget);
    d.hint = hint;
    return d;
}
ReactionControlDef text(std::string_view name, C id, K kind) {
    ReactionControlDef d = control(name, id, kind, W::Edit);
    d.byte = 12;
    d.width = 40;
    d.codec = F::Text;
    d.bytes = static_cast<std::uint8_t>(kReactionTextSize);
    d.label = slot_texts::kValue;
    return d;
}

// A control whose label (and unit) the window shows in captions of their own.
ReactionControlDef captioned(const char* label_name, const char* unit_name, ReactionControlDef d) {
    d.label_name = label_name;
    d.unit_name = unit_name;
    return d;
}

std::vector<ReactionControlDef> make_controls() {
    return {
        shown("PanelReactionUSBKeyx", C::UsbKeyText, K::UsbKey, W::Button, slot_texts::kReactionPanelHint),
        captioned("PanelReactionUSBKeyDlit", "PanelReactionUSBKeyDlitMS",
                  tenths(number("EditReactionUSBKeyDlitmS", C::UsbKeyDuration, K::UsbKey, 16, 0, 8, 20000, kMinDuration,
                                kMs))),

        shown("PanelReactionIRx", C::IrCode, K::SendIr, W::Button, slot_texts::kIrReactionHint),
        captioned("PanelReactionIROUTCNT", nullptr,
                  number("EditReactionIROUTCNT", C::IrRepeats, K::SendIr, 15, 4, 4, 15,
                         {"Мин. повторов", "Min. replays"})),
        captioned("PanelReactionIROUTNUM", nullptr,
                  list("ComboBoxReactionIROUTNUM", C::IrOutput, K::SendIr, 16, lists::ir_output_pins,
                       {"ИК выход", "IR output"},
                       {"Вывод ИК кода на указанный вывод разъёма", "Output IR code to the specified connector pin"},
                       R::PulsePin)),

        captioned("Panel3", nullptr,
                  list("ComboBoxEventReactionPinNUM", C::PinOutput, K::Pin, 12, lists::output_pins, {"Вывод", "Pin"},
                       {"Выходной вывод", "Output pin"}, R::OutputPin)),
        captioned("Panel12", nullptr,
                  list("ComboBoxEventReactionPinMODE", C::PinMode, K::Pin, 13, lists::pin_modes, {"Режим", "Mode"},
                       {"Режим выхода", "Output mode"})),
        captioned("Panel19", "PanelEventReactionPinTOMS",
                  number("EditEventReactionPinTO", C::PinDuration, K::Pin, 14, 0, 16, 30000, kMinDuration, kMs)),

        captioned("Panel5", "Panel7",
                  coded(F::Voltage, number("EditReactionAnalogVOUT1", C::ControlVoltage1, K::Control, 12, 0, 8, 0,
                                           {"Канал 1", "Ch 1"}, kVolts))),
        bits_list("ComboBoxReactionAnalogVOUT1type", C::ControlAction1, K::Control, 16, 0, 3, lists::control_actions),
        check("CheckBoxReactionAnalogVOUT1save", C::ControlSave1, K::Control, 16, 3, 1, kSaveBefore),
        captioned("Panel6", "Panel8",
                  coded(F::Voltage, number("EditReactionAnalogVOUT2", C::ControlVoltage2, K::Control, 13, 0, 8, 0,
                                           {"Канал 2", "Ch 2"}, kVolts))),
        bits_list("ComboBoxReactionAnalogVOUT2type", C::ControlAction2, K::Control, 16, 4, 3, lists::control_actions),
        check("CheckBoxReactionAnalogVOUT2save", C::ControlSave2, K::Control, 16, 7, 1, kSaveBefore),
        captioned("Panel9", "Panel10",
                  number("EditReactionAnalogTO", C::ControlDuration, K::Control, 14, 0, 16, 5000,
                         {"Мин. длит./Повтор", "Min. durat./Replay"}, kMs)),

        captioned("PanelEventReactionSRC", nullptr,
                  list("ComboBoxEventReactionSRC", C::SourceSelect, K::Source, 12, lists::source_selection,
                       {"Выбрать", "Select"})),
        // The skip button shows the mask of byte 13 and opens the source window on it.
        [] {
            ReactionControlDef d = shown("SpeedButtonReactionSRCSkipx", C::SourceSkip, K::Source, W::Button);
            d.byte = 13;
            d.width = 8;
            return d;
        }(),
        check("CheckBoxEventReactionSRCSave", C::SourceSave, K::Source, 14, 0, 8, kSaveBefore),

        // X, Y and the duration are three 12-bit fields of bytes 12-16 taken as one bit string.
        number("EditReactionTouchX", C::TouchX, K::UsbTouch, 12, 0, 12, 4095, {"X", "X"}),
        number("EditReactionTouchY", C::TouchY, K::UsbTouch, 13, 4, 12, 4095, {"Y", "Y"}),
        captioned("PanelTouchDlit", nullptr,
                  number("EditReactionTouchDlit", C::TouchDuration, K::UsbTouch, 15, 0, 12, 4000,
                         {"Длит., мс", "Durat., mSec"})),
        shown("SpeedButtonReactionTouch", C::TouchCapture, K::UsbTouch, W::Button,
              {"Получить точку касания", "Get touch point"}),

        list("ComboBoxReactionEventHandleType", C::EventManageAction, K::EventManage, 12, lists::event_manage_actions),
        captioned("Panel18", nullptr,
                  dynamic_list("ComboBoxReactionEventHandleNumx", C::EventManageTarget, K::EventManage, 13,
                               S::EventManageTargets, {"событие", "event"})),

        list("TabControlReactionAmplParamx", C::AmplifierParameter, K::Amplifier, 12, lists::amplifier_parameters, kNone,
             kNone, R::AmplifierTab),
        dynamic_list("ComboBoxReactionAmplActionx", C::AmplifierAction, K::Amplifier, 13, S::AmplifierActions),

        list("ComboBoxReactionUSBMouseType", C::MouseAction, K::UsbMouse, 12, lists::mouse_actions, kNone,
             {"Эмулировать действие мыши", "Emulate the action of the mouse"}),

        captioned("PanelReactionEncoderMODE", nullptr,
                  list("ComboBoxReactionEncoderMODE", C::EncoderConnection, K::Encoder, 12, lists::encoder_connections,
                       {"Подключение", "Connection"}, kNone, R::EncoderPins)),
        [] {
            // A signed byte.
            ReactionControlDef d = control("SpinEditReactionEncoderDIR", C::EncoderSteps, K::Encoder, W::Spin);
            d.byte = 13;
            d.width = 8;
            d.codec = F::Spin;
            d.min = kEncoderStepsMin;
            d.max = kEncoderStepsMax;
            d.bytes = 1;
            d.label = {"Шаги", "Steps"};
            d.label_name = "PanelReactionEncoderDIR";
            return d;
        }(),
        captioned("LabelReactionEncoderReplay", "LabelReactionEncoderReplaymSec",
                  autorepeat(number("EditReactionEncoderReplay", C::EncoderRepeat, K::Encoder, 14, 0, 16,
                                    kAutorepeatLimit, kAutorepeat, kMs))),

        list("ComboBoxReactionIEBUSx", C::IebusAction, K::Iebus, 12, lists::iebus),
        list("ComboBoxReactionIDRIVEx", C::IdriveAction, K::Idrive, 12, lists::idrive),
        number("EditReactionIDRIVEParamx", C::IdriveParameter, K::Idrive, 13, 0, 16, 65535),
        list("ComboBoxReactionIBUSx", C::IbusAction, K::Ibus, 12, lists::ibus),

        shown("PanelReactionSerialNamex", C::SerialChannel, K::Serial, W::Label),
        text("EditReactionSerial", C::SerialValue, K::Serial),
        shown("MemoReactionSerialx", C::SerialPreview, K::Serial, W::Label),

        captioned("PanelReactionCurMoveDirection", nullptr,
                  list("ComboBoxReactionCurMoveDirection", C::CursorDirection, K::CursorMove, 12,
                       lists::cursor_directions, {"Движение", "Move"})),
        captioned("PanelReactionCurMoveNumPointsOn", "PanelReactionCurMoveNumPoints",
                  number("EditReactionCurMoveNumPoints", C::CursorPoints, K::CursorMove, 13, 0, 8, 255, {"на", "on"},
                         {"точек", "points"})),
        check("CheckBoxReactionCurMovePress", C::CursorPress, K::CursorMove, 14, 0, 8, {"С нажатием", "With press"}),

        list("ComboBoxReactionMDXJOY", C::MdxJoyMode, K::MdxJoy, 12, lists::mdx_joy),
        shown("PanelReactionUARTNamex", C::UartChannel, K::Uart, W::Label),
        text("EditReactionUART", C::UartValue, K::Uart),
        list("ComboBoxReactionLINx", C::LinAction, K::Lin, 12, lists::lin),
        check("CheckBoxReactionLINTrigger", C::LinTrigger, K::Lin, 13, 0, 8, {"Триггер", "Trigger"}),
        list("ComboBoxReactionMMIx", C::MmiMode, K::AudiMmi, 12, lists::mmi),
        number("EditReactionMMIParamx", C::MmiParameter, K::AudiMmi, 13, 0, 8, 100),

        list("ComboBoxReactionCarDSPx", C::DspMode, K::CarDsp, 12, lists::dsp),
        dynamic_list("ComboBoxReactionCarDSPParamx", C::DspParameter, K::CarDsp, 13, S::CarDspParameters),
        captioned("LabelReactionCarDSPReplay", "LabelReactionCarDSPReplaymSec",
                  autorepeat(number("EditReactionCarDSPReplay", C::DspRepeat, K::CarDsp, 14, 0, 16, kAutorepeatLimit,
                                    kAutorepeat, kMs))),

        list("ComboBoxReactionPANACEA", C::PanaceaMode, K::Panacea, 12, lists::panacea),
        captioned("Panel22", nullptr,
                  number("EditReactionRESEMULX", C::ResEmulX, K::ResEmul, 13, 0, 8, 255, {"X", "X"})),
        captioned("Panel23", nullptr,
                  number("EditReactionRESEMULY", C::ResEmulY, K::ResEmul, 14, 0, 8, 255, {"Y", "Y"})),
        list("ComboBoxReactionRJOYx", C::RJoyAction, K::RCanJoy, 12, lists::rjoy),

        list("ComboBoxReactionSWVWCarx", C::SwCanCarType, K::SwCan, 15, lists::swcan_car_types, kNone, kNone,
             R::SwCanType),
        dynamic_list("ComboBoxReactionSWVWx", C::SwCanButton, K::SwCan, 12, S::SwCanButtons, kNone, R::SwCanButton),
        captioned("LabelReactionSWVWPARAM", nullptr,
                  coded(F::Hex, number("EditReactionSWVWPARAM", C::SwCanCode, K::SwCan, 13, 0, 16, 0xFFFF, kHexCode))),

        list("ComboBoxReactionGNNAVIMODE", C::GanetAction, K::Ganet, 12, lists::ganet),
        captioned("LabelReactionGNNAVIPARAM", nullptr,
                  coded(F::Hex, number("EditReactionGNNAVIPARAM", C::GanetCode, K::Ganet, 13, 0, 16, 0xFFFF, kHexCode))),

        list("ComboBoxReactionCRUISEx", C::CruiseKey, K::CruiseBmwDme, 12, lists::cruise),
        list("ComboBoxReactionMCTRLx", C::MctrlAction, K::MercedesCtrl, 12, lists::mctrl),
        list("ComboBoxReactionPORSHE_KEYS", C::PorsheMode, K::PorsheKeys, 12, lists::porshe),
    };
}

const std::vector<ReactionControlDef>& controls() {
    static const std::vector<ReactionControlDef> table = make_controls();
    return table;
}

std::vector<Text> texts(std::span<const TextPair> pairs) {
    std::vector<Text> out;
    out.reserve(pairs.size());
    for (const TextPair& pair : pairs) out.push_back(to_text(pair));
    return out;
}

std::size_t field_bytes(const ReactionControlDef& def) { return (def.shift + def.width + 7u) / 8u; }

}  // namespace

std::span<const ReactionControlDef> reaction_control_defs() { return controls(); }

const ReactionControlDef& reaction_control_def(ReactionControl control) {
    for (const ReactionControlDef& def : controls())
        if (def.control == control) return def;
    return controls().front();
}

const ReactionControlDef* find_reaction_control(std::string_view name) {
    for (const ReactionControlDef& def : controls())
        if (def.name == name) return &def;
    return nullptr;
}

ReactionKind reaction_control_kind(ReactionControl control) { return reaction_control_def(control).kind; }

std::uint32_t read_reaction_field(std::span<const std::uint8_t, kSlotSize> slot, const ReactionControlDef& def) {
    if (def.width == 0 || def.width > 32 || def.codec == ValueCodec::Text) return 0;
    std::uint64_t bits = 0;
    const std::size_t count = field_bytes(def);
    for (std::size_t i = count; i-- > 0;) bits = bits << 8 | slot[def.byte + i];
    return static_cast<std::uint32_t>((bits >> def.shift) & ((std::uint64_t{1} << def.width) - 1));
}

void write_reaction_field(std::span<std::uint8_t, kSlotSize> slot, const ReactionControlDef& def, std::uint32_t value) {
    if (def.width == 0 || def.width > 32 || def.codec == ValueCodec::Text) return;
    const std::size_t count = field_bytes(def);
    std::uint64_t bits = 0;
    for (std::size_t i = count; i-- > 0;) bits = bits << 8 | slot[def.byte + i];
    const std::uint64_t mask = ((std::uint64_t{1} << def.width) - 1) << def.shift;
    bits = (bits & ~mask) | ((static_cast<std::uint64_t>(value) << def.shift) & mask);
    for (std::size_t i = 0; i < count; ++i) slot[def.byte + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::uint32_t read_reaction_field(std::span<const std::uint8_t, kSlotSize> slot, ReactionControl control) {
    return read_reaction_field(slot, reaction_control_def(control));
}

void write_reaction_field(std::span<std::uint8_t, kSlotSize> slot, ReactionControl control, std::uint32_t value) {
    write_reaction_field(slot, reaction_control_def(control), value);
}

std::vector<Text> reaction_list_items(const Record& record, std::size_t slot_index, const ReactionControlDef& def) {
    const auto slot = record.slot(slot_index);
    switch (def.source) {
        case ReactionListSource::Fixed: return texts(def.items);
        case ReactionListSource::EventManageTargets: return event_manage_targets();
        case ReactionListSource::AmplifierActions:
            return amplifier_actions(read_reaction_field(slot, ReactionControl::AmplifierParameter));
        case ReactionListSource::CarDspParameters:
            return cardsp_parameters(cardsp_layout(read_reaction_field(slot, ReactionControl::DspMode),
                                                   get_field(record, FieldId::CARDSP_RUX_PARAM_TYPE)));
        case ReactionListSource::SwCanButtons: {
            std::vector<Text> buttons;
            for (std::uint8_t code : swcan_codes(read_reaction_field(slot, ReactionControl::SwCanCarType)))
                buttons.push_back(to_text(reaction_lists::swcan_buttons[code]));
            return buttons;
        }
    }
    return {};
}

}  // namespace ztv
