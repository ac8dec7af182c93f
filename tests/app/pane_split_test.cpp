#include "app/pane_split.h"

#include <gtest/gtest.h>

#include <climits>

namespace ztv {
namespace {

TEST(ParameterSplit, DefaultGivesThePagesTwoFifthsAndBothHalvesTheirLeast) {
    EXPECT_EQ(parameter_split(600, std::nullopt).pages, 240);
    EXPECT_EQ(parameter_split(600, std::nullopt).editor, 360);
    // Just room for both least heights: two fifths would squeeze the pages.
    const PaneSplit tight = parameter_split(kMinParameterPagesHeight + kMinEventEditorHeight, std::nullopt);
    EXPECT_EQ(tight.pages, kMinParameterPagesHeight);
    EXPECT_EQ(tight.editor, kMinEventEditorHeight);
}

TEST(ParameterSplit, StoredHeightWinsWithinTheBounds) {
    EXPECT_EQ(parameter_split(600, 300).pages, 300);
    EXPECT_EQ(parameter_split(600, 300).editor, 300);
    EXPECT_EQ(parameter_split(600, 1).pages, kMinParameterPagesHeight);
    EXPECT_EQ(parameter_split(600, 5000).editor, kMinEventEditorHeight);
    EXPECT_EQ(parameter_split(600, INT_MAX).pages + parameter_split(600, INT_MAX).editor, 600);
    EXPECT_EQ(parameter_split(600, INT_MIN).pages, kMinParameterPagesHeight);
}

TEST(ParameterSplit, TooLittleRoomIsSharedInTheRatioOfTheLeastHeights) {
    const PaneSplit split = parameter_split(195, 100);
    EXPECT_EQ(split.pages + split.editor, 195);
    EXPECT_EQ(split.pages, 195 * kMinParameterPagesHeight / (kMinParameterPagesHeight + kMinEventEditorHeight));
    EXPECT_EQ(parameter_split(0, std::nullopt).pages, 0);
    EXPECT_EQ(parameter_split(-5, std::nullopt).editor, 0);
}

}  // namespace
}  // namespace ztv
