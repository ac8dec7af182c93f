#include "events/reaction_display.h"

#include <algorithm>
#include <utility>

#include "catalogues/ir_protocols.h"
#include "common/cp1251.h"
#include "common/format.h"
#include "config/control_dispatch.h"
#include "config/field_table.h"
#include "config/voltage.h"
#include "events/descriptions.h"
#include "events/reaction_controls.h"
#include "events/slot_editor_texts.h"

namespace ztv {
namespace {

using C = ReactionControl;
using K = ReactionKind;
using Slot = std::span<std::uint8_t, kSlotSize>;
using ConstSlot = std::span<const std::uint8_t, kSlotSize>;

constexpr unsigned kControlSet = 0;
constexpr unsigned kControlEqual = 4;
constexpr unsigned kSourceNext = 0;
constexpr unsigned kSourcePrevious = 9;
constexpr unsigned kSourceRestore = 10;
constexpr unsigned kEventManageSimulate = 0;
constexpr unsigned kEventManageEnable = 2;
constexpr unsigned kIdriveBacklightLast = 1;
constexpr unsigned kIdriveFlash = 14;

std::uint32_t get(ConstSlot s, C control) { return read_reaction_field(s, control); }
void put(Slot s, C control, std::uint32_t value) { write_reaction_field(s, control, value); }

bool has_ir_code(ConstSlot s) { return ir_reaction_has_code(s[kReactionFirstByte + 4] & 0x0Fu); }

CarDspLayout cardsp_of(const Record& record, ConstSlot s) {
    return cardsp_layout(get(s, C::DspMode), get_field(record, FieldId::CARDSP_RUX_PARAM_TYPE));
}

void normalize_control_channel(const Record& record, Slot s, C action, C voltage, FieldId default_field,
                               FieldId minmax_field) {
    const std::uint32_t chosen = get(s, action);
    if (chosen != kControlSet && chosen != kControlEqual) return;
    put(s, voltage,
        limit_control_voltage(static_cast<std::uint8_t>(get(s, voltage)),
                              static_cast<std::uint8_t>(get_field(record, default_field)),
                              static_cast<std::uint8_t>(get_field(record, minmax_field))));
}

void normalize_kind(const Record& record, Slot s) {
    switch (static_cast<K>(s[kReactionKindByte])) {
        case K::SendIr:
            if (!has_ir_code(s)) std::fill_n(s.begin() + kReactionFirstByte + 1, 4, std::uint8_t{0});
            break;
        case K::Pin:
            if (get(s, C::PinOutput) != 0) break;
            put(s, C::PinMode, 0);
            put(s, C::PinDuration, 0);
            break;
        case K::Control:
            normalize_control_channel(record, s, C::ControlAction1, C::ControlVoltage1, FieldId::ANA_VOUT1,
                                      FieldId::MINMAX_VOUT1);
            normalize_control_channel(record, s, C::ControlAction2, C::ControlVoltage2, FieldId::ANA_VOUT2,
                                      FieldId::MINMAX_VOUT2);
            break;
        case K::Source: {
            const std::uint32_t selection = get(s, C::SourceSelect);
            if (selection == kSourceNext || selection == kSourcePrevious) {
                put(s, C::SourceSave, 0);
            } else if (selection == kSourceRestore) {
                put(s, C::SourceSkip, 0);
                put(s, C::SourceSave, 0);
            } else if (selection >= 1 && selection <= 8) {
                put(s, C::SourceSkip, 0);
            }
            break;
        }
        case K::EventManage: {
            const std::uint32_t action = get(s, C::EventManageAction);
            if (action != kEventManageSimulate && action <= kEventManageEnable && get(s, C::EventManageTarget) == 0)
                put(s, C::EventManageTarget, 1);
            break;
        }
        case K::Amplifier:
            if (get(s, C::AmplifierParameter) >= kAmplifierParameterCount) put(s, C::AmplifierParameter, 0);
            if (get(s, C::AmplifierAction) >= amplifier_action_count(get(s, C::AmplifierParameter)))
                put(s, C::AmplifierAction, 0);
            break;
        case K::CarDsp: {
            const CarDspLayout layout = cardsp_of(record, s);
            if (get(s, C::DspParameter) >= layout.count) put(s, C::DspParameter, 0);
            if (!layout.repeat_shown) put(s, C::DspRepeat, 0);
            break;
        }
        case K::SwCan: {
            // A code the car type does not offer (a file may hold one) stays as stored, custom
            // code included, until the user picks a button: the list then selects nothing.
            // Only an offered button makes the custom code unused.
            const std::uint32_t button = get(s, C::SwCanButton);
            if (button != 0 && swcan_position(get(s, C::SwCanCarType), button) >= 0) put(s, C::SwCanCode, 0);
            break;
        }
        case K::Ganet:
            if (get(s, C::GanetAction) != 0) put(s, C::GanetCode, 0);
            break;
        default: break;
    }
}

// The control with its own value, as its metadata shows it; a list whose entries the slot or
// the record decides shows those.
ControlView show_value(const Record& record, std::size_t slot, const ReactionControlDef& def) {
    const ConstSlot s = record.slot(slot);
    const std::uint32_t value = read_reaction_field(s, def);
    const std::string_view text =
        def.codec == ValueCodec::Text ? field_text(s.data() + def.byte, kReactionTextSize) : std::string_view();
    ControlView view = show_control(def.name, def, value, text);
    if (def.codec == ValueCodec::Position && def.source != ReactionListSource::Fixed)
        show_entries(view, reaction_list_items(record, slot, def), value);
    if (def.rule == ReactionRule::SwCanButton) view.selected = swcan_position(get(s, C::SwCanCarType), value);
    return view;
}

// Controls whose text the page composes from the slot.
void show_composed(const Record& record, std::size_t slot, const ReactionControlDef& def, ControlView& view) {
    const ConstSlot s = record.slot(slot);
    switch (def.control) {
        case C::UsbKeyText: view.text = usb_key_box_text(s.subspan<kReactionFirstByte, kReactionSize>()); break;
        case C::IrCode: view.text = ir_reaction_text(s.subspan<kReactionFirstByte + 1, 4>()); break;
        case C::SourceSkip:
            view.bits = read_reaction_field(s, def);
            view.text = skip_text(static_cast<std::uint8_t>(view.bits));
            break;
        case C::TouchCapture: view.text = to_text(def.hint); break;
        case C::SerialChannel:
            view.text =
                to_text(get_field(record, FieldId::BT_NUM) != 0 ? slot_texts::kToBluetooth : slot_texts::kToUsb);
            break;
        case C::UartChannel: view.text = to_text(slot_texts::kToUart); break;
        case C::SerialPreview: view.text = serial_preview(s, slot); break;
        default: break;
    }
}

ControlView* find(std::vector<ControlView>& page, C control) {
    const std::string_view name = reaction_control_def(control).name;
    for (ControlView& view : page)
        if (view.name == name) return &view;
    return nullptr;
}

// What a kind's page enables, hides or labels by what the slot holds.
void apply_page_rules(const Record& record, ConstSlot s, std::vector<ControlView>& page) {
    auto set = [&](C control, auto&& change) {
        if (ControlView* view = find(page, control)) change(*view);
    };
    switch (static_cast<K>(s[kReactionKindByte])) {
        case K::SendIr: set(C::IrOutput, [&](ControlView& v) { v.enabled = has_ir_code(s); }); break;
        case K::Pin: {
            const bool has_pin = get(s, C::PinOutput) != 0;
            set(C::PinMode, [&](ControlView& v) { v.enabled = has_pin; });
            set(C::PinDuration, [&](ControlView& v) { v.enabled = has_pin; });
            break;
        }
        case K::Source: {
            const std::uint32_t selection = get(s, C::SourceSelect);
            const bool stepping = selection == kSourceNext || selection == kSourcePrevious;
            const bool fixed = selection >= 1 && selection <= 8;
            const bool known = selection <= kSourceRestore;
            set(C::SourceSkip, [&](ControlView& v) { v.enabled = stepping || !known; });
            set(C::SourceSave, [&](ControlView& v) { v.enabled = fixed || !known; });
            break;
        }
        case K::Encoder: {
            const bool connected = get(s, C::EncoderConnection) != 0;
            set(C::EncoderSteps, [&](ControlView& v) { v.enabled = connected; });
            set(C::EncoderRepeat, [&](ControlView& v) { v.enabled = connected; });
            break;
        }
        case K::Idrive: {
            const std::uint32_t action = get(s, C::IdriveAction);
            set(C::IdriveParameter, [&](ControlView& v) {
                if (action <= kIdriveBacklightLast) v.label = Text("Код подсветки (0 - по умолчанию)", "Backlight code (0-default)");
                else if (action == kIdriveFlash) v.label = Text("Интервал, мс", "Interval, mSec");
                else v.visible = false;
            });
            break;
        }
        case K::AudiMmi: {
            const std::uint32_t mode = get(s, C::MmiMode);
            set(C::MmiParameter, [&](ControlView& v) {
                if (mode == 0) v.visible = false;
                else if (mode == 1) v.label = Text::same("0...100%");
                else v.label = Text("Светодиод 0/1=выкл/вкл", "Led 0/1=off/on");
            });
            break;
        }
        case K::CarDsp: {
            const CarDspLayout layout = cardsp_of(record, s);
            set(C::DspParameter, [&](ControlView& v) { v.visible = layout.count != 0; });
            set(C::DspRepeat, [&](ControlView& v) { v.visible = layout.repeat_shown; });
            break;
        }
        case K::SwCan: set(C::SwCanCode, [&](ControlView& v) { v.visible = get(s, C::SwCanButton) == 0; }); break;
        case K::Ganet: set(C::GanetCode, [&](ControlView& v) { v.visible = get(s, C::GanetAction) == 0; }); break;
        default: break;
    }
}

}  // namespace

std::uint8_t limit_control_voltage(std::uint8_t code, std::uint8_t default_byte, std::uint8_t minmax_byte) {
    int low = 255 - default_byte;
    int high = minmax_byte;
    if (high < low) std::swap(low, high);
    const int limited = std::min(255 - static_cast<int>(code), high);
    return static_cast<std::uint8_t>(255 - std::max(limited, low));
}

void normalize_reaction(Record& record, std::size_t slot) {
    if (slot >= kSlotCount) return;
    const Slot s = record.slot(slot);
    if (s[kReactionKindByte] >= kReactionKindCount)
        std::fill(s.begin() + kReactionFirstByte, s.end(), std::uint8_t{0});
    normalize_kind(record, s);
}

std::vector<ControlView> reaction_page(const Record& record, std::size_t slot) {
    std::vector<ControlView> page;
    if (slot >= kSlotCount) return page;
    const ConstSlot s = record.slot(slot);
    if (s[kReactionKindByte] >= kReactionKindCount) return page;  // not normalised: nothing to draw
    const auto kind = static_cast<ReactionKind>(s[kReactionKindByte]);
    for (const ReactionControlDef& def : reaction_control_defs()) {
        if (def.kind != kind) continue;
        ControlView view = show_value(record, slot, def);
        show_composed(record, slot, def, view);
        page.push_back(std::move(view));
    }
    apply_page_rules(record, s, page);
    return page;
}

}  // namespace ztv
