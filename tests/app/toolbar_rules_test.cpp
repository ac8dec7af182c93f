#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/toolbar_rules.h"
#include "config/field_table.h"

namespace ztv {
namespace {

TEST(ToolbarEnabling, BusyLocksEverything) {
    Record record;
    EXPECT_EQ(toolbar_enabling(true, true, record), ToolbarEnabling{});
}

TEST(ToolbarEnabling, WithoutControllerOnlyTheFileButtons) {
    Record record;
    ToolbarEnabling expected;
    expected.read_config = true;
    expected.write_config = true;
    EXPECT_EQ(toolbar_enabling(false, false, record), expected);
}

TEST(ToolbarEnabling, WithControllerEverythingAndTouchOnlyWithoutCap2Res) {
    Record record;
    const ToolbarEnabling all = toolbar_enabling(false, true, record);
    EXPECT_TRUE(all.update_device && all.read_device && all.write_device && all.to_default && all.reset &&
                all.keys_setup && all.touch_setup && all.read_config && all.write_config);

    record.set_u8(1918, 0xE7);  // every other bit of the byte set: only bits 3-4 decide
    EXPECT_TRUE(toolbar_enabling(false, true, record).touch_setup);
    set_field(record, FieldId::CAP2RES_NUM, 2);
    const ToolbarEnabling cap2res = toolbar_enabling(false, true, record);
    EXPECT_FALSE(cap2res.touch_setup);
    EXPECT_TRUE(cap2res.keys_setup);
}

TEST(ToolbarShortcuts, HintsNameTheirKeysOnceAndNoDestructiveButtonHasOne) {
    EXPECT_EQ(hint_with_keys("Open the device configuration file", "Ctrl+O"),
              "Open the device configuration file (Ctrl+O)");
    EXPECT_EQ(hint_with_keys("Open the device configuration file (Ctrl+O)", "Ctrl+O"),
              "Open the device configuration file (Ctrl+O)");
    EXPECT_EQ(hint_with_keys("Обновление прошивки", ""), "Обновление прошивки");
    std::set<std::string> keys;
    for (const ToolbarShortcut& shortcut : kToolbarShortcuts) {
        EXPECT_TRUE(keys.insert(shortcut.keys).second) << shortcut.keys;
        EXPECT_STRNE(shortcut.button, "SpeedButtonToDefault");
        EXPECT_STRNE(shortcut.button, "SpeedButtonReset");
        EXPECT_STRNE(shortcut.keys, kMainMenuKey);
    }
}

}  // namespace
}  // namespace ztv
