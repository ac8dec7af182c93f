// The height of the terminal's input pane: what the page accepts and what the settings file
// may hold. Far beyond any screen, a height leaves no room for the received lines (or
// overflows the splitter's arithmetic), so such a stored value is not used.
#pragma once

namespace ztv {

inline constexpr int kDefaultTerminalInputHeight = 64;
inline constexpr int kMinTerminalInputHeight = 16;
inline constexpr int kMaxTerminalInputHeight = 2000;

}  // namespace ztv
