#include "config/parameter_keys.h"

#include <gtest/gtest.h>

#include "config/field_table.h"
#include "config/pins.h"

namespace ztv {
namespace {

using F = FieldId;

class ParameterKeys : public ::testing::Test {
protected:
    ConfigState s;

    AssignResult assign(std::string_view key, std::string_view value,
                        std::optional<std::uint8_t> mask = std::nullopt) {
        return assign_key(s, key, value, mask);
    }
    std::uint32_t get(F id) const { return get_field(s.record, id); }
};

TEST_F(ParameterKeys, ValuesReadAsTheFileStoresThem) {
    set_field(s.record, F::EXTNAVI_SRC, 15);
    set_field(s.record, F::IEBUS_MODEBITS, 0x0400);
    set_field(s.record, F::IEBUS_TOUCH, 1);
    s.record.set_u16(0, 1000);
    set_pin_mode(s.record, Pin::X6_6, 0xAB);
    s.record.set_source_name(1, "\xD0\xE0\xE4\xE8\xEE");
    EXPECT_EQ(key_value(s, "EXTNAVI_SRC"), "15");
    EXPECT_EQ(key_value(s, "iebus_modebits"), "1024") << "keys match without regard to case";
    EXPECT_EQ(key_value(s, "IEBUS_TOUCH"), "1");
    EXPECT_EQ(key_value(s, "LONG_PRESS_MS"), "1000");
    EXPECT_EQ(key_value(s, "KEY"), "E8030000000000000000");
    EXPECT_EQ(key_value(s, "PINMODE"), std::string(26, '0') + "AB");
    EXPECT_EQ(key_value(s, "NAME2"), "Радио");
    EXPECT_EQ(key_value(s, "NAME1"), "");
    EXPECT_EQ(key_value(s, "USE_NAME"), "0");
    EXPECT_FALSE(key_value(s, "NAME9").has_value());
    EXPECT_FALSE(key_value(s, "NAME").has_value());
    EXPECT_FALSE(key_value(s, "").has_value());
    EXPECT_FALSE(key_value(s, "NOPE").has_value());
}

TEST_F(ParameterKeys, AssignmentsGoThroughThePageEdits) {
    EXPECT_EQ(assign("GPS_NUM", "2").status, AssignStatus::Applied);
    EXPECT_EQ(get(F::GPS_NUM), 2u);
    EXPECT_EQ(assign("ENC0DIV", "10").status, AssignStatus::Applied) << "spins take the shown divisor";
    EXPECT_EQ(get(F::ENC0DIV), 9u);
    EXPECT_EQ(assign("ANA_VOUT1", "2,5").status, AssignStatus::Applied) << "voltages in volts";
    EXPECT_EQ(get(F::ANA_VOUT1), 130u);
    EXPECT_EQ(assign("LONG_PRESS_MS", "100").status, AssignStatus::Applied);
    EXPECT_EQ(s.record.long_press_ms(), 1000);
    EXPECT_EQ(assign("TOUCH_SRCMASK", "0xFF").status, AssignStatus::Applied);
    EXPECT_EQ(get(F::TOUCH_SRCMASK), 0u);
    EXPECT_EQ(assign("CARDSP_RUX_PARAM_MODEBITS", "12").status, AssignStatus::Applied);
    EXPECT_EQ(get(F::CARDSP_RUX_PARAM_MODEBITS), 12u);
    EXPECT_EQ(assign("NAME3", "ABCDEFG").status, AssignStatus::Applied);
    EXPECT_EQ(s.record.source_name(2), "ABCDE");
    EXPECT_EQ(assign("USE_NAME", "1").status, AssignStatus::Applied);
    EXPECT_EQ(get(F::USE_NAME), 1u);
}

TEST_F(ParameterKeys, IebusMaskAppliesTheRulesAgainstTheStoredSet) {
    set_field(s.record, F::IEBUS_MODEBITS, 1u << 0);
    EXPECT_EQ(assign("IEBUS_MODEBITS", std::to_string((1u << 0) | (1u << 5))).status, AssignStatus::Applied);
    EXPECT_EQ(get(F::IEBUS_MODEBITS), 1u << 5);
    EXPECT_EQ(assign("IEBUS_MODEBITS", "0x0C").status, AssignStatus::Applied);  // amplifier controls newly ticked
    EXPECT_EQ(get(F::IEBUS_MODEBITS), 1u << 3);
}

TEST_F(ParameterKeys, RefusalsCarryThePagesMessage) {
    set_field(s.record, F::PULSE_MSACTIVE, 7);
    AssignResult r = assign("PULSE_MSACTIVE", "6000");
    EXPECT_EQ(r.status, AssignStatus::Refused);
    EXPECT_EQ(r.message.en, "The value must be in the range from 0 to 5000");
    EXPECT_EQ(get(F::PULSE_MSACTIVE), 7u);
    set_field(s.record, F::GPS_NUM, 1);
    r = assign("HEAD_NUM", "1");
    EXPECT_EQ(r.status, AssignStatus::Refused);
    EXPECT_NE(r.message.ru.find("HEAD UNIT"), std::string::npos);
    // A module's options may be set while it is disconnected.
    EXPECT_EQ(assign("UARTPARAM_SPEED", "3").status, AssignStatus::Applied);
}

TEST_F(ParameterKeys, UnknownKeysAndMalformedValues) {
    EXPECT_EQ(assign("NOPE", "1").status, AssignStatus::Unknown);
    EXPECT_EQ(assign("KEY", "00").status, AssignStatus::Unknown) << "thresholds come from learning";
    EXPECT_EQ(assign("AUDI_MMI_PARAM", "1").status, AssignStatus::Unknown);
    EXPECT_EQ(assign("GPS_NUM", "3").status, AssignStatus::Malformed);
    EXPECT_EQ(assign("GPS_NUM", "-1").status, AssignStatus::Malformed);
    EXPECT_EQ(assign("GPS_NUM", "").status, AssignStatus::Malformed);
    EXPECT_EQ(assign("GPS_NUM", "99999999999999999999").status, AssignStatus::Malformed);
    EXPECT_EQ(assign("CANPARAM_ACKED", "2").status, AssignStatus::Malformed);
    EXPECT_EQ(assign("TOUCH_SRCMASK", "256").status, AssignStatus::Malformed);
    EXPECT_EQ(assign("CARDSP_RUX_PARAM_MODEBITS", "16").status, AssignStatus::Malformed);
    EXPECT_EQ(assign("ENC0DIV", "x").status, AssignStatus::Malformed);
    EXPECT_EQ(assign("PINMODE", "00").status, AssignStatus::Malformed);
    EXPECT_EQ(assign("PINMODE", std::string(28, 'G')).status, AssignStatus::Malformed);
}

TEST_F(ParameterKeys, TouchSourceModeTakesTheMaskGivenWithIt) {
    EXPECT_EQ(assign("TOUCH_MODE", "4", std::uint8_t{0x05}).status, AssignStatus::Applied);
    EXPECT_EQ(get(F::TOUCH_MODE), 4u);
    EXPECT_EQ(get(F::TOUCH_INTERCEPT_SRCMASK), 5u);
    // Without a mask the stored one stays in force.
    EXPECT_EQ(assign("TOUCH_MODE", "4").status, AssignStatus::Applied);
    EXPECT_EQ(get(F::TOUCH_INTERCEPT_SRCMASK), 5u);
    // Alone, the mask re-chooses "Source..." while that mode is in force...
    EXPECT_EQ(assign("TOUCH_INTERCEPT_SRCMASK", "0x80").status, AssignStatus::Applied);
    EXPECT_EQ(get(F::TOUCH_INTERCEPT_SRCMASK), 0x80u);
    // ...and is refused otherwise.
    assign("TOUCH_MODE", "0");
    EXPECT_EQ(assign("TOUCH_INTERCEPT_SRCMASK", "1").status, AssignStatus::Unknown);
    // A zero mask switches the panel off.
    EXPECT_EQ(assign("TOUCH_MODE", "4", std::uint8_t{0}).status, AssignStatus::Applied);
    EXPECT_EQ(get(F::TOUCH_MODE), 0u);
}

TEST_F(ParameterKeys, PinModesChangeOnlyWhereTheyDifferAndNeverOnAHeldPin) {
    set_field(s.record, F::GPS_NUM, 1);  // holds X4/2 and X4/3
    std::string modes(28, '0');
    modes[1] = '3';   // X2/2
    modes[27] = '7';  // X6/6
    EXPECT_EQ(assign("PINMODE", modes).status, AssignStatus::Applied);
    EXPECT_EQ(pin_mode(s.record, Pin::X2_2), 3);
    EXPECT_EQ(pin_mode(s.record, Pin::X6_6), 7);
    modes[11] = '2';  // X4/2
    const AssignResult r = assign("PINMODE", modes);
    EXPECT_EQ(r.status, AssignStatus::Refused);
    EXPECT_NE(r.message.en.find("UART GPS"), std::string::npos);
    EXPECT_EQ(pin_mode(s.record, Pin::X4_2), 0);
}

TEST(ScriptNumbers, DecimalOrHexWithinALimit) {
    EXPECT_EQ(parse_script_number("0", 5), 0u);
    EXPECT_EQ(parse_script_number("0x1f", 255), 31u);
    EXPECT_EQ(parse_script_number("0XFF", 255), 255u);
    EXPECT_FALSE(parse_script_number("256", 255).has_value());
    EXPECT_FALSE(parse_script_number("0x", 255).has_value());
    EXPECT_FALSE(parse_script_number("1f", 255).has_value());
    EXPECT_FALSE(parse_script_number(" 1", 255).has_value());
    EXPECT_FALSE(parse_script_number("+1", 255).has_value());
    EXPECT_FALSE(parse_script_number("12345678901", 0xFFFFFFFFu).has_value());
    EXPECT_EQ(parse_script_number("4294967295", 0xFFFFFFFFu), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace ztv
