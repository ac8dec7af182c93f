#include "events/shown_configuration.h"

#include "config/parameter_model.h"
#include "config/pin_occupation.h"
#include "events/slot_display.h"

namespace ztv {

ConfigSnapshot as_shown(const ConfigSnapshot& image, ConfigOrigin origin) {
    ConfigState state;
    restore_snapshot(image, state);
    if (origin == ConfigOrigin::Controller) state.apply_header_defaults();
    apply_consistency_rules(state);
    run_occupation_pass(state.record);
    normalize_all_slots(state.record);
    return take_snapshot(state);
}

Comparison compare_as_shown(const ConfigSnapshot& before, const ConfigSnapshot& after, ConfigOrigin origin, Lang lang,
                            CompareScope scope) {
    return compare_configurations(as_shown(before, origin), as_shown(after, origin), lang, scope);
}

}  // namespace ztv
