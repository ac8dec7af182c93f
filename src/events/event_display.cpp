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

bool flag(Slot slot, unsigned bit) { return (slot[kEventFlagsByte] & (1u << bit)) != 0; }

std::uint32_t read_le(Slot slot, std::size_t first, std::size_t width) {
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
SlotRule button_rule(const Record& record, Slot slot, EventView& view) {
    std::uint8_t& key = slot[slots::kKeyByte];
    std::uint8_t& channel = slot[slots::kKeyChannelByte];
    const std::uint8_t mod = slot[slots::kModKeyByte];
    const std::uint8_t mod_channel = slot[slots::kModChannelByte];
    if (channel == slots::kEncoderChannel && (key < 1 || key > kEncoderRows)) {
        key = 0;
        channel = 0;
    }
    view.has_key = key != 0;
    view.has_mod = mod != 0;
    if (view.has_key) view.key_label = button_label(record, key, channel);
    if (view.has_mod) view.mod_label = button_label(record, mod, mod_channel);

    SlotRule rule;
    if (view.has_key && channel != slots::kEncoderChannel) {
        rule.once = OnceRule::Free;
    } else if (view.has_key) {
        rule.all_types = false;
        rule.once = OnceRule::ForcedOn;
    } else {
        rule.all_types = !view.has_mod;
        rule.trigger_enabled = view.has_mod;
        rule.once = OnceRule::ForcedOff;
    }
    return rule;
}

// An "IR code" event without a valid code is reset, and its reaction with it: a slot that can
// never fire must not keep a reaction of another kind.
SlotRule ir_rule(Record& record, std::size_t slot_index, Slot slot, EventView& view) {
    const std::span<const std::uint8_t, 4> code(slot.data() + kIrCodeByte, 4);
    SlotRule rule;
    view.ir_text = ir_event_text(code);
    if (ir_event_protocol_name(ir_protocol(code)) != nullptr) {
        view.has_ir_code = true;
        return rule;
    }
    std::fill_n(slot.begin() + kIrCodeByte, 4, std::uint8_t{0});
    slot[kEventFlagsByte] = static_cast<std::uint8_t>(slot[kEventFlagsByte] & ~(0x0Fu | (1u << kOnceBit)));
    slot[kSourceMaskByte] = 0;
    slots::set_reaction_kind(record, slot_index, 0);
    rule.trigger_enabled = false;
    return rule;
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

void apply_rule(Record& record, std::size_t slot_index, const SlotRule& rule, bool special_entry, EventView& view) {
    const Slot slot = record.slot(slot_index);
    // The type this kind leaves, which decides a once forced by a short press.
    unsigned type = slot[kEventFlagsByte] & 0x0Fu;
    if (!rule.trigger_enabled) type = kTriggerDisabled;
    else if (!rule.all_types && type != kTriggerDisabled) type = kTriggerAny;
    if (rule.becomes_short && type != kTriggerDisabled) type = kTriggerShort;
    slot[kEventFlagsByte] = static_cast<std::uint8_t>((slot[kEventFlagsByte] & 0xF0u) | type);

    slots::FlagRule flag_rule;
    flag_rule.trigger_enabled = rule.trigger_enabled;
    flag_rule.only_disabled_or_any = !rule.all_types;
    flag_rule.once = resolve_once(rule.once, special_entry, type);
    flag_rule.wake_up_allowed = rule.wake_up_allowed;
    const slots::FlagControls controls = slots::apply_flag_rule(record, slot_index, flag_rule);

    view.trigger.enabled = controls.trigger_enabled;
    view.trigger.type = slot[kEventFlagsByte] & 0x0Fu;
    view.trigger.offered = rule.all_types ? std::array<bool, kTriggerTypeCount>{true, true, true, true}
                                          : std::array<bool, kTriggerTypeCount>{true, false, false, true};
    view.once = {flag(slot, kOnceBit), controls.once_enabled};
    view.wake_up = {flag(slot, kWakeUpBit), controls.wake_up_enabled};

    // A kind that cannot depend on the source keeps "Any"; a slot that cannot fire shows "Any".
    if (!rule.source_allowed) slot[kSourceMaskByte] = 0;
    view.source.enabled = rule.source_allowed && rule.trigger_enabled;
    const slots::SourceChoice choice = slots::source_choice(view.source.enabled ? slot[kSourceMaskByte] : 0);
    view.source.selected = choice.selected;
    view.source.second_entry = choice.second_entry;
}

void fill_page(const Record& record, Slot slot, EventView& view) {
    for (const EventChoiceDef& def : event_choices()) {
        if (def.kind != view.kind) continue;
        const std::span<const TextPair> items = def.items();
        const std::uint8_t value = slot[def.byte];
        view.choices.push_back({def.id, items, value < items.size() ? static_cast<int>(value) : -1});
    }
    for (const EventNumberDef& def : event_numbers()) {
        if (def.kind != view.kind) continue;
        const std::uint32_t value = read_le(slot, def.byte, def.width);
        TextPair unit = event_texts::milliseconds();
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

EventView show_event(Record& record, std::size_t slot_index) {
    if (slot_index >= kSlotCount) return {};
    const Slot slot = record.slot(slot_index);
    if (slot[kEventKindByte] >= kEventKindCount) std::fill_n(slot.begin(), kSlotEventSize, std::uint8_t{0});

    EventView view;
    view.kind = slot[kEventKindByte];
    const EventKindDef& def = event_kind(view.kind);
    view.title = def.title;

    SlotRule rule;
    bool special_entry = false;
    switch (static_cast<EventKind>(view.kind)) {
        case EventKind::Button: rule = button_rule(record, slot, view); break;
        case EventKind::IrCode: rule = ir_rule(record, slot_index, slot, view); break;
        default:
            rule = table_rule(def, slot[kEventParamByte]);
            special_entry = contains(def.special_entries, slot[kEventParamByte]);
            break;
    }
    apply_rule(record, slot_index, rule, special_entry, view);
    fill_page(record, slot, view);
    return view;
}

}  // namespace ztv
