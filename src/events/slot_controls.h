// The controls of the slot editor by name: the common event controls and every control of the
// 27 event pages, each described by its metadata (the reaction pages' controls are the reaction
// control table's). Names are stable: views, tests and the translation tables key on them. A
// trailing "x" marks a control whose texts the code sets.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/control_view.h"
#include "common/text.h"
#include "config/control_meta.h"
#include "events/event_catalogue.h"
#include "events/reaction_catalogue.h"
#include "events/reaction_controls.h"

namespace ztv {

// The controls every event kind shares.
namespace event_common {
inline constexpr std::string_view kTrigger = "ComboBoxEventEvent";  // "Press": "Disabled" ... "Any"
inline constexpr std::string_view kOnce = "CheckBoxEventOnce";      // "One time only"
inline constexpr std::string_view kWakeUp = "CheckBoxEventWakeUp";  // "Wake Up"
inline constexpr std::string_view kSource = "ComboBoxEventSRCMASK"; // "Source": "Any", "Select..."
}  // namespace event_common

// Event page controls that are neither a catalogue list nor a numeric field.
enum class EventPart : std::uint8_t { Choice, Number, Key, Mod, IrCode, Comparison, Text, TextOrigin };

// A control of an event page: its metadata (a list's entries and a number's range are the
// catalogue's) and what of the event it shows.
struct EventControlDef : ControlMeta {
    std::string_view name;
    std::uint8_t kind = 0;  // the event page
    EventPart part = EventPart::Choice;
    std::uint8_t id = 0;    // EventChoice or EventNumber for those parts
};

// In page order within each kind.
std::span<const EventControlDef> event_control_defs();

const EventControlDef* find_event_control(std::string_view name);
const EventControlDef* event_control_for(std::uint8_t kind, EventPart part, std::uint8_t id = 0);

}  // namespace ztv
