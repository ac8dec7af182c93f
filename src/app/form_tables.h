// The translation tables of the three translated windows.
#pragma once

#include <span>

#include "app/translation_table.h"

namespace ztv {

// "MainForm": 274 caption rows and 36 hint rows.
std::span<const TranslationRow> main_form_table();
// "FormKeyBoard": the five group-box captions of the USB key picker.
std::span<const TranslationRow> key_board_table();
// "FormIRCode": the three captions of the IR code editor.
std::span<const TranslationRow> ir_code_table();

}  // namespace ztv
