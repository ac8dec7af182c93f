#include "app/pane_split.h"

#include <gtest/gtest.h>

#include <climits>

namespace ztv {
namespace {

TEST(ParameterSplit, DefaultGivesTheEditorWhatItAsksAndBothHalvesTheirLeast) {
    EXPECT_EQ(parameter_split(600, std::nullopt, 360).editor, 360);
    EXPECT_EQ(parameter_split(600, std::nullopt, 360).pages, 240);
    // A short kind page leaves the rest to the pages (the button grid can use it)...
    EXPECT_EQ(parameter_split(900, std::nullopt, 300).pages, 600);
    // ...a tall one does not squeeze them below their least.
    EXPECT_EQ(parameter_split(600, std::nullopt, 590).pages, kMinParameterPagesHeight);
    EXPECT_EQ(parameter_split(600, std::nullopt, 10).editor, kMinEventEditorHeight);
    const PaneSplit tight = parameter_split(kMinParameterPagesHeight + kMinEventEditorHeight, std::nullopt, 0);
    EXPECT_EQ(tight.pages, kMinParameterPagesHeight);
    EXPECT_EQ(tight.editor, kMinEventEditorHeight);
}

// Only a move that takes height from the editor within the same total waits.
TEST(ParameterSplit, OnlyAShorterEditorInTheSameHeightWaits) {
    EXPECT_TRUE(shrinks_editor({346, 413}, {451, 308}));
    EXPECT_FALSE(shrinks_editor({451, 308}, {346, 413}));
    EXPECT_FALSE(shrinks_editor({451, 308}, {451, 308}));
    EXPECT_FALSE(shrinks_editor({451, 308}, {500, 300}));  // a new total moves the border at once
}

// A share stored from a maximised window suits a smaller start: the halves keep their ratio.
TEST(ParameterSplit, StoredShareWinsWithinTheBoundsAtAnyHeight) {
    EXPECT_EQ(parameter_split(600, 500, 100).pages, 300);
    EXPECT_EQ(parameter_split(1200, 500, 100).pages, 600);
    EXPECT_EQ(parameter_split(600, 1, 100).pages, kMinParameterPagesHeight);
    EXPECT_EQ(parameter_split(600, 999, 100).editor, kMinEventEditorHeight);
    EXPECT_EQ(parameter_split(600, INT_MAX, 100).pages + parameter_split(600, INT_MAX, 100).editor, 600);
    EXPECT_EQ(parameter_split(600, INT_MIN, 100).pages, kMinParameterPagesHeight);
    EXPECT_EQ(pages_share({300, 600}), 333);
    EXPECT_EQ(pages_share({0, 600}), 1);
    EXPECT_EQ(pages_share({600, 0}), kSplitShareScale - 1);
    EXPECT_EQ(parameter_split(900, pages_share({300, 600}), 0).pages, 299);
}

TEST(ParameterSplit, TooLittleRoomIsSharedInTheRatioOfTheLeastHeights) {
    const PaneSplit split = parameter_split(195, 500, 100);
    EXPECT_EQ(split.pages + split.editor, 195);
    EXPECT_EQ(split.pages, 195 * kMinParameterPagesHeight / (kMinParameterPagesHeight + kMinEventEditorHeight));
    EXPECT_EQ(parameter_split(0, std::nullopt, 100).pages, 0);
    EXPECT_EQ(parameter_split(-5, std::nullopt, 100).editor, 0);
}

}  // namespace
}  // namespace ztv
