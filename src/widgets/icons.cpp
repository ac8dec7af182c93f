#include "widgets/icons.h"

#include <QFile>

namespace ztv {
namespace {

const char* file_of(ToolIcon icon) {
    switch (icon) {
        case ToolIcon::UpdateDevice: return "update_device";
        case ToolIcon::ReadConfig: return "read_config";
        case ToolIcon::WriteConfig: return "write_config";
        case ToolIcon::ReadDevice: return "read_device";
        case ToolIcon::WriteDevice: return "write_device";
        case ToolIcon::ToDefault: return "to_default";
        case ToolIcon::Reset: return "reset";
        case ToolIcon::OnlyUsed: return "only_used";
        case ToolIcon::KeysSetup: return "keys_setup";
        case ToolIcon::Menu: return "menu";
        case ToolIcon::Program: return "ztv-setup";  // the installed program icon
    }
    return "";
}

}  // namespace

QIcon tool_icon(ToolIcon icon) { return tool_icon(std::string_view(file_of(icon))); }

QIcon tool_icon(std::string_view file_name) {
    const QString name = QString::fromLatin1(file_name.data(), static_cast<qsizetype>(file_name.size()));
#ifdef ZTV_ICON_PNG_SIZES
    // Drawn beforehand at these sizes, for a Qt without the SVG icon engine.
    QIcon drawn;
    for (const int size : {ZTV_ICON_PNG_SIZES}) {
        const QString path = QStringLiteral(":/icons/png/%1x%1/apps/%2.png").arg(size).arg(name);
        if (QFile::exists(path)) drawn.addFile(path, QSize(size, size));
    }
    return drawn;
#else
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    return QFile::exists(path) ? QIcon(path) : QIcon();
#endif
}

}  // namespace ztv
