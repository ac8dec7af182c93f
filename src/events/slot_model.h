// The table of 80 event/reaction slots inside the record, and the PC-side slot names: the
// operations the editor performs on a slot, the common flag rules, the texts that name a slot
// and its sources, and the rules for placing learned buttons into a "Button" event.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "config/config_state.h"
#include "config/source_mask.h"
#include "config/record.h"
#include "config/source_mask.h"

namespace ztv::slots {

inline constexpr std::size_t kEventKindCount = 27;     // codes 0-26
inline constexpr std::size_t kReactionKindCount = 28;  // codes 0-27

// Byte positions within one 17-byte slot.
inline constexpr std::size_t kEventKindByte = 0;
inline constexpr std::size_t kSourceMaskByte = 1;
inline constexpr std::size_t kKeyByte = 2;          // "Button" event: key number 1-15 (0 none)
inline constexpr std::size_t kKeyChannelByte = 3;   // channel 0-3, or 4 for an encoder
inline constexpr std::size_t kModKeyByte = 4;       // the modifier held with it
inline constexpr std::size_t kModChannelByte = 5;
inline constexpr std::size_t kFlagsByte = 10;
inline constexpr std::size_t kReactionKindByte = 11;
inline constexpr std::size_t kReactionSize = kSlotSize - kSlotEventSize;  // bytes 11-16

inline constexpr std::uint8_t kButtonEvent = 0;
inline constexpr std::uint8_t kIrEvent = 1;
inline constexpr std::uint8_t kEncoderChannel = 4;

enum class TriggerType : std::uint8_t { Disabled = 0, Short = 1, Long = 2, Any = 3 };

// ---- one slot -------------------------------------------------------------------------------

bool is_empty(const Record& record, std::size_t slot);  // all 17 bytes 0
std::uint8_t event_kind(const Record& record, std::size_t slot);
std::uint8_t reaction_kind(const Record& record, std::size_t slot);

// A different kind clears its whole part first (for the event: source mask and flags too);
// the same kind changes nothing.
void set_event_kind(Record& record, std::size_t slot, std::uint8_t kind);
void set_reaction_kind(Record& record, std::size_t slot, std::uint8_t kind);
void delete_event(Record& record, std::size_t slot);     // a "Button" event with no button
void delete_reaction(Record& record, std::size_t slot);  // a "USB key" reaction with no key
void delete_key(Record& record, std::size_t slot);       // "Button" event: main button only
void delete_mod_key(Record& record, std::size_t slot);   // "Button" event: modifier only
void delete_ir_code(Record& record, std::size_t slot);   // an "IR code" event without a code

// Event flags. Bits 6-7 of the flag byte mean nothing to the program and are kept.
std::uint8_t trigger_type(const Record& record, std::size_t slot);
bool once(const Record& record, std::size_t slot);
bool wake_up(const Record& record, std::size_t slot);
void set_trigger_type(Record& record, std::size_t slot, std::uint8_t type);  // 0-3
void set_once(Record& record, std::size_t slot, bool on);
void set_wake_up(Record& record, std::size_t slot, bool on);

// Source mask: bit n = head-unit source n + 1; 0 = any source.
std::uint8_t source_mask(const Record& record, std::size_t slot);
void set_source_mask(Record& record, std::size_t slot, std::uint8_t mask);
// A mask of all eight sources means any source and is stored as 0.
std::uint8_t stored_source_mask(std::uint8_t chosen);
// The outcome of the source choice window: nullopt (cancelled) keeps the mask; a mask of no
// source or of all eight is stored as 0, "Any".
void choose_source_mask(Record& record, std::size_t slot, std::optional<std::uint8_t> chosen);

// ---- consistency when a slot is shown -------------------------------------------------------

// Kinds beyond the catalogues clear their part (byte 0 above 26: the event part, byte 11
// above 27: the reaction part). Returns true when it changed the record.
bool clear_unknown_kinds(Record& record, std::size_t slot);

enum class Forcing : std::uint8_t { Free, On, Off };

// What an event kind allows of the common controls (the per-kind table is the catalogue's).
struct FlagRule {
    bool trigger_enabled = true;       // false: the trigger list is disabled and the type is 0
    bool only_disabled_or_any = false; // the list offers "Disabled" and "Any" only
    Forcing once = Forcing::Free;
    bool wake_up_allowed = true;
};

// The state of the common controls after the rule was written into the slot.
struct FlagControls {
    bool trigger_enabled = true;
    bool once_enabled = true;
    bool wake_up_enabled = true;
};

// Writes a kind's rule into the flag byte: a disabled list sets type 0, a "Disabled"/"Any"
// list turns any other type into "Any", forcing sets or clears once, a once left free is
// cleared and locked while the type is "Disabled" or "Short", and wake-up is cleared where the
// kind does not allow it.
FlagControls apply_flag_rule(Record& record, std::size_t slot, const FlagRule& rule);
// The state of the common controls under the rule, for a slot the rule has been applied to.
FlagControls flag_controls(const Record& record, std::size_t slot, const FlagRule& rule);

// ---- the whole table ------------------------------------------------------------------------

// Kinds that occur in the table; empty slots count, so kind 0 of both is always there.
struct UsedKinds {
    std::bitset<kEventKindCount> events;
    std::bitset<kReactionKindCount> reactions;
};
UsedKinds used_kinds(const Record& record);
// The kind pages the editor shows: the used ones with "only used" on, all of them otherwise.
UsedKinds visible_kinds(const Record& record, bool only_used);

// A learned button deleted from the button table: every "Button" event that refers to it as
// its main button or its modifier loses that reference. key 1-15, channel 0-3.
void forget_button(Record& record, std::uint8_t key, std::uint8_t channel);

// ---- buttons dropped on a "Button" event ----------------------------------------------------

enum class DropTarget : std::uint8_t { Key, Modifier };

// A button dragged from the button table: a learned key (channel 0-3, key 1-15) or an encoder
// direction (channel 4, key 1-2 encoder 1, 3-4 encoder 2).
struct DraggedButton {
    std::uint8_t channel = 0;
    std::uint8_t key = 0;
};

// Whether the drop would be taken (the field is shown green, or red when not): only on a
// "Button" event, only a learned key or a direction of a connected encoder, and the main
// button and its modifier on different channels, an encoder never being a modifier.
bool drop_accepted(const Record& record, std::size_t slot, DropTarget target, DraggedButton button);
// Stores the button when the drop is accepted; returns whether it was.
bool drop_button(Record& record, std::size_t slot, DropTarget target, DraggedButton button);

// ---- texts ----------------------------------------------------------------------------------

// The source texts are the configuration's (kAnySource, kSelectSources, source_numbers).
using ztv::kAnySource;
using ztv::kSelectSources;
using ztv::source_numbers;
// The source mask as the description shows it: "Any" for 0, otherwise the numbers.
Text source_list_text(std::uint8_t mask);

// The source choice of the editor: entry 0 "Any", entry 1 "Select..." or the chosen sources.
struct SourceChoice {
    int selected = 0;
    Text second_entry;
};
SourceChoice source_choice(std::uint8_t mask);

// Tab captions: "7" for an empty slot, "7* (Wipers)" with a name, "7*" without one (UTF-8,
// the same in both languages; the name is shown in full, 32 characters at most).
std::string tab_caption(const ConfigState& state, std::size_t slot);

// The captions the tab row shows, so that only tabs whose caption changed are touched.
class TabCaptions {
public:
    TabCaptions();                          // "1" to "80", as after a reset
    void reset();
    // Recomputes all 80 captions; returns the slots whose caption changed.
    std::vector<std::size_t> refresh(const ConfigState& state);
    const std::string& operator[](std::size_t slot) const { return captions_[slot]; }

private:
    std::array<std::string, kSlotCount> captions_;
};

// The slot menu groups ten slots each: "1...10" to "71...80".
inline constexpr std::size_t kSlotMenuGroups = kSlotCount / 10;
std::string slot_menu_group_caption(std::size_t group);

// ---- names ----------------------------------------------------------------------------------

inline constexpr std::size_t kSlotNameChars = kSlotNameSize;  // one byte per character in the record
inline constexpr std::size_t kSourceNameChars = kSourceNameSize;

// Slot names and source names are held as Windows-1251; these take and give UTF-8 and cut
// the text to its field (32 and 5 characters).
std::string slot_name(const ConfigState& state, std::size_t slot);
void set_slot_name(ConfigState& state, std::size_t slot, std::string_view utf8);
std::string source_name(const Record& record, std::size_t source);  // source 1-8
void set_source_name(Record& record, std::size_t source, std::string_view utf8);
// Typing into a source name: refused once the text holds 5 characters, except Backspace.
bool source_name_accepts_key(std::string_view utf8_text, bool backspace);

// ---- the editor's view of the table ---------------------------------------------------------

// The slot operations on the editor's current slot, over the program's state.
class SlotTable {
public:
    explicit SlotTable(ConfigState& state) : state_(state) {}

