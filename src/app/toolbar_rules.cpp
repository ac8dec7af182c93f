#include "app/toolbar_rules.h"

#include "config/field_table.h"

namespace ztv {

ToolbarEnabling toolbar_enabling(bool busy, bool connected, const Record& record) {
    ToolbarEnabling e;
    if (busy) return e;
    e.read_config = true;
    e.write_config = true;
    if (!connected) return e;
    e.update_device = true;
    e.read_device = true;
    e.write_device = true;
    e.to_default = true;
    e.reset = true;
    e.keys_setup = true;
    // A CAP2RES module takes over the touch panel, so there is nothing of ours to calibrate.
    e.touch_setup = get_field(record, FieldId::CAP2RES_NUM) == 0;
    return e;
}

std::string hint_with_keys(std::string_view hint, std::string_view keys) {
    std::string suffix = " (";
    suffix.append(keys).append(")");
    std::string result(hint);
    if (keys.empty() || result.ends_with(suffix)) return result;
    return result + suffix;
}

}  // namespace ztv
