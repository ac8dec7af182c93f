#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/command_table.h"
#include "app/toolbar_rules.h"
#include "config/field_table.h"

namespace ztv {
namespace {

using R = EnablingRule;

TEST(ToolbarEnabling, BusyLocksEverythingButTheFreeCommands) {
    Record record;
    const ToolbarEnabling busy(true, true, record);
    EXPECT_TRUE(busy.allows(R::Always));
    for (const R rule : {R::Idle, R::Controller, R::TouchPanel}) EXPECT_FALSE(busy.allows(rule));
}

TEST(ToolbarEnabling, WithoutControllerOnlyTheFileCommands) {
    Record record;
    const ToolbarEnabling alone(false, false, record);
    EXPECT_TRUE(alone.allows(R::Idle));
    EXPECT_FALSE(alone.allows(R::Controller));
    EXPECT_FALSE(alone.allows(R::TouchPanel));
}

TEST(ToolbarEnabling, WithControllerEverythingAndTouchOnlyWithoutCap2Res) {
    Record record;
    const ToolbarEnabling all(false, true, record);
    for (const R rule : {R::Always, R::Idle, R::Controller, R::TouchPanel}) EXPECT_TRUE(all.allows(rule));

    record.set_u8(1918, 0xE7);  // every other bit of the byte set: only bits 3-4 decide
    EXPECT_TRUE(ToolbarEnabling(false, true, record).allows(R::TouchPanel));
    set_field(record, FieldId::CAP2RES_NUM, 2);
    const ToolbarEnabling cap2res(false, true, record);
    EXPECT_FALSE(cap2res.allows(R::TouchPanel));
    EXPECT_TRUE(cap2res.allows(R::Controller));
    EXPECT_NE(cap2res, all);
}

TEST(ToolbarShortcuts, HintsNameTheirKeysOnceAndNoDestructiveCommandHasOne) {
    EXPECT_EQ(hint_with_keys("Open the device configuration file", "Ctrl+O"),
              "Open the device configuration file (Ctrl+O)");
    EXPECT_EQ(hint_with_keys("Open the device configuration file (Ctrl+O)", "Ctrl+O"),
              "Open the device configuration file (Ctrl+O)");
    EXPECT_EQ(hint_with_keys("Обновление прошивки", ""), "Обновление прошивки");
    std::set<std::string> keys;
    for (const CommandRow& row : kCommands) {
        if (row.keys[0] == '\0') continue;
        EXPECT_TRUE(keys.insert(row.keys).second) << row.keys;
        EXPECT_NE(row.command, Command::ToDefault);
        EXPECT_NE(row.command, Command::Reset);
    }
}

}  // namespace
}  // namespace ztv
