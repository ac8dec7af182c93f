#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ztv
