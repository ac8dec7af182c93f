// What the event half of the slot editor shows for one slot once the display rules have been
// applied to the record. A view draws it as it stands; every decision is already made here.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/text.h"
#include "events/event_catalogue.h"

namespace ztv {

// One list of the event page.
struct EventChoiceView {
    EventChoice id{};
    std::span<const TextPair> items;  // entry texts; position = stored value
    int selected = -1;                // -1 when the stored value lies beyond the list
};

// One numeric field of the event page.
struct EventNumberView {
    EventNumber id{};
    std::uint32_t value = 0;
    std::string text;  // what the field shows (decimal)
    TextPair unit{};   // label after the field: "mSec", "mV" or "cm"
};

struct TriggerView {
    bool enabled = false;                        // the list can be changed
    std::array<bool, kTriggerTypeCount> offered{};  // "Disabled", "Short", "Long", "Any"
    unsigned type = 0;                           // bits 0-3 of the flag byte
};

struct CheckView {
    bool checked = false;
    bool enabled = false;
};

// The "Source" choice: "Any", then a second entry reading "Select..." or the chosen sources.
struct SourceChoiceView {
    Text second_entry;
    int selected = 0;  // 0 "Any", 1 the second entry
    bool enabled = false;
};

struct EventView {
    std::uint8_t kind = 0;  // the page to select
    TextPair title{};       // its title
    TriggerView trigger;
    CheckView once;
    CheckView wake_up;
    SourceChoiceView source;

    // "Button" page: labels of the main button and of the modifier ("Mod"); the delete entries
    // of their context menus are offered only while they are set.
    bool has_key = false;
    std::string key_label;
    bool has_mod = false;
    std::string mod_label;

    // "IR code" page: the code's text, or "Get the code" without one.
    bool has_ir_code = false;
    Text ir_text;

    // Lists and numeric fields of the page, in page order (empty for pages without any). The
    // "Voltage" comparison is the two-entry list "<", ">" drawn as a toggle button.
    std::vector<EventChoiceView> choices;
    std::vector<EventNumberView> numbers;

    // "Serial" and "UART" pages: the stored text (UTF-8) and where it is received.
    std::string text_value;
    TextPair text_origin{};
};

}  // namespace ztv
