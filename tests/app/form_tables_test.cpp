#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/form_tables.h"

namespace ztv {
namespace {

bool ends_with(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST(MainFormTable, Has274CaptionRowsThen36HintRowsWithBothLanguages) {
    const auto table = main_form_table();
    ASSERT_EQ(table.size(), 310u);
    std::set<std::string> keys;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string key = table[i].key;
        SCOPED_TRACE(key);
        EXPECT_EQ(key.rfind("MainForm_", 0), 0u);
        EXPECT_TRUE(ends_with(key, i < 274 ? "_Caption" : "_Hint"));
        EXPECT_GT(std::strlen(table[i].ru), 0u);
        EXPECT_GT(std::strlen(table[i].en), 0u);
        EXPECT_TRUE(keys.insert(key).second) << "duplicate key";
    }
}

TEST(MainFormTable, RowsStartAndEndWhereTheWindowExpects) {
    const auto table = main_form_table();
    EXPECT_STREQ(table.front().key, "MainForm_SpeedButton1_Caption");
    EXPECT_STREQ(table[273].key, "MainForm_CANLOG_SHOWALLID_Caption");
    EXPECT_STREQ(table[274].key, "MainForm_SpeedButtonUpdateDevice_Hint");
    EXPECT_STREQ(table.back().key, "MainForm_CheckBoxEventOnce_Hint");
}

TEST(MainFormTable, KnownRowsCarryTheirTexts) {
    const auto table = main_form_table();
    const auto* keys = find_translation(table, "MainForm_TabSheetKEYS_Caption");
    ASSERT_NE(keys, nullptr);
    EXPECT_STREQ(keys->ru, "Кнопки");
    EXPECT_STREQ(keys->en, "Keys");
    const auto* dxy = find_translation(table, "MainForm_CheckBoxTouchDXY_Hint");
    ASSERT_NE(dxy, nullptr);
    EXPECT_STREQ(dxy->ru, "Настройка углов тачпанели со смещением 10% от углов");
    EXPECT_STREQ(dxy->en, "Setting corners touchpanel with an offset of 10%");
    const auto* hidden = find_translation(table, "MainForm_CANLOG_HIDECURRENTID_Caption");
    ASSERT_NE(hidden, nullptr);
    EXPECT_STREQ(hidden->ru, "Скрыть накопленные");
    EXPECT_STREQ(hidden->en, "Hide accumulated");
    const auto* keys_hint = find_translation(table, "MainForm_SpeedButtonKeysSetup_Hint");
    ASSERT_NE(keys_hint, nullptr);
    EXPECT_STREQ(keys_hint->ru, "Настройка кнопок");
    EXPECT_STREQ(keys_hint->en, "Button settings");
}

TEST(MainFormTable, DropDownListsComeFromTheFieldChoicesWithCrLfBetweenEntries) {
    const auto* touch = find_translation(main_form_table(), "MainForm_ComboBoxTouchMode_Caption");
    ASSERT_NE(touch, nullptr);
    EXPECT_STREQ(touch->en, "Disabled\r\nOnly external\r\nIntercept - 0V\r\nIntercept > 3V\r\nSource...\r\n");
    EXPECT_EQ(std::string(touch->ru).rfind("Отключено\r\n", 0), 0u);
}

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
