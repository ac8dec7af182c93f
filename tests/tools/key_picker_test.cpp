// The key picker's keys, clicks, code fields and marks, without a window.
#include "tools/key_picker.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace ztv {
namespace {

using Reaction = std::array<std::uint8_t, 6>;

std::string name_of_key(unsigned usage) { return "PanelKey" + std::to_string(usage) + "x"; }

std::set<std::string> marked(const Reaction& r) {
    const PickerView view = picker_view(r);
    std::set<std::string> names;
    for (std::size_t i = 0; i < view.marked.size(); ++i)
        if (view.marked[i]) names.insert(picker_keys()[i].name);
    return names;
}

TEST(KeyPicker, KeysAreNamedForTheirCodes) {
    const std::vector<PickerKey>& keys = picker_keys();
    ASSERT_EQ(keys.size(), 8u + 96u + 19u + 8u);
    std::set<std::string> names;
    for (const PickerKey& key : keys) EXPECT_TRUE(names.insert(key.name).second) << key.name;
    EXPECT_TRUE(names.count("PanelMod7x"));
    EXPECT_TRUE(names.count("PanelKey4x"));
    EXPECT_FALSE(names.count("PanelKey50x"));
    EXPECT_FALSE(names.count("PanelKey100x"));
    EXPECT_TRUE(names.count("SpeedButtonMMKey00CDx"));
    EXPECT_TRUE(names.count("SpeedButtonMMKey0224x"));
    EXPECT_TRUE(names.count("SystemControl7x"));
    EXPECT_EQ(keys.back().caption.en, "Menu Exit");
    EXPECT_EQ(picker_title(6).en, "Keyboard (Reactions for the event 7)");
    EXPECT_EQ(picker_title(6).ru, "Клавиатура (реакция на событие 7)");
}

TEST(KeyPicker, TheTwoMostRecentKeysRemain) {
    Reaction r{};
    for (unsigned usage : {4u, 5u, 6u}) EXPECT_TRUE(click_picker_key(r, name_of_key(usage)));  // A, B, C
    EXPECT_EQ(r, (Reaction{0, 7, 0, 5, 6, 0}));
    EXPECT_EQ(marked(r), (std::set<std::string>{"PanelKey5x", "PanelKey6x"}));
    click_picker_key(r, name_of_key(5));  // B again: C stays alone
    EXPECT_EQ(r, (Reaction{0, 7, 0, 6, 0, 0}));
    click_picker_key(r, name_of_key(6));  // the only key: nothing left, no report
    EXPECT_EQ(r, (Reaction{0, 0, 0, 0, 0, 0}));
    click_picker_key(r, name_of_key(4));
    click_picker_key(r, name_of_key(5));
    click_picker_key(r, name_of_key(5));  // the second key again clears it
    EXPECT_EQ(r, (Reaction{0, 7, 0, 4, 0, 0}));
}

TEST(KeyPicker, ModifiersToggleAndKeepTheReport) {
    Reaction r{};
    click_picker_key(r, "PanelMod0x");
    click_picker_key(r, "PanelMod5x");
    EXPECT_EQ(r, (Reaction{0, 7, 0x21, 0, 0, 0}));
    click_picker_key(r, name_of_key(4));
    click_picker_key(r, name_of_key(4));  // the key goes, the modifiers keep the report
    EXPECT_EQ(r, (Reaction{0, 7, 0x21, 0, 0, 0}));
    EXPECT_EQ(marked(r), (std::set<std::string>{"PanelMod0x", "PanelMod5x"}));
}

TEST(KeyPicker, AnotherReportOrReactionStartsClean) {
    Reaction ir = {1, 0x45, 0x20, 0x01, 0x01, 3};  // a "Send IR code" reaction
    click_picker_key(ir, "SpeedButtonMMKey00E9x");
    EXPECT_EQ(ir, (Reaction{0, 12, 0, 0xE9, 0x00, 0}));
    EXPECT_EQ(marked(ir), (std::set<std::string>{"SpeedButtonMMKey00E9x"}));
    EXPECT_EQ(picker_view(ir).multimedia, "x00E9");
    EXPECT_FALSE(picker_view(ir).key1);  // a consumer report leaves the key fields as they are
    click_picker_key(ir, "SpeedButtonMMKey00E9x");
    EXPECT_EQ(ir, (Reaction{0, 0, 0, 0, 0, 0}));

    Reaction keyboard = {0, 7, 0x01, 4, 5, 9};
    click_picker_key(keyboard, "SystemControl2x");
    EXPECT_EQ(keyboard, (Reaction{0, 1, 0, 0x04, 0, 0}));
    EXPECT_EQ(marked(keyboard), (std::set<std::string>{"SystemControl2x"}));
    click_picker_key(keyboard, "SystemControl3x");
    EXPECT_EQ(keyboard[3], 0x08);
    click_picker_key(keyboard, "SystemControl3x");
    EXPECT_EQ(keyboard, (Reaction{0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(click_picker_key(keyboard, "PanelKey50x"));
}

TEST(KeyPicker, CodeFieldsReadHexOrDecimalAndClamp) {
    EXPECT_EQ(parse_picker_code("x1F", 255), 31u);
    EXPECT_EQ(parse_picker_code("X1f", 255), 31u);
    EXPECT_EQ(parse_picker_code("x", 255), 0u);
    EXPECT_EQ(parse_picker_code("xZZ", 255), 0u);
    EXPECT_EQ(parse_picker_code("300", 255), 255u);
    EXPECT_EQ(parse_picker_code("12abc", 255), 12u);
    EXPECT_EQ(parse_picker_code("abc", 255), 0u);
    EXPECT_EQ(parse_picker_code("99999999999999999999999", 65535), 65535u);
    EXPECT_EQ(parse_picker_code("xFFFFFFFFFFFFFFFFFFFF", 65535), 65535u);

    Reaction r{};
    enter_picker_code(r, PickerField::Key1, "x1F");
    enter_picker_code(r, PickerField::Key2, "300");
    EXPECT_EQ(r, (Reaction{0, 7, 0, 31, 255, 0}));
    const PickerView view = picker_view(r);
    EXPECT_EQ(view.key1, "x1F");
    EXPECT_EQ(view.key2, "xFF");
    EXPECT_TRUE(marked(r).count("PanelKey31x"));
    enter_picker_code(r, PickerField::Multimedia, "x0224");
    EXPECT_EQ(r, (Reaction{0, 12, 0, 0x24, 0x02, 0}));
}

TEST(KeyPicker, AnotherReactionKindChangesNothingShown) {
    const Reaction mouse = {8, 2, 0, 0, 0, 0};
    const PickerView view = picker_view(mouse);
    EXPECT_FALSE(view.usb_reaction);
    EXPECT_TRUE(view.marked.empty());
    const PickerView none = picker_view(Reaction{});
    EXPECT_TRUE(none.usb_reaction);
    EXPECT_EQ(none.key1, "x00");
    EXPECT_EQ(none.key2, "x00");
    EXPECT_EQ(none.multimedia, "x0000");
    EXPECT_TRUE(marked(Reaction{}).empty());
}

}  // namespace
}  // namespace ztv
