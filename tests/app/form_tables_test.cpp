#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/form_tables.h"
#include "config/parameter_bindings.h"
#include "events/event_catalogue.h"
#include "events/reaction_catalogue.h"

namespace ztv {
namespace {

bool ends_with(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST(MainFormTable, CaptionRowsThenHintRowsWithBothLanguagesAndUniqueKeys) {
    const auto table = main_form_table();
    ASSERT_GT(table.size(), 300u);
    std::set<std::string> keys;
    bool hints = false;
    for (const TranslationRow& row : table) {
        const std::string key = row.key;
        SCOPED_TRACE(key);
        EXPECT_EQ(key.rfind("MainForm_", 0), 0u);
        if (ends_with(key, "_Hint")) hints = true;
        EXPECT_TRUE(ends_with(key, hints ? "_Hint" : "_Caption")) << "captions come before hints";
        EXPECT_GT(std::strlen(row.ru), 0u);
        EXPECT_GT(std::strlen(row.en), 0u);
        EXPECT_TRUE(keys.insert(key).second) << "duplicate key";
        // A control whose name ends in "x" gets its texts from code, never from the table.
        const std::string control = key.substr(0, key.rfind('_'));
        EXPECT_NE(control.back(), 'x');
    }
    EXPECT_TRUE(hints);
    EXPECT_STREQ(table.front().key, "MainForm_TabSheetMonitoring_Caption");
}

const TranslationRow& row(const char* key) {
    static const TranslationRow missing{"", "", ""};
    const TranslationRow* found = find_translation(main_form_table(), key);
    EXPECT_NE(found, nullptr) << key;
    return found != nullptr ? *found : missing;
}

std::string joined(std::span<const TextPair> entries, Lang lang) {
    std::string text;
    for (const TextPair& entry : entries) text.append(pick(entry, lang)).append("\r\n");
    return text;
}

TEST(MainFormTable, KnownRowsCarryTheirTexts) {
    EXPECT_STREQ(row("MainForm_TabSheetKEYS_Caption").ru, "Кнопки");
    EXPECT_STREQ(row("MainForm_TabSheetKEYS_Caption").en, "Keys");
    EXPECT_STREQ(row("MainForm_CheckBoxTouchDXY_Hint").en, "Setting corners touchpanel with an offset of 10%");
    EXPECT_STREQ(row("MainForm_CANLOG_HIDECURRENTID_Caption").ru, "Скрыть накопленные");
    EXPECT_STREQ(row("MainForm_SpeedButtonKeysSetup_Hint").en, "Button settings");
    EXPECT_STREQ(row("MainForm_ComboBoxTouchMode_Caption").en,
                 "Disabled\r\nOnly external\r\nIntercept - 0V\r\nIntercept > 3V\r\nSource...\r\n");
    // The X5 pins carry their own hint, as the pin rules say.
    EXPECT_STREQ(row("MainForm_ComboBoxX57_Hint").en, "Default state on power up");
    EXPECT_STREQ(row("MainForm_ComboBoxX22_Hint").en, "Pin type and default state on power up");
    // Fixed page captions are not translated.
    EXPECT_EQ(find_translation(main_form_table(), "MainForm_TabSheetIDRIVE_Caption"), nullptr);
    EXPECT_EQ(find_translation(main_form_table(), "MainForm_TabSheetRESEMUL_Caption"), nullptr);
}

TEST(MainFormTable, EventAndReactionListsAreTheCataloguesOwn) {
    const struct {
        const char* key;
        std::span<const TextPair> entries;
    } lists[] = {
        {"MainForm_ComboBoxEventRegion_Caption", event_lists::areas()},
        {"MainForm_ComboBoxEventGestureFrom_Caption", event_lists::areas()},
        {"MainForm_ComboBoxEventGestureTo_Caption", event_lists::gesture_ends()},
        {"MainForm_ComboBoxEventNAVIMUTE_Caption", event_lists::navi_mute()},
        {"MainForm_ComboBoxEventUSB_Caption", event_lists::activation()},
        {"MainForm_ComboBoxEventPinPin_Caption", event_lists::pin_inputs()},
        {"MainForm_ComboBoxEventEvent_Caption", trigger_type_names()},
        {"MainForm_ComboBoxEventReactionPinNUM_Caption", reaction_lists::output_pins},
        {"MainForm_ComboBoxReactionUSBMouseType_Caption", reaction_lists::mouse_actions},
        {"MainForm_ComboBoxReactionGNNAVIMODE_Caption", reaction_lists::ganet},
        {"MainForm_ComboBoxReactionIROUTNUM_Caption", reaction_lists::ir_output_pins},
        {"MainForm_ComboBoxReactionCurMoveDirection_Caption", reaction_lists::cursor_directions},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.key);
        EXPECT_EQ(row(list.key).ru, joined(list.entries, Lang::Russian));
        EXPECT_EQ(row(list.key).en, joined(list.entries, Lang::English));
    }
}

TEST(MainFormTable, ParameterRowsAreTheBindingTablesOwn) {
    std::size_t checked = 0;
    for (const ParamBinding& binding : parameter_bindings()) {
        SCOPED_TRACE(binding.control);
        if (binding.label_name != nullptr) {
            const std::string key = translation_key("MainForm", binding.label_name, "Caption");
            EXPECT_STREQ(row(key.c_str()).en, binding.label.en);
            EXPECT_STREQ(row(key.c_str()).ru, binding.label.ru);
            ++checked;
        }
        const std::string hint = translation_key("MainForm", binding.control, "Hint");
        if (binding.hint.en != nullptr) {
            EXPECT_STREQ(row(hint.c_str()).en, binding.hint.en);
            ++checked;
        } else {
            EXPECT_EQ(find_translation(main_form_table(), hint), nullptr);
        }
    }
    EXPECT_GT(checked, 80u);  // the loop did look at the table
}

}  // namespace
}  // namespace ztv
