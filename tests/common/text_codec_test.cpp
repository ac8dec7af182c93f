// Small codecs that every file and device text goes through.
#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "common/format.h"
#include "common/hex.h"
#include "common/profile_int.h"

namespace ztv {
namespace {

TEST(Cp1251, RoundTripsRussianAndMarksWhatItCannotHold) {
    const std::string utf8 = "Привет, Ёж №5";
    const std::string bytes = utf8_to_cp1251(utf8);
    EXPECT_EQ(bytes, "\xCF\xF0\xE8\xE2\xE5\xF2, \xA8\xE6 \xB9" "5");
    EXPECT_EQ(cp1251_to_utf8(bytes), utf8);
    EXPECT_EQ(utf8_to_cp1251("a\xE4\xB8\xAD" "b"), "a?b");  // a Chinese character
    EXPECT_EQ(utf8_to_cp1251("\xFF\xC3"), "??");              // broken UTF-8
    EXPECT_EQ(cp1251_to_utf8("\x98"), "\xEF\xBF\xBD");        // the one unassigned byte
    // Every byte decodes to something and survives the way back, except the unassigned one.
    for (int b = 1; b < 256; ++b) {
        if (b == 0x98) continue;
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8_to_cp1251(cp1251_to_utf8(one)), one) << b;
    }
}

TEST(Hex, WritesUpperCaseAndReadsLeniently) {
    const std::uint8_t bytes[] = {0x00, 0xAB, 0x7F};
    EXPECT_EQ(to_hex(bytes), "00AB7F");
    std::uint8_t out[4] = {9, 9, 9, 9};
    from_hex("abCD1", out);  // lone last digit ignored, missing pairs zero
    EXPECT_EQ(out[0], 0xAB);
    EXPECT_EQ(out[1], 0xCD);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[3], 0);
    from_hex("G1zz0102030405", out);  // non-digits count as 0; stops when full
    EXPECT_EQ(out[0], 0x01);
    EXPECT_EQ(out[1], 0x00);
    EXPECT_EQ(out[2], 0x01);
    EXPECT_EQ(out[3], 0x02);
}

TEST(ProfileInt, AcceptsSignsAndBothHexPrefixesRejectsGarbage) {
    EXPECT_EQ(parse_profile_int("42"), 42u);
    EXPECT_EQ(parse_profile_int(" +7 "), 7u);
    EXPECT_EQ(parse_profile_int("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(parse_profile_int("0x1F"), 0x1Fu);
    EXPECT_EQ(parse_profile_int("$ff"), 0xFFu);
    EXPECT_EQ(parse_profile_int("0XFFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(parse_profile_int("-2147483648"), 0x80000000u);
    for (const char* bad : {"", " ", "12abc", "abc", "0x", "$", "1.5", "2147483648", "0x100000000", "--1", "1 2"})
        EXPECT_FALSE(parse_profile_int(bad).has_value()) << bad;
}

TEST(Format, PairsFormatBothLanguagesAndFallBackToRussian) {
    const Text t = format_pair(TextPair{"Ошибка %d: %s", "Error %d: %s"}, 5, "x");
    EXPECT_EQ(t.in(Lang::Russian), "Ошибка 5: x");
    EXPECT_EQ(t.in(Lang::English), "Error 5: x");
    const Text ru_only = format_pair(TextPair{"Только %s", ""}, "русский");
    EXPECT_EQ(ru_only.in(Lang::English), "Только русский");
    EXPECT_EQ(pick(TextPair{"Ничего не нажимайте", "Do not press anything"}, Lang::English), std::string("Do not press anything"));
    EXPECT_EQ(pick(TextPair{"Ничего не нажимайте", ""}, Lang::English), std::string("Ничего не нажимайте"));
    EXPECT_EQ(strprintf("%s", std::string(1000, 'a').c_str()).size(), 1000u);
}

TEST(LanguageSetting, OneIsEnglishMinusOneAsksAnythingElseIsRussian) {
    LanguageSetting lang;
    EXPECT_EQ(lang.set_language(-1), 0);
    EXPECT_EQ(lang.set_language(1), 1);
    EXPECT_EQ(lang.set_language(-1), 1);
    EXPECT_EQ(lang.set_language(7), 0);
    EXPECT_EQ(lang.current(), Lang::Russian);
}

}  // namespace
}  // namespace ztv
