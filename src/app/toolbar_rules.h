// When a command may be used: a busy program locks the toolbar, files work without a
// controller, and touch calibration needs a controller without a CAP2RES module.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/record.h"

namespace ztv {

enum class EnablingRule : std::uint8_t {
    Always,      // never locked: the menu, the language, the filter
    Idle,        // locked while an operation runs: the configuration files
    Controller,  // idle, with a controller connected
    TouchPanel,  // as Controller, and no CAP2RES module has taken over the touch panel
    Owner,       // its owner decides (undo and redo follow the history)
};

// What the toolbar lock allows now, for every rule at once.
class ToolbarEnabling {
public:
    ToolbarEnabling() = default;
    ToolbarEnabling(bool busy, bool connected, const Record& record);
    bool allows(EnablingRule rule) const;
    bool operator==(const ToolbarEnabling&) const = default;

private:
    bool idle_ = false;
    bool controller_ = false;
    bool touch_panel_ = false;
};

// A hint that names its keys: "Open the device configuration file (Ctrl+O)". A hint that
// already names them is returned as it is, so redrawing it never doubles them.
std::string hint_with_keys(std::string_view hint, std::string_view keys);

}  // namespace ztv
