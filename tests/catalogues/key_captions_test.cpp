#include <gtest/gtest.h>

#include "catalogues/key_captions.h"

namespace ztv {
namespace {

TEST(KeyCaptions, NinetySixKeyboardKeys) {
    const auto keys = keyboard_keys();
    ASSERT_EQ(keys.size(), 96u);
    for (std::size_t i = 1; i < keys.size(); ++i) EXPECT_LT(keys[i - 1].usage, keys[i].usage);
    EXPECT_EQ(keys.front().usage, 4);
    EXPECT_EQ(keys.back().usage, 101);
    EXPECT_EQ(keyboard_key_caption(50), nullptr);
    EXPECT_EQ(keyboard_key_caption(100), nullptr);
    EXPECT_EQ(keyboard_key_caption(3), nullptr);
    EXPECT_EQ(keyboard_key_caption(102), nullptr);
}

TEST(KeyCaptions, KeyboardCaptions) {
    EXPECT_STREQ(keyboard_key_caption(4), "A");
    EXPECT_STREQ(keyboard_key_caption(29), "Z");
    EXPECT_STREQ(keyboard_key_caption(30), "1");
    EXPECT_STREQ(keyboard_key_caption(39), "0");
    EXPECT_STREQ(keyboard_key_caption(44), "____");
    EXPECT_STREQ(keyboard_key_caption(49), "\\");
    EXPECT_STREQ(keyboard_key_caption(52), "'");
    EXPECT_STREQ(keyboard_key_caption(53), "`");
    EXPECT_STREQ(keyboard_key_caption(58), "F1");
    EXPECT_STREQ(keyboard_key_caption(69), "F12");
    EXPECT_STREQ(keyboard_key_caption(79), ">");
    EXPECT_STREQ(keyboard_key_caption(82), "^");
    EXPECT_STREQ(keyboard_key_caption(88), "Enter");
    EXPECT_STREQ(keyboard_key_caption(89), "1");
    EXPECT_STREQ(keyboard_key_caption(98), "0");
    EXPECT_STREQ(keyboard_key_caption(99), ".");
    EXPECT_STREQ(keyboard_key_caption(101), "Apps");
}

TEST(KeyCaptions, ModifiersLeftThenRight) {
    const char* expected[] = {"Ctrl", "Shift", "Alt", "Win", "Ctrl", "Shift", "Alt", "Win"};
    for (unsigned bit = 0; bit < 8; ++bit) EXPECT_STREQ(key_modifier_caption(bit), expected[bit]);
    EXPECT_STREQ(key_modifier_caption(8), "");
}

TEST(KeyCaptions, NineteenMultimediaKeys) {
    ASSERT_EQ(consumer_keys().size(), 19u);
    EXPECT_STREQ(consumer_key_caption(0x00B0), "PLAY");
    EXPECT_STREQ(consumer_key_caption(0x00CD), "PLAY/PAUSE");
    EXPECT_STREQ(consumer_key_caption(0x0194), "MACHINE BROWSER");
    EXPECT_STREQ(consumer_key_caption(0x0224), "BACK");
    EXPECT_EQ(consumer_key_caption(0x00B8), nullptr);
    EXPECT_EQ(consumer_key_caption(0), nullptr);
}

TEST(KeyCaptions, SystemControlKeysAreTranslated) {
    EXPECT_STREQ(system_control_caption(0).en, "Power Down");
    EXPECT_STREQ(system_control_caption(7).en, "Menu Exit");
    for (unsigned bit = 0; bit < 8; ++bit) EXPECT_STRNE(system_control_caption(bit).ru, system_control_caption(bit).en);
    EXPECT_STREQ(system_control_caption(8).en, "");
}

}  // namespace
}  // namespace ztv
