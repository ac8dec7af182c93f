#include "widgets/icons.h"

namespace ztv {
namespace {

const char* file_of(ToolIcon icon) {
    switch (icon) {
        case ToolIcon::UpdateDevice: return "update_device.svg";
        case ToolIcon::ReadConfig: return "read_config.svg";
        case ToolIcon::WriteConfig: return "write_config.svg";
        case ToolIcon::ReadDevice: return "read_device.svg";
        case ToolIcon::WriteDevice: return "write_device.svg";
        case ToolIcon::ToDefault: return "to_default.svg";
        case ToolIcon::Reset: return "reset.svg";
        case ToolIcon::OnlyUsed: return "only_used.svg";
        case ToolIcon::KeysSetup: return "keys_setup.svg";
        case ToolIcon::Menu: return "menu.svg";
        case ToolIcon::Program: return "ztv-setup.svg";  // the installed program icon
    }
    return "";
}

}  // namespace

QIcon tool_icon(ToolIcon icon) { return QIcon(QStringLiteral(":/icons/") + QLatin1String(file_of(icon))); }

}  // namespace ztv
