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

// Edits. Each takes the control's name and what the user did, writes the record and says
// what to show and redraw. An unknown control, a kind that does not take that action or a
// value beyond the control's entries is refused without a message and changes nothing.
EditOutcome edit_choice(ConfigState& state, std::string_view control, int index);  // lists, pin lists, source masks
EditOutcome edit_tick(ConfigState& state, std::string_view control, bool ticked);  // tick boxes
EditOutcome edit_text(ConfigState& state, std::string_view control, std::string_view utf8);  // edits, on Enter
EditOutcome edit_number(ConfigState& state, std::string_view control, std::int64_t shown);   // spins
EditOutcome edit_bits(ConfigState& state, std::string_view control, std::uint32_t mask);     // check lists
EditOutcome edit_row(ConfigState& state, std::string_view control, int row, std::string_view utf8);  // source names

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
