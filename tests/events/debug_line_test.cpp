#include <gtest/gtest.h>

#include "events/debug_line.h"

namespace ztv {
namespace {

std::string rewritten(std::string line, Lang lang = Lang::English) {
    rewriteDebugLine(line, lang);
    return line;
}

bool changes(std::string line) { return rewriteDebugLine(line, Lang::English); }

TEST(DebugLine, LinNumberBecomesItsName) {
    std::string line = "12:00 LIN frame EV:29 len 8";
    EXPECT_TRUE(rewriteDebugLine(line, Lang::English));
    EXPECT_EQ(line, "12:00 LIN frame EV:VOL UP len 8");
}

TEST(DebugLine, EveryRuleNamesFromItsOwnList) {
    EXPECT_EQ(rewritten(" IDRIVE  EV:13"), " IDRIVE  EV:ROTATE_RIGHT");
    EXPECT_EQ(rewritten(" MJOY  EV:11"), " MJOY  EV:ROTATE_RIGHT");
    EXPECT_EQ(rewritten(" RJOY  EV:16"), " RJOY  EV:ROTATE_LEFT");
    EXPECT_EQ(rewritten(" JOY  EV:25"), " JOY  EV:KEY PHONE");
    EXPECT_EQ(rewritten(" MMI  EV:15"), " MMI  EV:VOL DN");
    EXPECT_EQ(rewritten(" HK  EV:29"), " HK  EV:KEY_TUNE");
    EXPECT_EQ(rewritten(" IBUS  EV:64"), " IBUS  EV:ENGINE OFF");
    EXPECT_EQ(rewritten(" IEBUS  EV:99"), " IEBUS  EV:KEY CALENDAR");
    EXPECT_EQ(rewritten(" GANET  EV:14"), " GANET  EV:*KEY_CDAUX");
    EXPECT_EQ(rewritten("x SW VW EV:3 y"), "x SW VW EV:ACC ON y");
    EXPECT_EQ(rewritten(" MCTRL  EV:32"), " MCTRL  EV:ENC_VOL_DN");
    EXPECT_EQ(rewritten(" PORSHE KEYS  EV:5"), " PORSHE KEYS  EV:KEY NAVI");
}

TEST(DebugLine, SingleWireCanNamesAreTranslated) {
    EXPECT_EQ(rewritten(" SW VW EV:3", Lang::Russian), " SW VW EV:ACC ВКЛ");
    EXPECT_EQ(rewritten(" SW VW EV:9", Lang::English), " SW VW EV:RING ON");
    EXPECT_EQ(rewritten(" LIN  EV:29", Lang::Russian), " LIN  EV:VOL UP");
}

TEST(DebugLine, NumbersAtOrBeyondTheBoundLeaveTheLine) {
    EXPECT_FALSE(changes(" LIN  EV:92"));
    EXPECT_TRUE(changes(" LIN  EV:91"));
    EXPECT_FALSE(changes(" IDRIVE  EV:27"));
    EXPECT_FALSE(changes(" MJOY  EV:12"));
    EXPECT_FALSE(changes(" RJOY  EV:17"));
    EXPECT_FALSE(changes(" JOY  EV:26"));
    EXPECT_FALSE(changes(" MMI  EV:33"));
    EXPECT_FALSE(changes(" HK  EV:30"));
    EXPECT_FALSE(changes(" IBUS  EV:65"));
    EXPECT_FALSE(changes(" IEBUS  EV:100"));
    EXPECT_FALSE(changes(" GANET  EV:67"));
    EXPECT_FALSE(changes(" SW VW EV:10"));
    EXPECT_FALSE(changes(" MCTRL  EV:33"));
    EXPECT_FALSE(changes(" PORSHE KEYS  EV:6"));
    EXPECT_FALSE(changes(" LIN  EV:-1"));
    EXPECT_FALSE(changes(" LIN  EV:99999999999999999999"));
    EXPECT_FALSE(changes(" LIN  EV:-99999999999999999999"));
}

TEST(DebugLine, MarkerSharesTheTrailingBlankOnlyWhereTheSearchStartsOnIt) {
    // The search starts on the prefix's last blank for these four...
    EXPECT_EQ(rewritten("a HK EV:3"), "a HK EV:KEY 3");
    EXPECT_EQ(rewritten("a IBUS EV:3"), "a IBUS EV:MFSW_MODE_PHONE");
    EXPECT_EQ(rewritten("a IEBUS EV:3"), "a IEBUS EV:NAVI_KEY_MAP");
    EXPECT_EQ(rewritten("a GANET EV:3"), "a GANET EV:KEY_4");
    // ...and after the prefix for all the others.
    for (const char* line : {"a LIN EV:3", "a IDRIVE EV:3", "a MJOY EV:3", "a RJOY EV:3", "a JOY EV:3",
                             "a MMI EV:3", "a MCTRL EV:3", "a PORSHE KEYS EV:3"})
        EXPECT_FALSE(changes(line)) << line;
}

TEST(DebugLine, OutOfRangeFallsThroughToTheNextRule) {
    // LIN finds 95 beyond its list; IDRIVE then names its own number.
    EXPECT_EQ(rewritten(" IDRIVE  EV:5 LIN  EV:95"), " IDRIVE  EV:KEY_CD/MEDIA LIN  EV:95");
    // Without a marker after it, a prefix gives way to the next rule as well.
    EXPECT_EQ(rewritten(" IBUS  EV:1 LIN "), " IBUS  EV:MFSW_PREV LIN ");
}

TEST(DebugLine, OnlyTheFirstMatchingRuleRewrites) {
    EXPECT_EQ(rewritten(" LIN  EV:1 IDRIVE  EV:1"), " LIN  EV:KEY 1 IDRIVE  EV:1");
    EXPECT_EQ(rewritten(" LIN  EV:1 EV:2"), " LIN  EV:KEY 1 EV:2");
}

TEST(DebugLine, MarkerIsSearchedFromTheFirstPrefix) {
    EXPECT_EQ(rewritten(" EV:1 LIN  EV:2"), " EV:1 LIN  EV:KEY 2");
    EXPECT_FALSE(changes(" EV:1 LIN "));
}

TEST(DebugLine, NumberReadingLikeAtoi) {
    // Leading blanks and a sign are read, but only digits right after the marker are replaced.
    EXPECT_EQ(rewritten(" LIN  EV: 7 x"), " LIN  EV:AS 7 x");
    EXPECT_EQ(rewritten(" LIN  EV:+2"), " LIN  EV:KEY 2+2");
    EXPECT_EQ(rewritten(" LIN  EV:-0"), " LIN  EV:KEY NO-0");
    // No digits read as 0.
    EXPECT_EQ(rewritten(" LIN  EV:x"), " LIN  EV:KEY NOx");
    EXPECT_EQ(rewritten(" LIN  EV:"), " LIN  EV:KEY NO");
    // At most ten digits are replaced.
    EXPECT_EQ(rewritten(" LIN  EV:00000000005"), " LIN  EV:KEY 55");
    EXPECT_EQ(rewritten(" LIN  EV:007"), " LIN  EV:AS");
}

TEST(DebugLine, LinesWithoutAKnownPrefixStayAsTheyAre) {
    for (const char* line : {"", "EV:3", "LIN EV:3", " lin  EV:3", " CAN  EV:3", " SWVW EV:3", "SW VW EV:3"}) {
        std::string text = line;
        EXPECT_FALSE(rewriteDebugLine(text, Lang::English)) << line;
        EXPECT_EQ(text, line);
    }
}

TEST(DebugLine, SingleWireCanWithoutDigitsReadsZero) {
    EXPECT_EQ(rewritten(" SW VW EV:x3"), " SW VW EV:LIGHT OFFx3");
}

}  // namespace
}  // namespace ztv
