// The toolbar's pictures: SVG files built into the program (src/widgets/icons, their colours
// from one palette), drawn by Qt's SVG icon engine at each screen's size and pixel ratio.
#pragma once

#include <QIcon>

namespace ztv {

// Program, the window's icon, is the last.
enum class ToolIcon { UpdateDevice, ReadConfig, WriteConfig, ReadDevice, WriteDevice, ToDefault, Reset, OnlyUsed,
                      KeysSetup, Menu, Program };

QIcon tool_icon(ToolIcon icon);

}  // namespace ztv
