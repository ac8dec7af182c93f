// The main window's translation table.
#pragma once

#include <span>

#include "common/translation_table.h"

namespace ztv {

// "MainForm": 274 caption rows and 36 hint rows.
std::span<const TranslationRow> main_form_table();

}  // namespace ztv