    std::size_t current() const { return current_; }
    void select(std::size_t slot);  // ignored outside 0-79
    void reset() { current_ = 0; }  // slot 1 after a configuration reset

    void set_event_kind(std::uint8_t kind) { slots::set_event_kind(record(), current_, kind); }
    void set_reaction_kind(std::uint8_t kind) { slots::set_reaction_kind(record(), current_, kind); }
    void delete_event() { slots::delete_event(record(), current_); }
    void delete_reaction() { slots::delete_reaction(record(), current_); }
    void set_trigger_type(std::uint8_t type) { slots::set_trigger_type(record(), current_, type); }
    void set_once(bool on) { slots::set_once(record(), current_, on); }
    void set_wake_up(bool on) { slots::set_wake_up(record(), current_, on); }
    void set_source_mask(std::uint8_t mask) { slots::set_source_mask(record(), current_, mask); }
    void set_name(std::string_view utf8) { slots::set_slot_name(state_, current_, utf8); }
    std::string tab_caption(std::size_t slot) const { return slots::tab_caption(state_, slot); }
    UsedKinds used_kinds() const { return slots::used_kinds(state_.record); }

private:
    Record& record() { return state_.record; }

    ConfigState& state_;
    std::size_t current_ = 0;
};

}  // namespace ztv::slots
