#include "events/reaction_display.h"

#include <algorithm>
#include <utility>

#include "common/cp1251.h"
#include "common/format.h"
#include "config/field_table.h"
#include "config/voltage.h"
#include "events/descriptions.h"
#include "tools/ir_protocols.h"

namespace ztv {
namespace {

using C = ReactionControl;
using K = ReactionKind;
namespace lists = reaction_lists;

// Slot byte offsets of the reaction parameters.
constexpr std::size_t P0 = 12, P1 = 13, P2 = 14, P3 = 15, P4 = 16;

// The reaction half of one slot, read and written in place.
class SlotReaction {
public:
    SlotReaction(Record& record, std::size_t slot) : bytes_(record.slot(slot)) {}
    std::uint8_t operator[](std::size_t i) const { return bytes_[i]; }
    void set(std::size_t i, unsigned value) { bytes_[i] = static_cast<std::uint8_t>(value); }
    std::uint16_t word(std::size_t i) const { return static_cast<std::uint16_t>(bytes_[i] | (bytes_[i + 1] << 8)); }
    void set_word(std::size_t i, unsigned value) {
        bytes_[i] = static_cast<std::uint8_t>(value & 0xFF);
        bytes_[i + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    }
    void clear_all() { std::fill(bytes_.begin() + kReactionFirstByte, bytes_.end(), std::uint8_t{0}); }
    std::span<std::uint8_t, kSlotSize> raw() const { return bytes_; }

private:
    std::span<std::uint8_t, kSlotSize> bytes_;
};

constexpr unsigned kControlSet = 0;
constexpr unsigned kControlEqual = 4;
constexpr unsigned kSourceNext = 0;
constexpr unsigned kSourcePrevious = 9;
constexpr unsigned kSourceRestore = 10;
constexpr unsigned kEventManageSimulate = 0;
constexpr unsigned kEventManageEnable = 2;

void normalize_send_ir(SlotReaction& r) {
    if (ir_reaction_has_code(r[P3] & 0x0F)) return;
    for (std::size_t i = P0; i <= P3; ++i) r.set(i, 0);
}

void normalize_pin(SlotReaction& r) {
    if (r[P0] != 0) return;
    r.set(P1, 0);
    r.set_word(P2, 0);
}

void normalize_control(const Record& record, SlotReaction& r) {
    const unsigned actions = r[P4];
    const unsigned action1 = actions & 0x07;
    const unsigned action2 = (actions >> 4) & 0x07;
    if (action1 == kControlSet || action1 == kControlEqual)
        r.set(P0, limit_control_voltage(r[P0], static_cast<std::uint8_t>(get_field(record, FieldId::ANA_VOUT1)),
                                        static_cast<std::uint8_t>(get_field(record, FieldId::MINMAX_VOUT1))));
    if (action2 == kControlSet || action2 == kControlEqual)
        r.set(P1, limit_control_voltage(r[P1], static_cast<std::uint8_t>(get_field(record, FieldId::ANA_VOUT2)),
                                        static_cast<std::uint8_t>(get_field(record, FieldId::MINMAX_VOUT2))));
}

void normalize_source(SlotReaction& r) {
    const unsigned selection = r[P0];
    if (selection == kSourceNext || selection == kSourcePrevious) {
        r.set(P2, 0);
    } else if (selection == kSourceRestore) {
        r.set(P1, 0);
        r.set(P2, 0);
    } else if (selection >= 1 && selection <= 8) {
        r.set(P1, 0);
    }
}

void normalize_event_manage(SlotReaction& r) {
    const unsigned action = r[P0];
    if (action != kEventManageSimulate && action <= kEventManageEnable && r[P1] == 0) r.set(P1, 1);
}

void normalize_amplifier(SlotReaction& r) {
    if (r[P0] >= kAmplifierParameterCount) r.set(P0, 0);
    if (r[P1] >= amplifier_action_count(r[P0])) r.set(P1, 0);
}

void normalize_cardsp(const Record& record, SlotReaction& r) {
    const CarDspLayout layout = cardsp_layout(r[P0], get_field(record, FieldId::CARDSP_RUX_PARAM_TYPE));
    if (r[P1] >= layout.count) r.set(P1, 0);
    if (!layout.repeat_shown) r.set_word(P2, 0);
}

void normalize_swcan(SlotReaction& r) {
    const unsigned type = r[P3];
    if (swcan_position(type, r[P0]) < 0) {
        // The list then shows its first entry; store that entry's code so that what the page
        // shows and what the controller sends agree.
        const std::span<const std::uint8_t> codes = swcan_codes(type);
        r.set(P0, codes.empty() ? 0 : codes.front());
    }
    if (r[P0] != 0) r.set_word(P1, 0);
}

void normalize_ganet(SlotReaction& r) {
    if (r[P0] != 0) r.set_word(P1, 0);
}

// ---- view building ----

std::vector<Text> texts(std::span<const TextPair> pairs) {
    std::vector<Text> out;
    out.reserve(pairs.size());
    for (const TextPair& p : pairs) out.push_back(to_text(p));
    return out;
}

int position(unsigned value, std::size_t count) { return value < count ? static_cast<int>(value) : -1; }

class ViewBuilder {
public:
    explicit ViewBuilder(ReactionView& view) : view_(view) {}

