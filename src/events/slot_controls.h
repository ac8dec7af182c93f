// The controls of the slot editor by name: the common event controls and every control of the
// 27 event pages, with the widget that draws it and the captions, units and hints beside it
// (the reaction pages' controls are the reaction control table's). Names are stable: views, tests and the translation tables key on
// them. A trailing "x" marks a control whose texts the code sets.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/control_view.h"
#include "common/text.h"
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

struct EventControlDef {
    std::string_view name;
    std::uint8_t kind;  // the event page
    ControlKind widget;
    EventPart part;
    std::uint8_t id;    // EventChoice or EventNumber for those parts
    TextPair label;
    TextPair unit;
    TextPair hint;
    // The window's separate captions that show the label and the unit, where there are such.
    const char* label_name = nullptr;
    const char* unit_name = nullptr;
};

// In page order within each kind.
std::span<const EventControlDef> event_control_defs();

const EventControlDef* find_event_control(std::string_view name);
const EventControlDef* event_control_for(std::uint8_t kind, EventPart part, std::uint8_t id = 0);

}  // namespace ztv
