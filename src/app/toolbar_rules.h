// Which toolbar buttons may be used: a busy program locks them all, files work without a
// controller, and touch calibration needs a controller without a CAP2RES module.
#pragma once

#include <array>
#include <string>
#include <string_view>

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

// Keys for the toolbar operations a user reaches for most. A key presses its button, so a
// locked button ignores it and each operation asks what it asks when clicked: writing to the
// controller its question, the firmware update its file. Resetting the configuration and
// restarting the controller have no key: one stray press must not be all it takes.
struct ToolbarShortcut {
    const char* button;  // object name of the toolbar button
    const char* keys;    // in the portable form a key sequence is written
};
inline constexpr std::array<ToolbarShortcut, 5> kToolbarShortcuts{{
    {"SpeedButtonReadConfig", "Ctrl+O"},
    {"SpeedButtonWriteConfig", "Ctrl+S"},
    {"SpeedButtonReadDevice", "Ctrl+R"},
    {"SpeedButtonWriteDevice", "Ctrl+W"},
    {"SpeedButtonUpdateDevice", "Ctrl+U"},
}};
// Opens the main popup menu, as the menu button at the toolbar's end does.
inline constexpr const char* kMainMenuKey = "F10";

// A hint that names its keys: "Open the device configuration file (Ctrl+O)". A hint that
// already names them is returned as it is, so redrawing it never doubles them.
std::string hint_with_keys(std::string_view hint, std::string_view keys);

}  // namespace ztv
