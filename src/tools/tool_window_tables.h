// The translation tables of the two tool windows the event editor opens.
#pragma once

#include <span>

#include "common/translation_table.h"

namespace ztv {

// "FormKeyBoard": the five group-box captions of the USB key picker.
std::span<const TranslationRow> key_board_table();
// "FormIRCode": the three captions of the IR code editor.
std::span<const TranslationRow> ir_code_table();

}  // namespace ztv
