#include <gtest/gtest.h>

#include "events/can_auto_keys.h"

namespace ztv {
namespace {

TEST(CanAutoKeys, NameIsPrefixKeyAndNumbers) {
    EXPECT_EQ(can_auto_name(1, 16).value(), "Mercedes CLK350 Vol+ (1/16)");
    EXPECT_EQ(can_auto_name(0, 38).value(), "OPEL_ASTRA Key AM/FM,CD/MP3,MAIN (0/38)");
    EXPECT_EQ(can_auto_name(22, 29).value(), "Porshe Cayenne HDN (22/29)");
    EXPECT_EQ(can_auto_name(13, 16).value(), "Skoda Superb/ETI KEY SPEAK (13/16)");
}

TEST(CanAutoKeys, CommandWithoutRowKeepsPrefixAndNumbers) {
    EXPECT_EQ(can_auto_name(17, 9).value(), "BPR  (17/9)");
    EXPECT_EQ(can_auto_name(1, 3).value(), "Mercedes CLK350  (1/3)");
    EXPECT_EQ(can_auto_name(0, 0).value(), "OPEL_ASTRA  (0/0)");
}

TEST(CanAutoKeys, OpelDigitsNameTheCommandAsACharacter) {
    EXPECT_EQ(can_auto_name(0, 48).value(), "OPEL_ASTRA Digit 0 (0/48)");
    EXPECT_EQ(can_auto_name(0, 57).value(), "OPEL_ASTRA Digit 9 (0/57)");
    EXPECT_EQ(can_auto_name(0, 58).value(), "OPEL_ASTRA  (0/58)");
    EXPECT_EQ(can_auto_name(2, 48).value(), "VW_MKV_GTI  (2/48)");  // other cars have no digits
}

TEST(CanAutoKeys, TwoCommandsMayShareAKey) {
    EXPECT_EQ(can_auto_key_name(1, 1), "Next");
    EXPECT_EQ(can_auto_key_name(1, 4), "Next");
    EXPECT_EQ(can_auto_key_name(7, 13), "VOICE");
    EXPECT_EQ(can_auto_key_name(7, 14), "VOICE");
    EXPECT_EQ(can_auto_key_name(18, 4), "SOURCE");
    EXPECT_EQ(can_auto_key_name(21, 8), "LIST");
    EXPECT_EQ(can_auto_key_name(22, 26), "HDN");
}

TEST(CanAutoKeys, BlanksAndCaseAreKeptExactly) {
    EXPECT_EQ(can_auto_key_name(6, 17), "System ");
    EXPECT_EQ(can_auto_name(6, 17).value(), "VW GOLF7 System  (6/17)");
    EXPECT_EQ(can_auto_key_name(21, 4), "VOl+");
    EXPECT_EQ(can_auto_key_name(20, 15), "LEFT");
    EXPECT_EQ(can_auto_key_name(20, 16), "RIGHT");
    EXPECT_EQ(can_auto_car_prefix(3), "VOLVO ");
    EXPECT_EQ(can_auto_car_prefix(4), "VOLVO ");
    EXPECT_EQ(can_auto_key_name(3, 65), "Right");
    EXPECT_EQ(can_auto_key_name(4, 1), "Mode double");
}

TEST(CanAutoKeys, EveryCarPrefixEndsWithOneBlank) {
    for (std::uint16_t address = 0; address < kCanAutoCarCount; ++address) {
        const std::string_view prefix = can_auto_car_prefix(address);
        ASSERT_GE(prefix.size(), 2u) << address;
        EXPECT_EQ(prefix.back(), ' ') << address;
        EXPECT_NE(prefix[prefix.size() - 2], ' ') << address;
    }
}

TEST(CanAutoKeys, UnknownCarHasNoName) {
    EXPECT_FALSE(can_auto_name(23, 1).has_value());
    EXPECT_FALSE(can_auto_name(40, 3).has_value());
    EXPECT_FALSE(can_auto_name(0xFFFF, 0xFF).has_value());
    EXPECT_EQ(can_auto_car_prefix(23), "");
    EXPECT_EQ(can_auto_key_name(500, 1), "");
}

}  // namespace
}  // namespace ztv
