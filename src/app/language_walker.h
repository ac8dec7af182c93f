// Applies a translation table to a window: every named control whose rows exist gets its
// caption, list entries and hint in the chosen language, keeping selections and check marks.
#pragma once

#include <QStringList>

#include <span>

#include "app/translation_table.h"

class QObject;
class QWidget;

namespace ztv {

// The dynamic property that tells the walker what a plain Qt widget stands for, where the Qt
// class alone does not say it (a QLabel drawn as a panel and one drawn as a label act alike).
inline constexpr const char* kControlKind = "ztvKind";
inline constexpr const char* kKindCheckList = "checklist";   // QListWidget of check items
inline constexpr const char* kKindRadioGroup = "radiogroup"; // QGroupBox of radio buttons
inline constexpr const char* kKindUpDown = "updown";         // arrows only: hint
inline constexpr const char* kKindPaintBox = "paintbox";     // drawn area: hint
// Set on every control whose hint came from a table, as the form designer's ShowHint.
inline constexpr const char* kShowHint = "ShowHint";

// Entries of a multi-line table text: CR LF (or LF) between entries, no empty last entry.
QStringList split_entries(const QString& text);

void translate_window(std::span<const TranslationRow> table, QWidget* window, Lang lang);

}  // namespace ztv
