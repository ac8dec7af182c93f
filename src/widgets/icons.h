// The toolbar's pictures: SVG files built into the program (src/widgets/icons, their colours
// from one palette), drawn by Qt's SVG icon engine at each screen's size and pixel ratio.
#pragma once

#include <QIcon>

#include <string_view>

namespace ztv {

// Program, the window's icon, is the last.
enum class ToolIcon { UpdateDevice, ReadConfig, WriteConfig, ReadDevice, WriteDevice, ToDefault, Reset, OnlyUsed,
                      KeysSetup, Menu, Program };

QIcon tool_icon(ToolIcon icon);
// A picture by its file name without ".svg" ("read_config"); a null icon for an unknown name.
QIcon tool_icon(std::string_view name);

}  // namespace ztv
