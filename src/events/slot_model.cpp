#include "events/slot_model.h"

#include <algorithm>

#include "common/cp1251.h"
#include "common/format.h"
#include "config/field_table.h"

namespace ztv::slots {
namespace {

constexpr unsigned kOnceBit = 4;
constexpr unsigned kWakeUpBit = 5;
constexpr std::uint8_t kAllSources = 0xFF;

bool valid(std::size_t slot) { return slot < kSlotCount; }

void clear_event_part(Record& record, std::size_t slot) {
    auto bytes = record.slot(slot);
    std::fill(bytes.begin(), bytes.begin() + kSlotEventSize, std::uint8_t{0});
}

void clear_reaction_part(Record& record, std::size_t slot) {
    auto bytes = record.slot(slot);
    std::fill(bytes.begin() + kReactionKindByte, bytes.end(), std::uint8_t{0});
}

void set_flag(Record& record, std::size_t slot, unsigned bit, bool on) {
    record.set_bits(Record::slot_offset(slot) + kFlagsByte, bit, 1, on ? 1u : 0u);
}

bool encoder_connected(const Record& record, std::uint8_t key) {
    if (key == 1 || key == 2) return get_field(record, FieldId::ENC0MODE) != 0;
    if (key == 3 || key == 4) return get_field(record, FieldId::ENC1MODE) != 0;
    return false;
}

bool droppable(const Record& record, DraggedButton button) {
    if (button.channel == kEncoderChannel) return encoder_connected(record, button.key);
    // A learned key: one the button table holds a reading for.
    return button.channel < kChannels && button.key >= 1 && button.key <= kButtonsPerChannel &&
           record.button_code(button.channel, button.key - 1u) != 0;
}

// Counts UTF-8 characters (lead bytes), so a Cyrillic letter counts once.
std::size_t utf8_length(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

// ---- one slot -------------------------------------------------------------------------------

bool is_empty(const Record& record, std::size_t slot) {
    const auto bytes = record.slot(slot);
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

std::uint8_t event_kind(const Record& record, std::size_t slot) { return record.slot(slot)[kEventKindByte]; }

std::uint8_t reaction_kind(const Record& record, std::size_t slot) { return record.slot(slot)[kReactionKindByte]; }

void set_event_kind(Record& record, std::size_t slot, std::uint8_t kind) {
    if (!valid(slot) || event_kind(record, slot) == kind) return;
    clear_event_part(record, slot);
    record.slot(slot)[kEventKindByte] = kind;
}

void set_reaction_kind(Record& record, std::size_t slot, std::uint8_t kind) {
    if (!valid(slot) || reaction_kind(record, slot) == kind) return;
    clear_reaction_part(record, slot);
    record.slot(slot)[kReactionKindByte] = kind;
}

void delete_event(Record& record, std::size_t slot) {
    if (valid(slot)) clear_event_part(record, slot);
}

void delete_reaction(Record& record, std::size_t slot) {
    if (valid(slot)) clear_reaction_part(record, slot);
}

void delete_key(Record& record, std::size_t slot) {
    if (!valid(slot)) return;
    record.slot(slot)[kKeyByte] = 0;
    record.slot(slot)[kKeyChannelByte] = 0;
}

void delete_mod_key(Record& record, std::size_t slot) {
    if (!valid(slot)) return;
    record.slot(slot)[kModKeyByte] = 0;
    record.slot(slot)[kModChannelByte] = 0;
}

void delete_ir_code(Record& record, std::size_t slot) {
    if (!valid(slot)) return;
    clear_event_part(record, slot);
    record.slot(slot)[kEventKindByte] = kIrEvent;
}

std::uint8_t trigger_type(const Record& record, std::size_t slot) {
    return static_cast<std::uint8_t>(record.bits(Record::slot_offset(slot) + kFlagsByte, 0, 4));
}

bool once(const Record& record, std::size_t slot) {
    return record.bits(Record::slot_offset(slot) + kFlagsByte, kOnceBit, 1) != 0;
}

bool wake_up(const Record& record, std::size_t slot) {
    return record.bits(Record::slot_offset(slot) + kFlagsByte, kWakeUpBit, 1) != 0;
}

void set_trigger_type(Record& record, std::size_t slot, std::uint8_t type) {
    if (valid(slot) && type <= static_cast<std::uint8_t>(TriggerType::Any))
        record.set_bits(Record::slot_offset(slot) + kFlagsByte, 0, 4, type);
}

void set_once(Record& record, std::size_t slot, bool on) {
    if (valid(slot)) set_flag(record, slot, kOnceBit, on);
}

void set_wake_up(Record& record, std::size_t slot, bool on) {
    if (valid(slot)) set_flag(record, slot, kWakeUpBit, on);
}

std::uint8_t source_mask(const Record& record, std::size_t slot) { return record.slot(slot)[kSourceMaskByte]; }

void set_source_mask(Record& record, std::size_t slot, std::uint8_t mask) {
    if (valid(slot)) record.slot(slot)[kSourceMaskByte] = mask;
}

std::uint8_t stored_source_mask(std::uint8_t chosen) { return chosen == kAllSources ? std::uint8_t{0} : chosen; }

void choose_source_mask(Record& record, std::size_t slot, std::optional<std::uint8_t> chosen) {
    if (chosen) set_source_mask(record, slot, stored_source_mask(*chosen));
}

// ---- consistency ----------------------------------------------------------------------------

bool clear_unknown_kinds(Record& record, std::size_t slot) {
    if (!valid(slot)) return false;
    bool changed = false;
    if (event_kind(record, slot) >= kEventKindCount) {
        clear_event_part(record, slot);
        changed = true;
    }
    if (reaction_kind(record, slot) >= kReactionKindCount) {
        clear_reaction_part(record, slot);
        changed = true;
    }
    return changed;
}

namespace {

// The trigger type a rule leaves of the stored one.
unsigned ruled_type(unsigned type, const FlagRule& rule) {
    const auto any = static_cast<unsigned>(TriggerType::Any);
    if (!rule.trigger_enabled) return 0;
    if (rule.only_disabled_or_any && type != 0 && type != any) return any;
    return type;
}

}  // namespace

FlagControls flag_controls(const Record& record, std::size_t slot, const FlagRule& rule) {
    FlagControls controls;
    if (!valid(slot)) return controls;
    const unsigned type = ruled_type(record.bits(Record::slot_offset(slot) + kFlagsByte, 0, 4), rule);
    controls.trigger_enabled = rule.trigger_enabled;
    // Once means nothing for a switched-off slot or a short press.
    controls.once_enabled = rule.once == Forcing::Free && type != static_cast<unsigned>(TriggerType::Disabled) &&
                            type != static_cast<unsigned>(TriggerType::Short);
    controls.wake_up_enabled = rule.wake_up_allowed && rule.trigger_enabled;
    return controls;
}

FlagControls apply_flag_rule(Record& record, std::size_t slot, const FlagRule& rule) {
    if (!valid(slot)) return {};
    const std::size_t flags = Record::slot_offset(slot) + kFlagsByte;
    record.set_bits(flags, 0, 4, ruled_type(record.bits(flags, 0, 4), rule));
    const FlagControls controls = flag_controls(record, slot, rule);
    if (rule.once != Forcing::Free) record.set_bits(flags, kOnceBit, 1, rule.once == Forcing::On ? 1u : 0u);
    else if (!controls.once_enabled) record.set_bits(flags, kOnceBit, 1, 0);
    if (!controls.wake_up_enabled) record.set_bits(flags, kWakeUpBit, 1, 0);
    return controls;
}

// ---- the whole table ------------------------------------------------------------------------

UsedKinds used_kinds(const Record& record) {
    UsedKinds used;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        const std::uint8_t event = event_kind(record, slot);
        const std::uint8_t reaction = reaction_kind(record, slot);
        if (event < kEventKindCount) used.events.set(event);
        if (reaction < kReactionKindCount) used.reactions.set(reaction);
    }
    return used;
}

UsedKinds visible_kinds(const Record& record, bool only_used) {
    if (only_used) return used_kinds(record);
    UsedKinds all;
    all.events.set();
    all.reactions.set();
    return all;
}

void forget_button(Record& record, std::uint8_t key, std::uint8_t channel) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        auto bytes = record.slot(slot);
        if (bytes[kEventKindByte] != kButtonEvent) continue;
        if (bytes[kKeyByte] == key && bytes[kKeyChannelByte] == channel) {
            bytes[kKeyByte] = 0;
            bytes[kKeyChannelByte] = 0;
        }
        if (bytes[kModKeyByte] == key && bytes[kModChannelByte] == channel) {
            bytes[kModKeyByte] = 0;
            bytes[kModChannelByte] = 0;
        }
    }
}

// ---- dropped buttons ------------------------------------------------------------------------

bool drop_accepted(const Record& record, std::size_t slot, DropTarget target, DraggedButton button) {
    if (!valid(slot) || event_kind(record, slot) != kButtonEvent || !droppable(record, button)) return false;
    const auto bytes = record.slot(slot);
    if (target == DropTarget::Modifier) {
        if (button.channel == kEncoderChannel) return false;
        return !(bytes[kKeyByte] != 0 && bytes[kKeyChannelByte] == button.channel);
    }
    return !(bytes[kModKeyByte] != 0 && bytes[kModChannelByte] == button.channel);
}

bool drop_button(Record& record, std::size_t slot, DropTarget target, DraggedButton button) {
    if (!drop_accepted(record, slot, target, button)) return false;
    auto bytes = record.slot(slot);
    const bool modifier = target == DropTarget::Modifier;
    bytes[modifier ? kModKeyByte : kKeyByte] = button.key;
    bytes[modifier ? kModChannelByte : kKeyChannelByte] = button.channel;
    return true;
}

// ---- texts ----------------------------------------------------------------------------------

Text source_list_text(std::uint8_t mask) {
    if (mask == 0) return to_text(kAnySource);
    return Text::same(source_numbers(mask));
}

SourceChoice source_choice(std::uint8_t mask) {
    SourceChoice choice;
    if (mask == 0) {
        choice.second_entry = to_text(kSelectSources);
        return choice;
    }
    choice.selected = 1;
    choice.second_entry = source_list_text(mask);
    return choice;
}

std::string tab_caption(const ConfigState& state, std::size_t slot) {
    std::string caption = std::to_string(slot + 1);
    if (is_empty(state.record, slot)) return caption;
    caption += '*';
    const std::string_view name = state.slot_name(slot);
    if (!name.empty()) caption += " (" + cp1251_to_utf8(name) + ")";
    return caption;
}

TabCaptions::TabCaptions() { reset(); }

void TabCaptions::reset() {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) captions_[slot] = std::to_string(slot + 1);
}

