// Which toolbar buttons may be used: a busy program locks them all, files work without a
// controller, and touch calibration needs a controller without a CAP2RES module.
#pragma once

#include "config/record.h"

namespace ztv {

struct ToolbarEnabling {
    bool update_device = false;
    bool read_config = false;
    bool write_config = false;
    bool read_device = false;
    bool write_device = false;
    bool to_default = false;
    bool reset = false;
    bool keys_setup = false;
    bool touch_setup = false;

    bool operator==(const ToolbarEnabling&) const = default;
};

ToolbarEnabling toolbar_enabling(bool busy, bool connected, const Record& record);

}  // namespace ztv
