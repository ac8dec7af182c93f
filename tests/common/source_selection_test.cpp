#include <gtest/gtest.h>

#include "common/source_selection.h"

namespace ztv {
namespace {

TEST(SourceSelection, EntryIMeansBitIAndSourceIPlusOne) {
    const auto ticks = ticks_of(0b1000'0101);
    EXPECT_TRUE(ticks[0]);
    EXPECT_FALSE(ticks[1]);
    EXPECT_TRUE(ticks[2]);
    EXPECT_TRUE(ticks[7]);
    EXPECT_STREQ(source_entry_text(0), "1");
    EXPECT_STREQ(source_entry_text(7), "8");
    EXPECT_STREQ(source_entry_text(8), "");
    EXPECT_STREQ(source_entry_text(1000), "");
}

TEST(SourceSelection, EveryMaskSurvivesTheWindowUnchanged) {
    for (int mask = 0; mask < 256; ++mask)
        EXPECT_EQ(mask_of(ticks_of(static_cast<std::uint8_t>(mask))), mask) << mask;
}

}  // namespace
}  // namespace ztv
