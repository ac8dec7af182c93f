#include "app/form_tables.h"

namespace ztv {
namespace {

// The leading and trailing blanks keep the captions clear of the group boxes' frames.
constexpr TranslationRow kKeyBoardTable[] = {
    {"FormKeyBoard_GroupBoxKeyboardPage07_Caption", " Клавиатура, страница x07 ", " Keyboard, page x07 "},
    {"FormKeyBoard_GroupBoxKeyCodes_Caption", " Коды клавиш ", " Key codes "},
    {"FormKeyBoard_GroupBoxKeyboardPage0C_Caption", " Клавиатура, страница x0C ", " Keyboard, page x0C "},
    {"FormKeyBoard_GroupBoxMMKeyCode_Caption", " Мультимедийный код ", " Multimedia code "},
    {"FormKeyBoard_GroupBoxSystemControl_Caption", " Управление системой ", " System Control "},
};

constexpr TranslationRow kIrCodeTable[] = {
    {"FormIRCode_PanelIRCodeType_Caption", "Кодировка", "Encoding"},
    {"FormIRCode_PanelIRCodeAddress_Caption", "Адрес", "Address"},
    {"FormIRCode_PanelIRCodeCommand_Caption", "Команда", "Command"},
};

}  // namespace

std::span<const TranslationRow> key_board_table() { return kKeyBoardTable; }
std::span<const TranslationRow> ir_code_table() { return kIrCodeTable; }

}  // namespace ztv
