// The parameter pages' model: the page refresh (record -> every control as a ControlView) and
// the edits (a user's action -> the record), both driven by the binding rows. Views only draw
// what the refresh returns and hand each action to one edit function; texts cross as UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/control_view.h"
#include "common/text.h"
#include "config/config_state.h"
#include "config/parameter_bindings.h"

namespace ztv {

struct ParameterPageView {
    std::string_view name;  // the page's sheet name ("TabSheetPINS")
    Text caption;
    std::vector<ControlView> controls;  // in binding-table order
};

// The page refresh: first writes the consistency rules into the record (no head unit -> type
// "ALPINE", "Amplifier controls" alone, IEBUS coordinates only with a function, UART times
// in range, CAP2RES clears the touch options), then runs the pin occupation pass, then returns
// every page in tab order as the controls must show. Calling it twice gives the same views.
std::vector<ParameterPageView> refresh_pages(ConfigState& state);

// The consistency writes of the refresh alone (the first step above).
void apply_consistency_rules(ConfigState& state);

// The view of one control after a refresh, for views that redraw a single control.
std::optional<ControlView> control_view(const ConfigState& state, std::string_view control);

// The edit of a user's action on a control (found by the action's name): the value goes through
// the control's metadata (config/control_dispatch.h) and its binding's checks into the record,
// and the outcome says what to show and redraw. An unknown control, an action its widget does
// not give or a value beyond its entries is refused without a message and changes nothing.
// Lists and pin lists take the index, tick boxes 0 or 1, edits the typed UTF-8 text (on Enter),
// spins the shown number, check lists and source masks the mask, the source names a row and
// its text. Buttons are the view's.
EditOutcome edit_parameter(ConfigState& state, const ControlAction& action);

// The source names' cell rule: a key other than Backspace is refused while the cell holds
// five or more characters.
bool source_name_accepts_key(std::string_view cell_utf8, bool backspace);

// "Ask for the sources": the follow-up an edit names when the view must open the source
// selection window. The view asks with the question's lines and preset, then calls
// finish_sources with the confirmed mask, or nullopt when the window was closed without "OK".
inline constexpr std::string_view kFollowUpSources = "sources";

struct SourceQuestion {
    Text first_line;   // "Interception touchpanel", "Touch to USB"
    Text second_line;  // "in source selection:", "on sources:"
    std::uint8_t preset = 0;
};

std::optional<SourceQuestion> source_question(const ConfigState& state, std::string_view control);
EditOutcome finish_sources(ConfigState& state, std::string_view control, std::optional<std::uint8_t> chosen);

// The IEBUS function rules on one change of the ticked set: "Amplifier controls" stands
// alone, and of each exclusive pair the newly ticked one wins. Bits 11-14 are dropped.
std::uint16_t iebus_functions_after(std::uint16_t old_set, std::uint16_t ticked);

}  // namespace ztv