std::vector<std::size_t> TabCaptions::refresh(const ConfigState& state) {
    std::vector<std::size_t> changed;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        std::string caption = tab_caption(state, slot);
        if (caption == captions_[slot]) continue;
        captions_[slot] = std::move(caption);
        changed.push_back(slot);
    }
    return changed;
}

std::string slot_menu_group_caption(std::size_t group) {
    const std::size_t first = group * 10 + 1;
    return std::to_string(first) + "..." + std::to_string(first + 9);
}

// ---- names ----------------------------------------------------------------------------------

std::string slot_name(const ConfigState& state, std::size_t slot) { return cp1251_to_utf8(state.slot_name(slot)); }

void set_slot_name(ConfigState& state, std::size_t slot, std::string_view utf8) {
    if (!valid(slot)) return;
    // Windows-1251 holds one character per byte, so the field cut is a character cut.
    state.set_slot_name(slot, utf8_to_cp1251(utf8));
}

std::string source_name(const Record& record, std::size_t source) {
    if (source < 1 || source > kSourceCount) return {};
    return cp1251_to_utf8(record.source_name(source - 1));
}

void set_source_name(Record& record, std::size_t source, std::string_view utf8) {
    if (source < 1 || source > kSourceCount) return;
    record.set_source_name(source - 1, utf8_to_cp1251(utf8));
}

bool source_name_accepts_key(std::string_view utf8_text, bool backspace) {
    return backspace || utf8_length(utf8_text) < kSourceNameChars;
}

// ---- the editor's view ----------------------------------------------------------------------

void SlotTable::select(std::size_t slot) {
    if (valid(slot)) current_ = slot;
}

}  // namespace ztv::slots
