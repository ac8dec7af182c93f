#include "common/numeric_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace ztv {
namespace {

constexpr NumericField kPulseTime{0, 5000, 2};
constexpr NumericField kTimeout{0, 1000000000, 4};

TEST(NumericEntry, DigitsWithinTheRangeAreAccepted) {
    for (const char* text : {"0", "5000", "0042"}) {
        const NumericEntry entry = check_numeric_entry(text, kPulseTime);
        EXPECT_TRUE(entry.accepted) << text;
        EXPECT_TRUE(entry.message.empty());
    }
    EXPECT_EQ(check_numeric_entry("0042", kPulseTime).value, 42u);
    EXPECT_EQ(check_numeric_entry("1000000000", kTimeout).value, 1000000000u);
}

TEST(NumericEntry, AnythingButDigitsAsksForAValue) {
    for (const char* text : {"", "12a", " 12", "12 ", "-1", "+5", "1.5", "1,5", "x10"}) {
        const NumericEntry entry = check_numeric_entry(text, kPulseTime);
        EXPECT_FALSE(entry.accepted) << '"' << text << '"';
        EXPECT_EQ(entry.message.en, "Enter a value in the specified position");
        EXPECT_EQ(entry.message.ru, "Введите значение в указанное поле");
        EXPECT_EQ(entry.box_type, kBoxError);
    }
}

TEST(NumericEntry, OutsideTheRangeNamesBothLimits) {
    NumericEntry entry = check_numeric_entry("6000", kPulseTime);
    EXPECT_FALSE(entry.accepted);
    EXPECT_EQ(entry.message.en, "The value must be in the range from 0 to 5000");
    EXPECT_EQ(entry.message.ru, "Значение должно быть в диапазоне от 0 до 5000");
    EXPECT_FALSE(check_numeric_entry("5001", kPulseTime).accepted);

    const NumericField from_one{1, 10000, 2};
    entry = check_numeric_entry("0", from_one);
    EXPECT_EQ(entry.message.en, "The value must be in the range from 1 to 10000");
    EXPECT_TRUE(check_numeric_entry("1", from_one).accepted);
    EXPECT_TRUE(check_numeric_entry("10000", from_one).accepted);
}

TEST(NumericEntry, HugeNumbersDoNotWrapIntoTheRange) {
    // 2^32 + 5 would wrap to 5 in a 32-bit parse.
    EXPECT_FALSE(check_numeric_entry("4294967301", kPulseTime).accepted);
    EXPECT_FALSE(check_numeric_entry("1000000001", kTimeout).accepted);
    const NumericEntry entry = check_numeric_entry(std::string(300, '9'), kTimeout);
    EXPECT_FALSE(entry.accepted);
    EXPECT_EQ(entry.message.en, "The value must be in the range from 0 to 1000000000");
    const NumericField whole_word{0, 0xFFFFFFFFu, 4};
    EXPECT_TRUE(check_numeric_entry("4294967295", whole_word).accepted);
    EXPECT_FALSE(check_numeric_entry("4294967296", whole_word).accepted);
}

TEST(NumericEntry, ValueIsCutToTheFieldWidth) {
    EXPECT_EQ(width_mask(1), 0xFFu);
    EXPECT_EQ(width_mask(2), 0xFFFFu);
    EXPECT_EQ(width_mask(4), 0xFFFFFFFFu);
    // A range wider than the field still stores only what the field holds.
    const NumericField loose{0, 70000, 2};
    EXPECT_EQ(check_numeric_entry("65537", loose).value, 1u);
    const NumericField byte_wide{0, 300, 1};
    EXPECT_EQ(check_numeric_entry("255", byte_wide).value, 255u);
    EXPECT_EQ(check_numeric_entry("256", byte_wide).value, 0u);
}

}  // namespace
}  // namespace ztv
