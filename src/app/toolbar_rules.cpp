#include "app/toolbar_rules.h"

#include "config/field_table.h"

namespace ztv {

ToolbarEnabling::ToolbarEnabling(bool busy, bool connected, const Record& record)
    : idle_(!busy), controller_(!busy && connected),
      // A CAP2RES module takes over the touch panel, so there is nothing of ours to calibrate.
      touch_panel_(controller_ && get_field(record, FieldId::CAP2RES_NUM) == 0) {}

bool ToolbarEnabling::allows(EnablingRule rule) const {
    switch (rule) {
        case EnablingRule::Always:
        case EnablingRule::Owner: return true;
        case EnablingRule::Idle: return idle_;
        case EnablingRule::Controller: return controller_;
        case EnablingRule::TouchPanel: return touch_panel_;
    }
    return false;
}

std::string hint_with_keys(std::string_view hint, std::string_view keys) {
    std::string suffix = " (";
    suffix.append(keys).append(")");
    std::string result(hint);
    if (keys.empty() || result.ends_with(suffix)) return result;
    return result + suffix;
}

}  // namespace ztv
