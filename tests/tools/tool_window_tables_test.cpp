#include <gtest/gtest.h>

#include <cstring>

#include "tools/tool_window_tables.h"

namespace ztv {
namespace {

TEST(CompanionTables, KeyPickerAndIrEditorRows) {
    const auto keyboard = key_board_table();
    ASSERT_EQ(keyboard.size(), 5u);
    EXPECT_STREQ(keyboard[0].key, "FormKeyBoard_GroupBoxKeyboardPage07_Caption");
    EXPECT_STREQ(keyboard[0].en, " Keyboard, page x07 ");
    EXPECT_STREQ(keyboard[4].en, " System Control ");
    const auto ir = ir_code_table();
    ASSERT_EQ(ir.size(), 3u);
    EXPECT_STREQ(ir[0].key, "FormIRCode_PanelIRCodeType_Caption");
    EXPECT_STREQ(ir[0].en, "Encoding");
    EXPECT_STREQ(ir[1].en, "Address");
    EXPECT_STREQ(ir[2].en, "Command");
    for (const auto& row : keyboard) EXPECT_GT(std::strlen(row.ru), 0u);
    for (const auto& row : ir) EXPECT_GT(std::strlen(row.ru), 0u);
}

}  // namespace
}  // namespace ztv
