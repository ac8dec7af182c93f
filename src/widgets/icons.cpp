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

QIcon tool_icon(ToolIcon icon) {
#ifdef ZTV_ICON_PNG_SIZES
    // Drawn beforehand at these sizes, for a Qt without the SVG icon engine.
    QString name = QLatin1String(file_of(icon));
    name.chop(4);  // ".svg"
    QIcon drawn;
    for (const int size : {ZTV_ICON_PNG_SIZES})
        drawn.addFile(QStringLiteral(":/icons/png/%1x%1/apps/%2.png").arg(size).arg(name), QSize(size, size));
    return drawn;
#else
    return QIcon(QStringLiteral(":/icons/") + QLatin1String(file_of(icon)));
#endif
}

}  // namespace ztv
