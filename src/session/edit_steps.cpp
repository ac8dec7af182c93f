#include "session/edit_steps.h"

#include "common/format.h"
#include "config/parameter_bindings.h"

namespace ztv {

Text parameter_step_name(std::string_view control) {
    const ParamBinding* binding = find_binding(control);
    if (binding == nullptr || binding->label.ru == nullptr || binding->label.ru[0] == '\0') return to_text(step::kEdit);
    return to_text(binding->label);
}

Text slot_step_name(std::size_t slot) { return format_pair(step::kSlot, static_cast<int>(slot) + 1); }

}  // namespace ztv
