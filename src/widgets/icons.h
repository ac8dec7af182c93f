// The toolbar's pictures, drawn by the program itself so that it needs no image files.
#pragma once

#include <QIcon>

namespace ztv {

enum class ToolIcon { UpdateDevice, ReadConfig, WriteConfig, ReadDevice, WriteDevice, ToDefault, Reset, OnlyUsed,
                      KeysSetup, TouchSetup, Program, Menu };

QIcon tool_icon(ToolIcon icon);

}  // namespace ztv
