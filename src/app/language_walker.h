// Applies a translation table to a window: every named control whose rows exist gets its
// caption, list entries and hint in the chosen language, keeping selections and check marks.
#pragma once

#include <QStringList>

#include <span>

#include "common/translation_table.h"
#include "widgets/control_kinds.h"

class QObject;
class QWidget;

namespace ztv {

// Entries of a multi-line table text: CR LF (or LF) between entries, no empty last entry.
QStringList split_entries(const QString& text);

void translate_window(std::span<const TranslationRow> table, QWidget* window, Lang lang);

}  // namespace ztv
