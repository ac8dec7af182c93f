#include "session/edit_steps.h"

#include "common/format.h"
#include "config/parameter_bindings.h"

namespace ztv {

Text parameter_step_name(std::string_view control) {
    const ParamBinding* binding = find_binding(control);
    if (binding == nullptr) return Text::same(std::string(control));
    if (binding->label.ru != nullptr && binding->label.ru[0] != '\0') return to_text(binding->label);
    for (const ParamPageDef& page : parameter_pages())
        if (page.id == binding->page) return to_text(page.caption);
    return Text::same(std::string(control));
}

Text slot_step_name(std::size_t slot) { return format_pair(step::kSlot, static_cast<int>(slot) + 1); }

Text slot_name_step_name(std::size_t slot) { return format_pair(step::kSlotName, static_cast<int>(slot) + 1); }

}  // namespace ztv
