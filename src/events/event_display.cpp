#include "events/event_display.h"

#include <algorithm>

#include "common/cp1251.h"
#include "common/format.h"
#include "config/field_table.h"
#include "events/descriptions.h"
#include "tools/button_labels.h"
#include "tools/ir_protocols.h"

namespace ztv {
namespace {

using Slot = std::span<std::uint8_t, kSlotSize>;

enum class Once : std::uint8_t { Free, On, Off };

// The rule that a kind applies to the slot as it stands.
struct SlotRule {
    bool trigger_enabled = true;
    bool all_types = true;         // otherwise only "Disabled" and "Any"
    bool becomes_short = false;    // any type but "Disabled" turns into "Short"
    OnceRule once = OnceRule::Free;
    bool wake_up_allowed = true;
    bool source_allowed = true;
};

constexpr std::size_t kButtonKey = 2, kButtonChannel = 3, kModKey = 4, kModChannel = 5;
constexpr std::uint8_t kEncoderChannel = 4;
constexpr std::size_t kIrCodeByte = 2;
constexpr std::size_t kTextSize = 8;
constexpr std::size_t kReactionKindByte = kSlotEventSize;

bool contains(std::span<const std::uint8_t> entries, std::uint8_t value) {
    return std::find(entries.begin(), entries.end(), value) != entries.end();
}

void set_flag(Slot slot, unsigned bit, bool on) {
    if (on) slot[kEventFlagsByte] = static_cast<std::uint8_t>(slot[kEventFlagsByte] | (1u << bit));
    else slot[kEventFlagsByte] = static_cast<std::uint8_t>(slot[kEventFlagsByte] & ~(1u << bit));
}

bool flag(Slot slot, unsigned bit) { return (slot[kEventFlagsByte] & (1u << bit)) != 0; }

unsigned trigger_type(Slot slot) { return slot[kEventFlagsByte] & 0x0Fu; }
void set_trigger_type(Slot slot, unsigned type) {
    slot[kEventFlagsByte] = static_cast<std::uint8_t>((slot[kEventFlagsByte] & 0xF0u) | (type & 0x0Fu));
}

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

// A main button decides the "Button" rule: a resistive one admits every trigger type, an
// encoder step is a single happening, and a modifier alone can only ever fire once per hold.
SlotRule button_rule(Record& record, Slot slot, EventView& view) {
    if (slot[kButtonChannel] == kEncoderChannel && (slot[kButtonKey] < 1 || slot[kButtonKey] > kEncoderRows)) {
        slot[kButtonKey] = 0;
        slot[kButtonChannel] = 0;
    }
    view.has_key = slot[kButtonKey] != 0;
    view.has_mod = slot[kModKey] != 0;
    if (view.has_key) view.key_label = button_label(record, slot[kButtonKey], slot[kButtonChannel]);
    if (view.has_mod) view.mod_label = button_label(record, slot[kModKey], slot[kModChannel]);

    SlotRule rule;
    if (view.has_key && slot[kButtonChannel] != kEncoderChannel) {
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
SlotRule ir_rule(Slot slot, EventView& view) {
    const std::span<const std::uint8_t, 4> code(slot.data() + kIrCodeByte, 4);
    SlotRule rule;
    view.ir_text = ir_event_text(code);
    if (ir_event_protocol_name(ir_protocol(code)) != nullptr) {
        view.has_ir_code = true;
        return rule;
    }
    std::fill_n(slot.begin() + kIrCodeByte, 4, std::uint8_t{0});
    set_trigger_type(slot, kTriggerDisabled);
    set_flag(slot, kOnceBit, false);
    slot[kSourceMaskByte] = 0;
    if (slot[kReactionKindByte] != 0) std::fill(slot.begin() + kReactionKindByte, slot.end(), std::uint8_t{0});
    rule.trigger_enabled = false;
    return rule;
}

Once resolve_once(OnceRule rule, bool special_entry, unsigned type) {
    switch (rule) {
        case OnceRule::ForcedOn: return Once::On;
        case OnceRule::ForcedOff: return Once::Off;
        case OnceRule::OnForEntriesOrShort: return special_entry || type == kTriggerShort ? Once::On : Once::Free;
        case OnceRule::OnForEntries: return special_entry ? Once::On : Once::Free;
        case OnceRule::Free: break;
    }
    return Once::Free;
}

void apply_rule(const SlotRule& rule, bool special_entry, Slot slot, EventView& view) {
    unsigned type = trigger_type(slot);
    if (!rule.trigger_enabled) type = kTriggerDisabled;
    else if (!rule.all_types && type != kTriggerDisabled) type = kTriggerAny;
    if (rule.becomes_short && type != kTriggerDisabled) type = kTriggerShort;
    set_trigger_type(slot, type);
    view.trigger.enabled = rule.trigger_enabled;
    view.trigger.type = type;
    view.trigger.offered = rule.all_types ? std::array<bool, kTriggerTypeCount>{true, true, true, true}
                                          : std::array<bool, kTriggerTypeCount>{true, false, false, true};

    switch (resolve_once(rule.once, special_entry, type)) {
        case Once::On: set_flag(slot, kOnceBit, true); view.once.enabled = false; break;
        case Once::Off: set_flag(slot, kOnceBit, false); view.once.enabled = false; break;
        case Once::Free:
            // A press that is disabled or short has nothing to repeat.
            view.once.enabled = !(rule.trigger_enabled && type <= kTriggerShort);
            if (!view.once.enabled) set_flag(slot, kOnceBit, false);
            break;
    }
    view.once.checked = flag(slot, kOnceBit);

    view.wake_up.enabled = rule.wake_up_allowed && rule.trigger_enabled;
    if (!view.wake_up.enabled) set_flag(slot, kWakeUpBit, false);
    view.wake_up.checked = flag(slot, kWakeUpBit);

    if (!rule.source_allowed) slot[kSourceMaskByte] = 0;
    view.source.enabled = rule.source_allowed && rule.trigger_enabled;
    const std::uint8_t shown_mask = view.source.enabled ? slot[kSourceMaskByte] : 0;
    view.source.selected = shown_mask != 0 ? 1 : 0;
    view.source.second_entry = shown_mask != 0 ? source_list_text(shown_mask) : to_text(source_select_text());
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
        case EventKind::IrCode: rule = ir_rule(slot, view); break;
        default:
            rule = table_rule(def, slot[kEventParamByte]);
            special_entry = contains(def.special_entries, slot[kEventParamByte]);
            break;
    }
    apply_rule(rule, special_entry, slot, view);
    fill_page(record, slot, view);
    return view;
}

}  // namespace ztv
