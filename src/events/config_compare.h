// What differs between two configurations, as a person reads it: the parameter pages (page,
// then "caption: this -> that" with the texts `ztv-tool show` prints), the slots (number and
// name, then each description line that changed), the learned buttons, the touch calibration
// block, and any other stored byte that none of these shows. "No changes" when they are equal.
#pragma once

#include <string>

#include "common/text.h"
#include "config/config_history.h"

namespace ztv {

struct CompareScope {
    // The controller keeps no slot names; a comparison with it leaves them out.
    bool slot_names = true;
};

struct Comparison {
    bool differ = false;
    std::string text;  // one line per difference under its group's heading, each ending in \n
};

// Byte for byte over what the scope covers; the text describes `before` turning into `after`.
bool configurations_differ(const ConfigSnapshot& before, const ConfigSnapshot& after, CompareScope scope = {});
Comparison compare_configurations(const ConfigSnapshot& before, const ConfigSnapshot& after, Lang lang,
                                  CompareScope scope = {});

}  // namespace ztv
