#include "events/slot_display.h"

#include "events/descriptions.h"
#include "events/event_display.h"
#include "events/reaction_display.h"
#include "events/slot_controls.h"
#include "events/slot_editor_texts.h"
#include "events/slot_model.h"

namespace ztv {
namespace {

std::vector<Text> texts(std::span<const TextPair> pairs) {
    std::vector<Text> out;
    out.reserve(pairs.size());
    for (const TextPair& pair : pairs) out.push_back(to_text(pair));
    return out;
}

ControlView control_of(std::string_view name, ControlKind kind, const TextPair& label, const TextPair& unit,
                       const TextPair& hint) {
    ControlView view;
    view.name = name;
    view.kind = kind;
    view.label = to_text(label);
    view.unit = to_text(unit);
    view.hint = to_text(hint);
    return view;
}

std::vector<ControlView> common_controls(const EventView& event, std::uint8_t mask) {
    std::vector<ControlView> out;
    out.reserve(4);
    ControlView trigger = control_of(event_common::kTrigger, ControlKind::List, slot_texts::kPressLabel, {}, {});
    // Only the types the kind admits are listed; the edit maps the position back to the type.
    for (unsigned type = 0; type < kTriggerTypeCount; ++type) {
        if (!event.trigger.offered[type]) continue;
        if (type == event.trigger.type) trigger.selected = static_cast<int>(trigger.items.size());
        trigger.items.push_back(to_text(trigger_type_names()[type]));
    }
    trigger.enabled = event.trigger.enabled;
    out.push_back(std::move(trigger));

    ControlView once =
        control_of(event_common::kOnce, ControlKind::Check, slot_texts::kOnceLabel, {}, slot_texts::kOnceHint);
    once.checked = event.once.checked;
    once.enabled = event.once.enabled;
    out.push_back(std::move(once));

    ControlView wake =
        control_of(event_common::kWakeUp, ControlKind::Check, slot_texts::kWakeUpLabel, {}, slot_texts::kWakeUpHint);
    wake.checked = event.wake_up.checked;
    wake.enabled = event.wake_up.enabled;
    out.push_back(std::move(wake));

    ControlView source = control_of(event_common::kSource, ControlKind::List, slot_texts::kSourceLabel, {}, {});
    source.items = {to_text(slots::kAnySource), event.source.second_entry};
    source.selected = event.source.selected;
    source.enabled = event.source.enabled;
    source.bits = mask;
    out.push_back(std::move(source));
    return out;
}

const EventChoiceView* choice_of(const EventView& event, std::uint8_t id) {
    for (const EventChoiceView& choice : event.choices)
        if (static_cast<std::uint8_t>(choice.id) == id) return &choice;
    return nullptr;
}

const EventNumberView* number_of(const EventView& event, std::uint8_t id) {
    for (const EventNumberView& number : event.numbers)
        if (static_cast<std::uint8_t>(number.id) == id) return &number;
    return nullptr;
}

std::vector<ControlView> event_page(const EventView& event) {
    std::vector<ControlView> out;
    for (const EventControlDef& def : event_control_defs()) {
        if (def.kind != event.kind) continue;
        ControlView view = control_of(def.name, def.widget, def.label, def.unit, def.hint);
        switch (def.part) {
            case EventPart::Key: view.text = Text::same(event.key_label); break;
            case EventPart::Mod: view.text = Text::same(event.mod_label); break;
            case EventPart::IrCode: view.text = event.ir_text; break;
            case EventPart::Choice:
                if (const EventChoiceView* choice = choice_of(event, def.id)) {
                    view.items = texts(choice->items);
                    view.selected = choice->selected;
                }
                break;
            case EventPart::Comparison:
                if (const EventChoiceView* choice = choice_of(event, def.id); choice && choice->selected >= 0)
                    view.text = to_text(choice->items[static_cast<std::size_t>(choice->selected)]);
                break;
            case EventPart::Number:
                if (const EventNumberView* number = number_of(event, def.id)) {
                    view.text = Text::same(number->text);
                    if (view.unit.empty()) view.unit = to_text(number->unit);
                }
                break;
            case EventPart::Text: view.text = Text::same(event.text_value); break;
            case EventPart::TextOrigin: view.text = to_text(event.text_origin); break;
        }
        out.push_back(std::move(view));
    }
    return out;
}

}  // namespace

SlotView display_slot(ConfigState& state, std::size_t slot) {
    SlotView view;
    if (slot >= kSlotCount) return view;
    view.slot = slot;
    // The event half may reset the reaction (an infrared event without a code), so it goes first.
    normalize_event(state.record, slot);
    normalize_reaction(state.record, slot);
    const EventView event = describe_event(state.record, slot);
    const auto bytes = state.record.slot(slot);

    view.event_kind = event.kind;
    view.event_title = to_text(event.title);
    view.event_common = common_controls(event, bytes[kSourceMaskByte]);
    view.event_controls = event_page(event);
    view.reaction_kind = bytes[kReactionKindByte];
    view.reaction_title = to_text(reaction_kind_titles()[view.reaction_kind]);
    view.reaction_controls = reaction_page(state.record, slot);

    view.can_delete_key = event.kind == slots::kButtonEvent && event.has_key;
    view.can_delete_mod = event.kind == slots::kButtonEvent && event.has_mod;
    view.can_edit_ir_event = event.kind == slots::kIrEvent;
    view.can_edit_ir_reaction = view.reaction_kind == static_cast<std::uint8_t>(ReactionKind::SendIr);

    for (std::size_t i = 0; i < kSlotCount; ++i) view.tab_captions[i] = slots::tab_caption(state, i);
    view.caption = view.tab_captions[slot];
    return view;
}

void normalize_all_slots(Record& record) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        normalize_event(record, slot);
        normalize_reaction(record, slot);
    }
}

}  // namespace ztv