    ReactionList& list(C control, std::span<const TextPair> entries, unsigned value) {
        return list(control, texts(entries), value);
    }
    ReactionList& list(C control, std::vector<Text> entries, unsigned value) {
        const int selected = position(value, entries.size());
        view_.lists.push_back(ReactionList{control, {}, std::move(entries), selected});
        return view_.lists.back();
    }
    ReactionField& field(C control, Text text) {
        view_.fields.push_back(ReactionField{control, {}, std::move(text)});
        return view_.fields.back();
    }
    ReactionField& number(C control, unsigned value) { return field(control, Text::same(strprintf("%u", value))); }
    ReactionCheck& check(C control, bool checked) {
        view_.checks.push_back(ReactionCheck{control, checked});
        return view_.checks.back();
    }

private:
    ReactionView& view_;
};

// Text of up to five Windows-1251 characters from bytes 12-16.
std::string reaction_value_text(const SlotReaction& r) {
    return cp1251_to_utf8(field_text(r.raw().data() + P0, kReactionTextSize));
}

Text hex_code_text(const SlotReaction& r) { return Text::same(strprintf("%04X", r.word(P1))); }

constexpr TextPair kCodeHexLabel{"Код, HEX 2 байта", "Code, HEX 2 bytes"};

void describe(const Record& record, std::size_t slot, SlotReaction& r, ReactionView& view) {
    ViewBuilder b(view);
    switch (static_cast<K>(view.kind)) {
        case K::UsbKey:
            b.field(C::UsbKeyText, usb_key_box_text(r.raw().subspan<kReactionFirstByte, kReactionSize>()));
            b.number(C::UsbKeyDuration, r[P4] * 100u);
            break;
        case K::SendIr: {
            const bool has_code = ir_reaction_has_code(r[P3] & 0x0F);
            b.field(C::IrCode, ir_reaction_text(r.raw().subspan<P0, 4>()));
            b.number(C::IrRepeats, r[P3] >> 4);
            b.list(C::IrOutput, lists::ir_output_pins, r[P4]).enabled = has_code;
            break;
        }
        case K::Pin: {
            const bool has_pin = r[P0] != 0;
            b.list(C::PinOutput, lists::output_pins, r[P0]);
            b.list(C::PinMode, lists::pin_modes, r[P1]).enabled = has_pin;
            b.number(C::PinDuration, r.word(P2)).enabled = has_pin;
            break;
        }
        case K::Control:
            b.field(C::ControlVoltage1, Text::same(default_voltage_text(r[P0])));
            b.field(C::ControlVoltage2, Text::same(default_voltage_text(r[P1])));
            b.list(C::ControlAction1, lists::control_actions, r[P4] & 0x07u);
            b.list(C::ControlAction2, lists::control_actions, (r[P4] >> 4) & 0x07u);
            b.check(C::ControlSave1, (r[P4] & 0x08) != 0);
            b.check(C::ControlSave2, (r[P4] & 0x80) != 0);
            b.number(C::ControlDuration, r.word(P2));
            break;
        case K::Source: {
            const unsigned selection = r[P0];
            const bool stepping = selection == kSourceNext || selection == kSourcePrevious;
            const bool fixed = selection >= 1 && selection <= 8;
            const bool known = selection <= kSourceRestore;
            b.list(C::SourceSelect, lists::source_selection, selection);
            b.field(C::SourceSkip, skip_text(r[P1])).enabled = stepping || !known;
            b.check(C::SourceSave, r[P2] != 0).enabled = fixed || !known;
            break;
        }
        case K::UsbTouch:
            b.number(C::TouchX, r.word(P0) & 0x0FFFu);
            b.number(C::TouchY, static_cast<unsigned>(r.word(P1) >> 4));
            b.number(C::TouchDuration, r.word(P3) & 0x0FFFu);
            break;
        case K::EventManage:
            b.list(C::EventManageAction, lists::event_manage_actions, r[P0]);
            b.list(C::EventManageTarget, event_manage_targets(), r[P1]).label = Text("событие", "event");
            break;
        case K::Amplifier:
            b.list(C::AmplifierParameter, lists::amplifier_parameters, r[P0]);
            b.list(C::AmplifierAction, amplifier_actions(r[P0]), r[P1]);
            break;
        case K::UsbMouse: b.list(C::MouseAction, lists::mouse_actions, r[P0]); break;
        case K::Encoder: {
            const bool connected = r[P0] != 0;
            b.list(C::EncoderConnection, lists::encoder_connections, r[P0]);
            b.field(C::EncoderSteps, Text::same(strprintf("%d", static_cast<std::int8_t>(r[P1])))).enabled = connected;
            b.number(C::EncoderRepeat, r.word(P2)).enabled = connected;
            break;
        }
        case K::Iebus: b.list(C::IebusAction, lists::iebus, r[P0]); break;
        case K::Idrive: {
            const unsigned action = r[P0];
            b.list(C::IdriveAction, lists::idrive, action);
            ReactionField& param = b.number(C::IdriveParameter, r.word(P1));
            if (action <= 1) {
                param.label = Text("Код подсветки (0 - по умолчанию)", "Backlight code (0-default)");
            } else if (action == 14) {
                param.label = Text("Интервал, мс", "Interval, mSec");
            } else {
                param.visible = false;
            }
            break;
        }
        case K::Ibus: b.list(C::IbusAction, lists::ibus, r[P0]); break;
        case K::Serial: {
            const bool bluetooth = get_field(record, FieldId::BT_NUM) != 0;
            b.field(C::SerialChannel, bluetooth ? Text("В bluetooth", "To bluetooth") : Text("В USB", "To USB"));
            b.field(C::SerialValue, Text::same(reaction_value_text(r)));
            b.field(C::SerialPreview, serial_preview(r.raw(), slot));
            break;
        }
        case K::CursorMove:
            b.list(C::CursorDirection, lists::cursor_directions, r[P0]);
            b.number(C::CursorPoints, r[P1]);
            b.check(C::CursorPress, r[P2] != 0);
            break;
        case K::MdxJoy: b.list(C::MdxJoyMode, lists::mdx_joy, r[P0]); break;
        case K::Uart: b.field(C::UartValue, Text::same(reaction_value_text(r))); break;
        case K::Lin:
            b.list(C::LinAction, lists::lin, r[P0]);
            b.check(C::LinTrigger, r[P1] != 0);
            break;
        case K::AudiMmi: {
            const unsigned mode = r[P0];
            b.list(C::MmiMode, lists::mmi, mode);
            ReactionField& param = b.number(C::MmiParameter, r[P1]);
            if (mode == 0) {
                param.visible = false;
            } else if (mode == 1) {
                param.label = Text::same("0...100%");
            } else {
                param.label = Text("Светодиод 0/1=выкл/вкл", "Led 0/1=off/on");
            }
            break;
        }
        case K::CarDsp: {
            const CarDspLayout layout = cardsp_layout(r[P0], get_field(record, FieldId::CARDSP_RUX_PARAM_TYPE));
            b.list(C::DspMode, lists::dsp, r[P0]);
            b.list(C::DspParameter, cardsp_parameters(layout), r[P1]).visible = layout.count != 0;
            b.number(C::DspRepeat, r.word(P2)).visible = layout.repeat_shown;
            break;
        }
        case K::Panacea: b.list(C::PanaceaMode, lists::panacea, r[P0]); break;
        case K::ResEmul:
            b.number(C::ResEmulX, r[P1]);
            b.number(C::ResEmulY, r[P2]);
            break;
        case K::RCanJoy: b.list(C::RJoyAction, lists::rjoy, r[P0]); break;
        case K::SwCan: {
            const unsigned type = r[P3];
            std::vector<Text> buttons;
            for (std::uint8_t code : swcan_codes(type)) buttons.push_back(to_text(lists::swcan_buttons[code]));
            b.list(C::SwCanCarType, lists::swcan_car_types, type);
            ReactionList& button_list = b.list(C::SwCanButton, std::move(buttons), 0);
            button_list.selected = swcan_position(type, r[P0]);
            ReactionField& code = b.field(C::SwCanCode, hex_code_text(r));
            code.label = to_text(kCodeHexLabel);
            code.visible = r[P0] == 0;
            break;
        }
        case K::Ganet: {
            b.list(C::GanetAction, lists::ganet, r[P0]);
            ReactionField& code = b.field(C::GanetCode, hex_code_text(r));
            code.label = to_text(kCodeHexLabel);
            code.visible = r[P0] == 0;
            break;
        }
        case K::CruiseBmwDme: b.list(C::CruiseKey, lists::cruise, r[P0]); break;
        case K::MercedesCtrl: b.list(C::MctrlAction, lists::mctrl, r[P0]); break;
        case K::PorsheKeys: b.list(C::PorsheMode, lists::porshe, r[P0]); break;
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
    SlotReaction r(record, slot);
    if (r[kReactionKindByte] >= kReactionKindCount) r.clear_all();
    switch (static_cast<K>(r[kReactionKindByte])) {
        case K::SendIr: normalize_send_ir(r); break;
        case K::Pin: normalize_pin(r); break;
        case K::Control: normalize_control(record, r); break;
        case K::Source: normalize_source(r); break;
        case K::EventManage: normalize_event_manage(r); break;
        case K::Amplifier: normalize_amplifier(r); break;
        case K::CarDsp: normalize_cardsp(record, r); break;
        case K::SwCan: normalize_swcan(r); break;
        case K::Ganet: normalize_ganet(r); break;
        default: break;
    }
}

ReactionView display_reaction(Record& record, std::size_t slot) {
    normalize_reaction(record, slot);
    SlotReaction r(record, slot);
    ReactionView view;
    // No page has more than four controls of a sort, so the references the builder hands out
    // stay valid while a page is filled.
    view.lists.reserve(4);
    view.fields.reserve(4);
    view.checks.reserve(4);
    view.kind = r[kReactionKindByte];
    view.title = to_text(reaction_kind_titles()[view.kind]);
    describe(record, slot, r, view);
    return view;
}

}  // namespace ztv
