// The main window's translation table.
#pragma once

#include <span>

#include "common/translation_table.h"

namespace ztv {

// "MainForm": 303 caption rows and 40 hint rows; the toolbar and the main menu take their texts
// from the command table.
std::span<const TranslationRow> main_form_table();

}  // namespace ztv
