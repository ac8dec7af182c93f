// The dynamic properties by which the language switch's window walker tells what a plain Qt
// widget stands for, where the Qt class alone does not say it (a QLabel drawn as a panel and
// one drawn as a label act alike). Widgets set them; the walker reads them.
#pragma once

namespace ztv {

inline constexpr const char* kControlKind = "ztvKind";
inline constexpr const char* kKindCheckList = "checklist";   // QListWidget of check items
inline constexpr const char* kKindRadioGroup = "radiogroup"; // QGroupBox of radio buttons
inline constexpr const char* kKindUpDown = "updown";         // arrows only: hint
inline constexpr const char* kKindPaintBox = "paintbox";     // drawn area: hint
// Set on every control whose hint came from a table, as the form designer's ShowHint.
inline constexpr const char* kShowHint = "ShowHint";

}  // namespace ztv
