// Pictures of the key picker's multimedia buttons, drawn by the program itself (like the
// toolbar's), so the picker needs no image files and looks the same on every system.
#pragma once

#include <QIcon>

#include <cstdint>

namespace ztv {

// The picture of a consumer-page usage (0x00B0 PLAY ... 0x0224 BACK); a null icon for a
// usage the picker has no button for.
QIcon media_key_icon(std::uint16_t usage);

}  // namespace ztv
