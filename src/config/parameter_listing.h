// The parameter pages as text: each page's caption, then one line per visible control with
// the value it shows. `ztv-tool show` prints it; the comparison of two configurations pairs
// its lines by control.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "config/config_state.h"

namespace ztv {

struct ParameterLine {
    std::string_view control;  // the control's name, the same on every refresh
    bool labelled = true;      // "label: value"; a bare label shows its text alone as the value
    std::string label;
    std::string value;         // with the " (disabled)" mark of a control that is greyed out
    std::string bare_value;    // without it
    bool enabled = true;
    std::string text() const { return labelled ? label + ": " + value : value; }
};

struct ParameterPageListing {
    std::string caption;
    std::vector<ParameterLine> lines;
};

// After the page refresh (which writes its consistency rules into state).
std::vector<ParameterPageListing> list_parameter_pages(ConfigState& state, Lang lang);
// One control's line as the record holds it, without the refresh's consistency writes (a UART
// delay stored as 0 reads "0 ms", not the 500 the page would restate); nullopt for an unknown name.
std::optional<ParameterLine> list_stored_control(const ConfigState& state, std::string_view control, Lang lang);
// The listing as `show` prints it: a heading per page, two blanks before each control's line.
std::string show_pages(ConfigState& state, Lang lang);

}  // namespace ztv
