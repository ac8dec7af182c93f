// What the window makes of a configuration before it shows it. The page refresh writes its
// consistency rules and pin resets into the record, showing a slot writes that slot's display
// rules, and a configuration read from the controller first gets the header defaults. None of
// this is the user's doing and none of it is sent on its own: it stays in the window until a
// whole write or an edit of the same bytes carries it. A comparison that is to agree with what
// a write really changes therefore restates both of its sides alike.
#pragma once

#include "config/config_history.h"
#include "events/config_compare.h"

namespace ztv {

// Where a configuration comes from: a configuration file gets no header defaults.
enum class ConfigOrigin { File, Controller };

ConfigSnapshot as_shown(const ConfigSnapshot& image, ConfigOrigin origin);

// compare_configurations with both sides restated alike: `origin` says where the other side
// of the configuration shown comes from.
Comparison compare_as_shown(const ConfigSnapshot& before, const ConfigSnapshot& after, ConfigOrigin origin, Lang lang,
                            CompareScope scope = {});

}  // namespace ztv
