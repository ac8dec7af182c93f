// What differs between two configurations, as a person reads it: the parameter pages (page,
// then "caption: this -> that" with the texts `ztv-tool show` prints), the slots (number and
// name, then each description line that changed), the learned buttons, the touch calibration
// block, and any other stored byte that none of these shows. "No changes" when they are equal.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/text.h"
#include "config/config_history.h"

namespace ztv {

// The sides a comparison names when they are no file: the connected controller and the
// configuration the window shows.
inline constexpr TextPair kControllerSide{"контроллер", "controller"};
inline constexpr TextPair kWindowSide{"это окно", "this window"};

struct CompareScope {
    CompareScope(bool with_slot_names = true, std::string before_side = {}, std::string after_side = {})
        : slot_names(with_slot_names), before(std::move(before_side)), after(std::move(after_side)) {}
    // The controller keeps no slot names; a comparison with it leaves them out.
    bool slot_names;
    // The names of the two sides ("controller", "this window", a file name): when given, the
    // differences start with the line "before -> after" that says which way they go.
    std::string before;
    std::string after;
};

// One difference: what a control, line or byte was and becomes, or (with `note`) what changed
// in its own words ("250 ms (disabled -> usable)").
struct CompareLine {
    std::string label;  // empty when the line needs none (the touch block)
    std::string before;
    std::string after;
    std::string note;   // set instead of before and after
};
struct CompareGroup {
    std::string heading;  // a page's caption, "Slot 5 (Wipers)", "Learned buttons"...
    std::vector<CompareLine> lines;
};

struct Comparison {
    bool differ = false;
    std::string text;  // one line per difference under its group's heading, each ending in \n
    std::vector<CompareGroup> groups;  // the same, as data
};

// Byte for byte over what the scope covers; the text describes `before` turning into `after`.
bool configurations_differ(const ConfigSnapshot& before, const ConfigSnapshot& after, CompareScope scope = {});
Comparison compare_configurations(const ConfigSnapshot& before, const ConfigSnapshot& after, Lang lang,
                                  CompareScope scope = {});

}  // namespace ztv
