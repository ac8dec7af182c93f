#include "tools/tool_window_tables.h"

#include "tools/ir_code_editor.h"
#include "tools/key_picker.h"

namespace ztv {
namespace {

constexpr TranslationRow row(const char* key, const TextPair& text) { return {key, text.ru, text.en}; }

// The captions are the key picker's and the IR code editor's own texts.
constexpr TranslationRow kKeyBoardTable[] = {
    row("FormKeyBoard_GroupBoxKeyboardPage07_Caption", kPickerKeyboardGroup),
    row("FormKeyBoard_GroupBoxKeyCodes_Caption", kPickerKeyCodesGroup),
    row("FormKeyBoard_GroupBoxKeyboardPage0C_Caption", kPickerConsumerGroup),
    row("FormKeyBoard_GroupBoxMMKeyCode_Caption", kPickerConsumerCodeGroup),
    row("FormKeyBoard_GroupBoxSystemControl_Caption", kPickerSystemGroup),
};

constexpr TranslationRow kIrCodeTable[] = {
    row("FormIRCode_PanelIRCodeType_Caption", kIrCodeEncoding),
    row("FormIRCode_PanelIRCodeAddress_Caption", kIrCodeAddress),
    row("FormIRCode_PanelIRCodeCommand_Caption", kIrCodeCommand),
};

}  // namespace

std::span<const TranslationRow> key_board_table() { return kKeyBoardTable; }
std::span<const TranslationRow> ir_code_table() { return kIrCodeTable; }

}  // namespace ztv
