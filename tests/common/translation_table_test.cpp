#include "common/translation_table.h"

#include <gtest/gtest.h>

namespace ztv {
namespace {

constexpr TranslationRow kRows[] = {
    {"MainForm_TabSheetKEYS_Caption", "Кнопки", "Keys"},
    {"MainForm_TabSheetKEYS_Caption", "Второй", "Second"},
    {"MainForm_PanelOnlyRu_Caption", "Только русский", ""},
    {"MainForm_SpeedButtonLangx_Caption", "Язык", "Language"},
    {"", "", ""},
    {"MainForm_AfterEnd_Caption", "После", "After"},
};

TEST(TranslationTable, FirstExactRowWinsAndEnglishFallsBackToRussian) {
    const TranslationRow* row = find_translation(kRows, translation_key("MainForm", "TabSheetKEYS", "Caption"));
    ASSERT_NE(row, nullptr);
    EXPECT_STREQ(row->text(Lang::English), "Keys");
    EXPECT_STREQ(row->text(Lang::Russian), "Кнопки");
    EXPECT_EQ(find_translation(kRows, "mainform_TabSheetKEYS_Caption"), nullptr);  // byte for byte
    const TranslationRow* ru_only = find_translation(kRows, "MainForm_PanelOnlyRu_Caption");
    ASSERT_NE(ru_only, nullptr);
    EXPECT_STREQ(ru_only->text(Lang::English), "Только русский");
}

TEST(TranslationTable, CodeSetControlsAndRowsPastTheEndAreNeverFound) {
    EXPECT_EQ(find_translation(kRows, "MainForm_SpeedButtonLangx_Caption"), nullptr);
    EXPECT_EQ(find_translation(kRows, "MainForm_AfterEnd_Caption"), nullptr);
    EXPECT_EQ(find_translation(kRows, "x_Caption"), nullptr);
    EXPECT_EQ(find_translation(kRows, ""), nullptr);
}

TEST(TranslationIndex, AnswersEveryKeyAsTheLinearLookupDoes) {
    const TranslationIndex index(kRows);
    for (const char* key : {"MainForm_TabSheetKEYS_Caption", "mainform_TabSheetKEYS_Caption",
                            "MainForm_PanelOnlyRu_Caption", "MainForm_SpeedButtonLangx_Caption",
                            "MainForm_AfterEnd_Caption", "x_Caption", ""})
        EXPECT_EQ(index.find(key), find_translation(kRows, key)) << key;
    EXPECT_EQ(index.find("MainForm_TabSheetKEYS_Caption"), &kRows[0]);
}

}  // namespace
}  // namespace ztv
