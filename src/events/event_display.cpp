#include "events/event_display.h"

#include <algorithm>

#include "common/cp1251.h"
#include "common/format.h"
#include "config/field_table.h"
#include "events/descriptions.h"
#include "events/slot_model.h"
#include "tools/button_labels.h"
#include "tools/ir_protocols.h"

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
constexpr std::size_t kTextSize = 8;

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

void fill_page(const Record& record, ConstSlot slot, EventView& view) {
    for (const EventChoiceDef& def : event_choices()) {
        if (def.kind != view.kind) continue;
        const std::span<const TextPair> items = def.items();
        const std::uint8_t value = slot[def.byte];
        view.choices.push_back({def.id, items, value < items.size() ? static_cast<int>(value) : -1});
    }
    for (const EventNumberDef& def : event_numbers()) {
        if (def.kind != view.kind) continue;
        const std::uint32_t value = read_le(slot, def.byte, def.width);
        // Only the threshold's unit depends on the slot; the durations' labels name theirs.
        TextPair unit{};
        if (def.id == EventNumber::VoltageThreshold)
            unit = slot[kEventParamByte] == kVoltageGazerInput ? event_texts::centimetres() : event_texts::millivolts();
        view.numbers.push_back({def.id, value, strprintf("%u", static_cast<unsigned>(value)), unit});
    }
    if (view.kind == static_cast<std::uint8_t>(EventKind::Serial) ||
        view.kind == static_cast<std::uint8_t>(EventKind::Uart)) {
        view.text_value = cp1251_to_utf8(field_text(slot.data() + kEventParamByte, kTextSize));
        if (view.kind == static_cast<std::uint8_t>(EventKind::Uart)) view.text_origin = event_texts::from_uart();
        else if (get_field(record, FieldId::BT_NUM) != 0) view.text_origin = event_texts::from_bluetooth();
        else view.text_origin = event_texts::from_usb();
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

EventView describe_event(const Record& record, std::size_t slot_index) {
    if (slot_index >= kSlotCount) return {};
    const ConstSlot slot = record.slot(slot_index);
    EventView view;
    view.kind = slot[kEventKindByte] < kEventKindCount ? slot[kEventKindByte] : 0;
    view.title = event_kind(view.kind).title;

    if (view.kind == static_cast<std::uint8_t>(EventKind::Button)) {
        view.has_key = slot[slots::kKeyByte] != 0;
        view.has_mod = slot[slots::kModKeyByte] != 0;
        if (view.has_key) view.key_label = button_label(record, slot[slots::kKeyByte], slot[slots::kKeyChannelByte]);
        if (view.has_mod) view.mod_label = button_label(record, slot[slots::kModKeyByte], slot[slots::kModChannelByte]);
    }
    if (view.kind == static_cast<std::uint8_t>(EventKind::IrCode)) {
        const std::span<const std::uint8_t, 4> code(slot.data() + kIrCodeByte, 4);
        view.ir_text = ir_event_text(code);
        view.has_ir_code = has_ir_code(slot);
    }

    const KindRule rule = kind_rule(slot);
    const unsigned type = slot[kEventFlagsByte] & 0x0Fu;
    const slots::FlagControls controls = slots::flag_controls(record, slot_index, flag_rule(rule, type));
    view.trigger.enabled = controls.trigger_enabled;
    view.trigger.type = type;
    view.trigger.offered = rule.rule.all_types ? std::array<bool, kTriggerTypeCount>{true, true, true, true}
                                               : std::array<bool, kTriggerTypeCount>{true, false, false, true};
    view.once = {flag(slot, kOnceBit), controls.once_enabled};
    view.wake_up = {flag(slot, kWakeUpBit), controls.wake_up_enabled};

    // A slot that cannot fire shows "Any".
    view.source.enabled = rule.rule.source_allowed && rule.rule.trigger_enabled;
    const slots::SourceChoice choice = slots::source_choice(view.source.enabled ? slot[kSourceMaskByte] : 0);
    view.source.selected = choice.selected;
    view.source.second_entry = choice.second_entry;
    fill_page(record, slot, view);
    return view;
}

}  // namespace ztv
