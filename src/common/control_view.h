// The one shape in which every page of the program is drawn: parameter pages, event pages and
// reaction pages alike. A page refresh in the core writes its consistency rules into the
// record and then returns one ControlView per control; a small set of generic widgets draws any
// page from these views and turns the user's action into one core edit, which answers with an
// EditOutcome. Plain data, no toolkit; texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/host.h"
#include "common/text.h"

namespace ztv {

// How a control is drawn and what a user action on it hands to the core.
enum class ControlKind : std::uint8_t {
    List,       // drop-down list: `items`, `selected`; the edit takes the chosen index
    Check,      // tick box: `checked`; the edit takes 0 or 1
    Edit,       // text field committed with Enter: `text`; the edit takes the typed text
    Spin,       // number with arrows: `value` within `minimum`..`maximum`; the edit takes the number
    CheckList,  // list of tick boxes: `items`, `bits` (bit n = item n ticked); the edit takes the mask
    Button,     // push button or clickable field whose caption is `text`; the edit is the click
    Label,      // text the code sets (`text`); no edit
    Table,      // rows of texts (`items`), e.g. the source names; the edit takes row and text
};

struct ControlView {
    std::string_view name;     // the control's name ("ComboBoxGPSNUM"): the key views and tests use
    ControlKind kind = ControlKind::Label;
    Text label;                // caption beside the control; empty: none
    Text unit;                 // text after the control ("mSec"); empty: none
    Text hint;                 // tool tip; empty: none
    std::vector<Text> items;   // List, CheckList, Table
    std::vector<Text> columns; // Table: column titles; empty: no header row
    int selected = -1;         // List: -1 when the stored value names no entry
    std::uint32_t bits = 0;    // CheckList
    bool checked = false;      // Check
    Text text;                 // Edit, Button, Label
    std::int64_t value = 0;    // Spin
    std::int64_t minimum = 0;  // Spin
    std::int64_t maximum = 0;  // Spin
    int max_length = 0;        // Edit: characters the field takes, 0 for no limit
    bool enabled = true;
    bool visible = true;
};

// Finds a control of a page by name; nullptr when the page has none.
inline const ControlView* find_control(const std::vector<ControlView>& page, std::string_view name) {
    for (const ControlView& control : page)
        if (control.name == name) return &control;
    return nullptr;
}

// One user action on a bound control, in the shape the core's edits take it.
struct ControlAction {
    std::string name;  // the control's name, as in its ControlView
    ControlKind kind = ControlKind::Label;
    // List: the chosen index; Check: 0 or 1; Spin: the number; CheckList: the mask of ticked
    // items; Table: the row (0-based); Edit, Button: 0.
    std::int64_t value = 0;
    // Edit: the text as typed, committed with Enter; Table: the row's new text. UTF-8.
    std::string text;
};

// What a view does after it handed a user action to the core.
struct EditOutcome {
    enum class Redraw : std::uint8_t {
        Nothing,  // the control already shows what was stored
        Page,     // redraw the page (or slot) the control is on
        All,      // run the whole page refresh
    };
    enum class Focus : std::uint8_t {
        None,
        Control,   // back to the edited control, its text selected, pointer to its centre
        PinsPage,  // show the "Pins" page first
    };

    bool accepted = true;            // false: the record holds what it held before (or `writes` say)
    Text message;                    // empty: nothing to show
    int box_type = kBoxInformation;  // message box type for the message
    Redraw redraw = Redraw::Nothing;
    Focus focus = Focus::None;
    // A follow-up the view must run before the edit is complete (e.g. "ask for the sources");
    // empty when there is none. The core names it; the view maps it to a window.
    std::string follow_up;
};

}  // namespace ztv
