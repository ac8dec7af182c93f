#include "events/event_display.h"

#include <algorithm>

#include "catalogues/button_labels.h"
#include "catalogues/ir_protocols.h"
#include "common/cp1251.h"
#include "common/format.h"
#include "config/control_dispatch.h"
#include "config/field_table.h"
#include "events/descriptions.h"
#include "events/slot_controls.h"
#include "events/slot_editor_texts.h"
#include "events/slot_model.h"

namespace ztv {
namespace {

using Slot = std::span<std::uint8_t, kSlotSize>;
using ConstSlot = std::span<const std::uint8_t, kSlotSize>;

// The rule that a kind applies to the slot as it stands.
struct SlotRule {
    bool trigger_enabled = true;
    bool all_types = true;         // otherwise only "Disabled" and "Any"
    bool becomes_short = false;    // any type but "Disabled" turns into "Short"
    OnceRule once = OnceRule::Free;
    bool wake_up_allowed = true;
    bool source_allowed = true;
};

constexpr std::size_t kIrCodeByte = 2;

bool contains(std::span<const std::uint8_t> entries, std::uint8_t value) {
    return std::find(entries.begin(), entries.end(), value) != entries.end();
}

bool flag(ConstSlot slot, unsigned bit) { return (slot[kEventFlagsByte] & (1u << bit)) != 0; }

std::uint32_t read_le(ConstSlot slot, std::size_t first, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = (value << 8) | slot[first + i];
    return value;
}

SlotRule table_rule(const EventKindDef& def, std::uint8_t entry) {
    SlotRule rule;
    rule.all_types = def.triggers == TriggerOffer::All;
    rule.once = def.once;
    rule.wake_up_allowed = def.wake_up_allowed;
    rule.source_allowed = def.source_allowed;
    if (contains(def.special_entries, entry)) {
        if (def.entry_trigger == EntryTrigger::DisabledOrAny) rule.all_types = false;
        if (def.entry_trigger == EntryTrigger::BecomesShort) rule.becomes_short = true;
    }
    return rule;
}

// The buttons decide the "Button" rule: a resistive main button admits every trigger type, an
// encoder step is a single happening that fires once, a modifier alone fires while it is held,
// and without any button the slot cannot fire.
SlotRule button_rule(ConstSlot slot) {
    const bool has_key = slot[slots::kKeyByte] != 0;
    const bool has_mod = slot[slots::kModKeyByte] != 0;
    SlotRule rule;
    if (has_key && slot[slots::kKeyChannelByte] != slots::kEncoderChannel) {
        rule.once = OnceRule::Free;
    } else if (has_key) {
        rule.all_types = false;
        rule.once = OnceRule::ForcedOn;
    } else {
        rule.all_types = !has_mod;
        rule.trigger_enabled = has_mod;
        rule.once = OnceRule::ForcedOff;
    }
    return rule;
}

bool has_ir_code(ConstSlot slot) {
    return ir_event_protocol_name(slot[kIrCodeByte + 3] & 0x0Fu) != nullptr;
}

slots::Forcing resolve_once(OnceRule rule, bool special_entry, unsigned type) {
    switch (rule) {
        case OnceRule::ForcedOn: return slots::Forcing::On;
        case OnceRule::ForcedOff: return slots::Forcing::Off;
        case OnceRule::OnForEntriesOrShort:
            return special_entry || type == kTriggerShort ? slots::Forcing::On : slots::Forcing::Free;
        case OnceRule::OnForEntries: return special_entry ? slots::Forcing::On : slots::Forcing::Free;
        case OnceRule::Free: break;
    }
    return slots::Forcing::Free;
}

// The rule of the slot's kind for what the slot holds, and whether byte 2 is one of the kind's
// entries with a rule of their own.
struct KindRule {
    SlotRule rule;
    bool special_entry = false;
};

KindRule kind_rule(ConstSlot slot) {
    const std::uint8_t kind = slot[kEventKindByte];
    switch (static_cast<EventKind>(kind)) {
        case EventKind::Button: return {button_rule(slot), false};
        case EventKind::IrCode: {
            SlotRule rule;
            rule.trigger_enabled = has_ir_code(slot);
            return {rule, false};
        }
        default: {
            const EventKindDef& def = event_kind(kind);
            return {table_rule(def, slot[kEventParamByte]), contains(def.special_entries, slot[kEventParamByte])};
        }
    }
}

// The trigger type the kind leaves of the stored one, which decides a once forced by a short press.
unsigned ruled_type(ConstSlot slot, const SlotRule& rule) {
    unsigned type = slot[kEventFlagsByte] & 0x0Fu;
    if (!rule.trigger_enabled) type = kTriggerDisabled;
    else if (!rule.all_types && type != kTriggerDisabled) type = kTriggerAny;
    if (rule.becomes_short && type != kTriggerDisabled) type = kTriggerShort;
    return type;
}

slots::FlagRule flag_rule(const KindRule& kind, unsigned type) {
    slots::FlagRule rule;
    rule.trigger_enabled = kind.rule.trigger_enabled;
    rule.only_disabled_or_any = !kind.rule.all_types;
    rule.once = resolve_once(kind.rule.once, kind.special_entry, type);
    rule.wake_up_allowed = kind.rule.wake_up_allowed;
    return rule;
}

ControlView control_of(std::string_view name, ControlKind kind, const TextPair& label, const TextPair& hint) {
    ControlView view;
    view.name = name;
    view.kind = kind;
    view.label = to_text(label);
    view.hint = to_text(hint);
    return view;
}

bool known_kind(const Record& record, std::size_t slot) {
    return slot < kSlotCount && record.slot(slot)[kEventKindByte] < kEventKindCount;
}

std::vector<unsigned> offered_types(const SlotRule& rule) {
    if (rule.all_types) return {kTriggerDisabled, kTriggerShort, kTriggerLong, kTriggerAny};
    return {kTriggerDisabled, kTriggerAny};
}

// A button's label, or nothing while the slot holds none.
Text button_text(const Record& record, std::uint8_t key, std::uint8_t channel) {
    return Text::same(key != 0 ? button_label(record, key, channel) : std::string());
}

// The value a control of the page shows as its metadata says, read from the slot.
std::uint32_t stored_value(ConstSlot slot, const EventControlDef& def) {
    switch (def.part) {
        case EventPart::Choice: return slot[event_choice(static_cast<EventChoice>(def.id)).byte];
        case EventPart::Number: {
            const EventNumberDef& number = event_number(static_cast<EventNumber>(def.id));
            return read_le(slot, number.byte, number.width);
        }
        default: return 0;
    }
}

// What the page composes from the slot beyond the stored value.
void show_part(const Record& record, ConstSlot slot, const EventControlDef& def, ControlView& view) {
    switch (def.part) {
        case EventPart::Key:
            view.text = button_text(record, slot[slots::kKeyByte], slot[slots::kKeyChannelByte]);
            break;
        case EventPart::Mod:
            view.text = button_text(record, slot[slots::kModKeyByte], slot[slots::kModChannelByte]);
            break;
        case EventPart::IrCode:
            view.text = ir_event_text(std::span<const std::uint8_t, 4>(slot.data() + kIrCodeByte, 4));
            break;
        case EventPart::Comparison: {
            // The two-entry list "<", ">" drawn as a toggle button that shows the entry.
            const EventChoiceDef& choice = event_choice(static_cast<EventChoice>(def.id));
            const std::span<const TextPair> items = choice.items();
            if (slot[choice.byte] < items.size()) view.text = to_text(items[slot[choice.byte]]);
            break;
        }
        case EventPart::Number:
            // Only the threshold's unit depends on the slot; the durations' labels name theirs.
            if (static_cast<EventNumber>(def.id) == EventNumber::VoltageThreshold)
                view.unit = to_text(slot[kEventParamByte] == kVoltageGazerInput ? event_texts::centimetres()
                                                                                : event_texts::millivolts());
            break;
        case EventPart::TextOrigin:
            if (slot[kEventKindByte] == static_cast<std::uint8_t>(EventKind::Uart))
                view.text = to_text(event_texts::from_uart());
            else
                view.text = to_text(get_field(record, FieldId::BT_NUM) != 0 ? event_texts::from_bluetooth()
                                                                            : event_texts::from_usb());
            break;
        case EventPart::Choice:
        case EventPart::Text: break;
    }
}

}  // namespace

void normalize_event(Record& record, std::size_t slot_index) {
    if (slot_index >= kSlotCount) return;
    const Slot slot = record.slot(slot_index);
    if (slot[kEventKindByte] >= kEventKindCount) std::fill_n(slot.begin(), kSlotEventSize, std::uint8_t{0});
    const auto kind = static_cast<EventKind>(slot[kEventKindByte]);
    if (kind == EventKind::Button && slot[slots::kKeyChannelByte] == slots::kEncoderChannel &&
        (slot[slots::kKeyByte] < 1 || slot[slots::kKeyByte] > kEncoderRows)) {
        slot[slots::kKeyByte] = 0;
        slot[slots::kKeyChannelByte] = 0;
    }
    // An "IR code" event without a valid code is reset, and its reaction with it: a slot that
    // can never fire must not keep a reaction of another kind.
    if (kind == EventKind::IrCode && !has_ir_code(slot)) {
        std::fill_n(slot.begin() + kIrCodeByte, 4, std::uint8_t{0});
        slot[kEventFlagsByte] = static_cast<std::uint8_t>(slot[kEventFlagsByte] & ~(0x0Fu | (1u << kOnceBit)));
        slot[kSourceMaskByte] = 0;
        slots::set_reaction_kind(record, slot_index, 0);
    }
    const KindRule rule = kind_rule(slot);
    const unsigned type = ruled_type(slot, rule.rule);
    slot[kEventFlagsByte] = static_cast<std::uint8_t>((slot[kEventFlagsByte] & 0xF0u) | type);
    slots::apply_flag_rule(record, slot_index, flag_rule(rule, type));
    // A kind that cannot depend on the source keeps "Any".
    if (!rule.rule.source_allowed) slot[kSourceMaskByte] = 0;
}

std::vector<unsigned> offered_trigger_types(const Record& record, std::size_t slot) {
    if (!known_kind(record, slot)) return {};
    return offered_types(kind_rule(record.slot(slot)).rule);
}

std::vector<ControlView> event_common_controls(const Record& record, std::size_t slot_index) {
    if (!known_kind(record, slot_index)) return {};
    const ConstSlot slot = record.slot(slot_index);
    const KindRule rule = kind_rule(slot);
    const unsigned type = slot[kEventFlagsByte] & 0x0Fu;
    const slots::FlagControls controls = slots::flag_controls(record, slot_index, flag_rule(rule, type));
    std::vector<ControlView> out;
    out.reserve(4);

    // A type the list does not offer selects nothing.
    ControlView trigger = control_of(event_common::kTrigger, ControlKind::List, slot_texts::kPressLabel, {});
    for (const unsigned offered : offered_types(rule.rule)) {
        if (offered == type) trigger.selected = static_cast<int>(trigger.items.size());
        trigger.items.push_back(to_text(trigger_type_names()[offered]));
    }
    trigger.enabled = controls.trigger_enabled;
    out.push_back(std::move(trigger));

    ControlView once =
        control_of(event_common::kOnce, ControlKind::Check, slot_texts::kOnceLabel, slot_texts::kOnceHint);
    once.checked = flag(slot, kOnceBit);
    once.enabled = controls.once_enabled;
    out.push_back(std::move(once));

    ControlView wake =
        control_of(event_common::kWakeUp, ControlKind::Check, slot_texts::kWakeUpLabel, slot_texts::kWakeUpHint);
    wake.checked = flag(slot, kWakeUpBit);
    wake.enabled = controls.wake_up_enabled;
    out.push_back(std::move(wake));

    // A slot that cannot fire shows "Any"; its stored mask stays.
    ControlView source = control_of(event_common::kSource, ControlKind::List, slot_texts::kSourceLabel, {});
    source.enabled = rule.rule.source_allowed && rule.rule.trigger_enabled;
    const slots::SourceChoice choice = slots::source_choice(source.enabled ? slot[kSourceMaskByte] : 0);
    source.items = {to_text(slots::kAnySource), choice.second_entry};
    source.selected = choice.selected;
    source.bits = slot[kSourceMaskByte];
    out.push_back(std::move(source));
    return out;
}

std::vector<ControlView> event_page(const Record& record, std::size_t slot_index) {
    std::vector<ControlView> page;
    if (!known_kind(record, slot_index)) return page;
    const ConstSlot slot = record.slot(slot_index);
    for (const EventControlDef& def : event_control_defs()) {
        if (def.kind != slot[kEventKindByte]) continue;
        const std::string_view text =
            def.part == EventPart::Text ? field_text(slot.data() + kEventParamByte, kEventTextSize) : std::string_view();
        ControlView view = show_control(def.name, def, stored_value(slot, def), text);
        show_part(record, slot, def, view);
        page.push_back(std::move(view));
    }
    return page;
}

}  // namespace ztv
