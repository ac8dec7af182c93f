#include "config/pin_rules.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "config/field_choices.h"
#include "config/pin_occupation.h"
#include "config/pins.h"

namespace ztv {
namespace {

using F = FieldId;

constexpr const char* kPinsMessage = "First, configure the pin options\nin the \"Pins\"";

class PinRules : public ::testing::Test {
protected:
    Record r;

    void set(F id, std::uint32_t value) { set_field(r, id, value); }
    std::uint32_t get(F id) const { return get_field(r, id); }
    PinCheck change(F id, std::uint32_t value) { return check_pin_change(r, id, value); }
    // Runs the check as a page handler would: apply its writes and keep the verdict.
    PinCheck choose(F id, std::uint32_t value) {
        PinCheck check = change(id, value);
        apply(r, check);
        return check;
    }
};

// ---- occupation pass ------------------------------------------------------------------------

TEST_F(PinRules, EmptyRecordLeavesEveryListFreeWithItsOwnFirstEntry) {
    const PinOccupation occ = occupy(r);
    for (Pin pin : kAllPins) {
        EXPECT_TRUE(occ[pin].enabled) << pin_name(pin);
        EXPECT_FALSE(occ[pin].occupant.has_value());
    }
    EXPECT_STREQ(occ[Pin::X2_2].first_item.en, "According to its purpose");
    EXPECT_STREQ(occ[Pin::X5_6].first_item.en, "No power");
    EXPECT_STREQ(occ[Pin::X5_8].first_item.en, "Open collector, Z");
    EXPECT_TRUE(occ.resets.empty());
}

TEST_F(PinRules, ActiveTouchPanelHoldsX2AndResetsModesLoadedFromAFile) {
    set(F::TOUCH_MODE, 2);
    for (Pin pin : {Pin::X2_2, Pin::X2_3, Pin::X2_4, Pin::X2_5, Pin::X2_6, Pin::X4_2}) set_pin_mode(r, pin, 5);

    const PinOccupation occ = run_occupation_pass(r);

    for (Pin pin : {Pin::X2_2, Pin::X2_3, Pin::X2_4, Pin::X2_5, Pin::X2_6}) {
        EXPECT_FALSE(occ[pin].enabled) << pin_name(pin);
        EXPECT_STREQ(occ[pin].first_item.en, "Touchpanel");
        EXPECT_STREQ(occ[pin].first_item.ru, "Тачпанель");
        EXPECT_EQ(occ[pin].selected, 0);
        EXPECT_EQ(pin_mode(r, pin), 0) << pin_name(pin);
    }
    EXPECT_EQ(occ.resets.size(), 5u);
    EXPECT_TRUE(occ[Pin::X4_2].enabled);
    EXPECT_EQ(occ[Pin::X4_2].selected, 5);
    EXPECT_EQ(pin_mode(r, Pin::X4_2), 5);  // a free pin keeps its mode
}

TEST_F(PinRules, OccupyAloneDoesNotWriteTheRecord) {
    set(F::GPS_NUM, 1);
    set_pin_mode(r, Pin::X4_3, 2);
    const PinOccupation occ = occupy(r);
    ASSERT_EQ(occ.resets.size(), 1u);
    EXPECT_EQ(occ.resets[0], Pin::X4_3);
    EXPECT_EQ(pin_mode(r, Pin::X4_3), 2);
}

TEST_F(PinRules, TouchSourceModeHoldsNoPins) {
    set(F::TOUCH_MODE, 4);
    set_pin_mode(r, Pin::X2_2, 3);
    const PinOccupation occ = run_occupation_pass(r);
    EXPECT_TRUE(occ[Pin::X2_2].enabled);
    EXPECT_EQ(pin_mode(r, Pin::X2_2), 3);
}

TEST_F(PinRules, LaterOccupantNamesASharedPin) {
    set(F::IRINP_NUM, 6);  // X4/2
    set(F::GPS_NUM, 1);    // X4/2 + X4/3
    const PinOccupation occ = occupy(r);
    EXPECT_EQ(occ[Pin::X4_2].occupant, Occupant::Gps);
    EXPECT_STREQ(occ[Pin::X4_2].first_item.en, "UART GPS");
    EXPECT_STREQ(occ[Pin::X4_3].first_item.en, "UART GPS");
}

TEST_F(PinRules, EachOccupantHoldsThePinsOfItsValue) {
    set(F::ENC0MODE, 6);             // X6/2 + X6/3
    set(F::ENC1MODE, 3);             // X3 pins: nothing configurable
    set(F::IRINP_NUM, 11);           // X6/6
    set(F::CARDSP_RUX_PARAM_NUM, 1); // X4/2 + X4/3
    const PinOccupation occ = occupy(r);
    EXPECT_EQ(occ[Pin::X6_2].occupant, Occupant::Encoder1);
    EXPECT_EQ(occ[Pin::X6_3].occupant, Occupant::Encoder1);
    EXPECT_EQ(occ[Pin::X6_6].occupant, Occupant::IrInput);
    EXPECT_STREQ(occ[Pin::X6_6].first_item.en, "IR input");
    EXPECT_EQ(occ[Pin::X4_2].occupant, Occupant::CarDsp);
    EXPECT_EQ(occ[Pin::X4_3].occupant, Occupant::CarDsp);
    EXPECT_TRUE(occ[Pin::X6_5].enabled);
    EXPECT_TRUE(occ[Pin::X2_2].enabled);
}

TEST_F(PinRules, GazerHoldsOnlyTheFirstPinOfThePair) {
    set(F::GAZERUARTPARAM_NUM, 1);
    const PinOccupation occ = occupy(r);
    EXPECT_FALSE(occ[Pin::X4_2].enabled);
    EXPECT_STREQ(occ[Pin::X4_2].first_item.en, "GAZER");
    EXPECT_TRUE(occ[Pin::X4_3].enabled);
    EXPECT_EQ(occupied_pins(Occupant::Gazer, 2).size(), 1u);
    EXPECT_EQ(occupied_pins(Occupant::Gazer, 2)[0], Pin::X6_2);
}

TEST_F(PinRules, CheckedOnlyConnectionsAndOutOfListValuesMarkNothing) {
    set(F::EXTNAVI_NUM, 1);
    set(F::RESEMULPARAM_NUM, 2);
    set(F::IBUSPARAM_NUM, 2);
    set(F::IRINP_NUM, 13);
    set(F::ENC0MODE, 9);
    const PinOccupation occ = occupy(r);
    for (Pin pin : kAllPins) EXPECT_TRUE(occ[pin].enabled) << pin_name(pin);
}

// ---- encoders -------------------------------------------------------------------------------

TEST_F(PinRules, EncoderRefusedOnConfiguredOutputPins) {
    struct Case {
        unsigned mode;
        Pin pin;
    };
    for (Case c : {Case{1, Pin::X2_3}, Case{2, Pin::X2_4}, Case{5, Pin::X4_2}, Case{6, Pin::X6_3}, Case{7, Pin::X6_5}}) {
        Record before;
        set_pin_mode(before, c.pin, 4);
        const PinCheck check = check_pin_change(before, F::ENC1MODE, c.mode);
        EXPECT_FALSE(check.accepted) << c.mode;
        EXPECT_EQ(check.message.en, "You can not use those pins for encoder 2\nbecause as they are already used for output");
        EXPECT_TRUE(check.writes.empty());
    }
}

TEST_F(PinRules, EncoderOnX4RefusedAfterX4IsMadeAnOutputButGpsIsAccepted) {
    set_pin_mode(r, Pin::X4_2, 4);  // "Act. output, 0V"
    const PinCheck encoder = choose(F::ENC0MODE, 5);
    EXPECT_FALSE(encoder.accepted);
    EXPECT_EQ(encoder.message.en, "You can not use those pins for encoder 1\nbecause as they are already used for output");
    EXPECT_EQ(encoder.message.ru, "Нельзя использовать эти выводы для энкодера 1,\nтак как они уже используются как выходы");
    EXPECT_EQ(get(F::ENC0MODE), 0u);

    const PinCheck gps = choose(F::GPS_NUM, 1);
    EXPECT_TRUE(gps.accepted);
    EXPECT_TRUE(gps.message.empty());
    EXPECT_EQ(get(F::GPS_NUM), 1u);
    run_occupation_pass(r);
    EXPECT_EQ(pin_mode(r, Pin::X4_2), 0);
}

TEST_F(PinRules, EncoderRefusedOnTouchPanelPins) {
    set(F::TOUCH_MODE, 1);
    for (unsigned m : {1u, 2u}) {
        const PinCheck check = change(F::ENC0MODE, m);
        EXPECT_FALSE(check.accepted);
        EXPECT_EQ(check.message.en, "You can not use those pins for encoder 1\nbecause as they are already used for touchpanel");
    }
    EXPECT_TRUE(change(F::ENC0MODE, 5).accepted);
    set(F::TOUCH_MODE, 4);
    EXPECT_TRUE(change(F::ENC0MODE, 1).accepted);
}

TEST_F(PinRules, EncoderOutputTestComesBeforeTheTouchTest) {
    set(F::TOUCH_MODE, 1);
    set_pin_mode(r, Pin::X2_2, 1);  // as a file could hold it before the next pass
    EXPECT_EQ(change(F::ENC0MODE, 1).message.en,
              "You can not use those pins for encoder 1\nbecause as they are already used for output");
}

TEST_F(PinRules, EncoderRefusedOnGpsAndHeadUnitPairs) {
    set(F::GPS_NUM, 1);
    EXPECT_EQ(change(F::ENC0MODE, 5).message.en,
              "You can not use those pins for encoder 1,\nbecause she already used to connect the GPS UART module");
    EXPECT_TRUE(change(F::ENC0MODE, 6).accepted);
    set(F::GPS_NUM, 2);
    EXPECT_FALSE(change(F::ENC0MODE, 6).accepted);
    set(F::GPS_NUM, 0);
    set(F::HEAD_NUM, 2);
    EXPECT_EQ(change(F::ENC1MODE, 6).message.en,
              "You can not use those pins for encoder 2,\nbecause she already used to connect the HEAD UNIT");
    EXPECT_TRUE(change(F::ENC1MODE, 5).accepted);
}

TEST_F(PinRules, EncodersNeverShareAPair) {
    set(F::ENC1MODE, 7);
    EXPECT_EQ(change(F::ENC0MODE, 7).message.en,
              "You can not use those pins for encoder 1,\nbecause she already used to connect the encoder 2");
    set(F::ENC1MODE, 0);
    set(F::ENC0MODE, 3);  // the X3 pairs are shared the same way
    EXPECT_EQ(change(F::ENC1MODE, 3).message.en,
              "You can not use those pins for encoder 2,\nbecause she already used to connect the encoder 1");
    EXPECT_TRUE(change(F::ENC1MODE, 4).accepted);
}

TEST_F(PinRules, DisablingAnEncoderIsAlwaysAccepted) {
    set(F::ENC0MODE, 1);
    set(F::TOUCH_MODE, 1);
    set_pin_mode(r, Pin::X2_2, 1);
    const PinCheck check = choose(F::ENC0MODE, 0);
    EXPECT_TRUE(check.accepted);
    EXPECT_EQ(get(F::ENC0MODE), 0u);
}

TEST_F(PinRules, EncoderCheckDoesNotLookAtTheIrInputOrTheOtherModules) {
    set(F::IRINP_NUM, 6);  // X4/2
    set(F::BT_NUM, 2);     // X6/2 + X6/3
    EXPECT_TRUE(choose(F::ENC0MODE, 5).accepted);
    EXPECT_TRUE(choose(F::ENC1MODE, 6).accepted);
    EXPECT_EQ(get(F::ENC0MODE), 5u);
    EXPECT_EQ(get(F::ENC1MODE), 6u);
}

// ---- touch panel ----------------------------------------------------------------------------

TEST_F(PinRules, TouchRefusedWhileEncoder1SitsOnX2AndSwitchedOff) {
    set(F::ENC0MODE, 1);
    set(F::TOUCH_MODE, 3);  // whatever it was, a refusal leaves "Disabled"
    const PinCheck check = choose(F::TOUCH_MODE, 1);
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message.en,
              "You can not use touchpanel,\nbecause her pins are already used to connect the encoder 1.");
    EXPECT_EQ(check.box_type, kBoxInformation);
    EXPECT_EQ(get(F::TOUCH_MODE), 0u);
}

TEST_F(PinRules, TouchRefusalsInOrder) {
    set_pin_mode(r, Pin::X2_6, 7);
    set(F::ENC1MODE, 2);
    EXPECT_EQ(change(F::TOUCH_MODE, 2).message.en, "You can not use touchpanel,\nbecause her pins is already in use");
    set_pin_mode(r, Pin::X2_6, 0);
    EXPECT_EQ(change(F::TOUCH_MODE, 2).message.en,
              "You can not use touchpanel,\nbecause her pins are already used to connect the encoder 2.");
    set(F::ENC1MODE, 5);
    set(F::IRINP_NUM, 5);
    EXPECT_EQ(change(F::TOUCH_MODE, 2).message.en,
              "You can not use touchpanel,\nbecause her pins are already used to connect the IR input.");
    set(F::IRINP_NUM, 6);
    set(F::HEAD_NUM, 1);
    set(F::HEAD_TYPE, 6);  // counts here, unlike in the IEBUS check
    EXPECT_EQ(change(F::TOUCH_MODE, 2).message.en, "You can not use touchpanel,\nbecause HEADUNIT as used to obtain them");
    set(F::HEAD_TYPE, 0);
    set(F::IEBUS_TOUCH, 1);
    EXPECT_EQ(change(F::TOUCH_MODE, 2).message.en, "You can not use touchpanel,\nbecause IEBUS tire as used to obtain them");
    set(F::IEBUS_TOUCH, 0);
    EXPECT_TRUE(change(F::TOUCH_MODE, 2).accepted);
}

TEST_F(PinRules, AcceptedTouchModeClearsTheInterceptionMask) {
    set(F::TOUCH_INTERCEPT_SRCMASK, 0x21);
    EXPECT_TRUE(choose(F::TOUCH_MODE, 3).accepted);
    EXPECT_EQ(get(F::TOUCH_MODE), 3u);
    EXPECT_EQ(get(F::TOUCH_INTERCEPT_SRCMASK), 0u);

    set(F::TOUCH_INTERCEPT_SRCMASK, 0x21);
    EXPECT_TRUE(choose(F::TOUCH_MODE, 0).accepted);
    EXPECT_EQ(get(F::TOUCH_INTERCEPT_SRCMASK), 0u);
}

TEST_F(PinRules, TouchSourceModeAsksForSourcesAfterThePinChecks) {
    set(F::ENC0MODE, 2);
    PinCheck check = change(F::TOUCH_MODE, 4);
    EXPECT_FALSE(check.accepted);
    EXPECT_FALSE(check.ask_touch_sources);

    set(F::ENC0MODE, 0);
    set(F::TOUCH_MODE, 1);
    check = change(F::TOUCH_MODE, 4);
    EXPECT_TRUE(check.accepted);
    EXPECT_TRUE(check.ask_touch_sources);
    EXPECT_TRUE(check.writes.empty());  // nothing changes before the sources are chosen
}

TEST_F(PinRules, FinishingTouchSources) {
    apply(r, finish_touch_sources(r, std::uint8_t{0x05}));
    EXPECT_EQ(get(F::TOUCH_MODE), 4u);
    EXPECT_EQ(get(F::TOUCH_INTERCEPT_SRCMASK), 0x05u);

    apply(r, finish_touch_sources(r, std::nullopt));  // cancelled: the preset stays
    EXPECT_EQ(get(F::TOUCH_MODE), 4u);
    EXPECT_EQ(get(F::TOUCH_INTERCEPT_SRCMASK), 0x05u);

    apply(r, finish_touch_sources(r, std::uint8_t{0}));
    EXPECT_EQ(get(F::TOUCH_MODE), 0u);

    set(F::TOUCH_MODE, 2);
    set(F::TOUCH_INTERCEPT_SRCMASK, 0);
    apply(r, finish_touch_sources(r, std::nullopt));  // cancelled without any source
    EXPECT_EQ(get(F::TOUCH_MODE), 0u);
}

TEST_F(PinRules, TouchModeKeepsTheOtherBitsOfItsByte) {
    r.set_u8(field(F::TOUCH_MODE).offset, 0xF8);
    choose(F::TOUCH_MODE, 2);
    EXPECT_EQ(r.u8(field(F::TOUCH_MODE).offset), 0xFA);
}

// ---- IR input -------------------------------------------------------------------------------

TEST_F(PinRules, IrInputRefusedOnAConfiguredPinStoresDisabled) {
    set(F::IRINP_NUM, 2);
    set_pin_mode(r, Pin::X4_3, 6);
    const PinCheck check = choose(F::IRINP_NUM, 7);
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message.en, "You can not use this pin as IR input,\nbecause as it is already used");
    EXPECT_EQ(get(F::IRINP_NUM), 0u);
}

TEST_F(PinRules, IrInputRefusals) {
    set(F::TOUCH_MODE, 1);
    EXPECT_EQ(change(F::IRINP_NUM, 3).message.en,
              "You can not use this pin as IR input,\nbecause as it is already used for touchpanel");
    EXPECT_TRUE(change(F::IRINP_NUM, 6).accepted);
    set(F::TOUCH_MODE, 0);

    set(F::ENC0MODE, 2);
    EXPECT_EQ(change(F::IRINP_NUM, 4).message.en,
              "You can not use this pin as IR input,\nbecause as it already used for encoder 1");
    EXPECT_TRUE(change(F::IRINP_NUM, 5).accepted);
    set(F::ENC0MODE, 0);
    set(F::ENC1MODE, 1);
    EXPECT_EQ(change(F::IRINP_NUM, 1).message.en,
              "You can not use this pin as IR input,\nbecause as it already used for encoder 2");
    set(F::ENC1MODE, 0);

    set(F::GPS_NUM, 2);
    EXPECT_EQ(change(F::IRINP_NUM, 9).message.en,
              "You can not use this pin as IR input,\nbecause she already used to connect the GPS UART module");
    set(F::GPS_NUM, 0);
    set(F::HEAD_NUM, 1);
    EXPECT_EQ(change(F::IRINP_NUM, 6).message.en,
              "You can not use this pin as IR input,\nbecause she already used to connect the HEAD UNIT");
    EXPECT_TRUE(change(F::IRINP_NUM, 8).accepted);
}

TEST_F(PinRules, IrInputIgnoresEncodersOffX2AndInputsWithoutConfigurablePins) {
    set(F::ENC0MODE, 5);  // X4/2 + X4/3
    set(F::ENC1MODE, 7);  // X6/5 + X6/6
    EXPECT_TRUE(choose(F::IRINP_NUM, 6).accepted);
    EXPECT_TRUE(choose(F::IRINP_NUM, 11).accepted);

    set(F::TOUCH_MODE, 1);
    set(F::GPS_NUM, 1);
    for (Pin pin : kAllPins) set_pin_mode(r, pin, 1);
    for (unsigned k = 12; k <= 15; ++k) {
        const PinCheck check = choose(F::IRINP_NUM, k);
        EXPECT_TRUE(check.accepted) << k;
        EXPECT_EQ(get(F::IRINP_NUM), k);
    }
    EXPECT_TRUE(choose(F::IRINP_NUM, 0).accepted);
    EXPECT_FALSE(change(F::IRINP_NUM, 16).accepted);  // beyond the list
}

// ---- module connections ---------------------------------------------------------------------

TEST_F(PinRules, HeadUnitOnGpsPinsNamesBothAndStaysDisabled) {
    choose(F::GPS_NUM, 1);
    const PinCheck check = choose(F::HEAD_NUM, 1);
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message.en,
              "You can not use those pins to connect HEAD UNIT module\nbecause as they are already used to connect UART GPS");
    EXPECT_EQ(check.message.ru,
              "Нельзя использовать эти выводы для подключения модуля HEAD UNIT,\nтак как они уже используются для "
              "подключения: UART GPS");
    EXPECT_EQ(get(F::HEAD_NUM), 0u);
}

TEST_F(PinRules, ModuleMessageNamesTheHolderInEachLanguage) {
    set(F::ENC1MODE, 6);
    const PinCheck check = choose(F::BT_NUM, 2);
    EXPECT_EQ(check.message.en,
              "You can not use those pins to connect BT UART module\nbecause as they are already used to connect Encoder 2");
    EXPECT_NE(check.message.ru.find("BT UART"), std::string::npos);
    EXPECT_NE(check.message.ru.find("Энкодер 2"), std::string::npos);
    EXPECT_EQ(get(F::BT_NUM), 0u);
}

TEST_F(PinRules, ModuleNamesInTheMessage) {
    set(F::CAP2RES_NUM, 2);  // holds X6/2 + X6/3
    struct Case {
        F field;
        const char* name;
    };
    for (Case c : {Case{F::HEAD_NUM, "HEAD UNIT"}, Case{F::GPS_NUM, "GPS UART"}, Case{F::EXTNAVI_NUM, "EXT NAVI"},
                   Case{F::BT_NUM, "BT UART"}, Case{F::UARTPARAM_NUM, "UART"}, Case{F::CARDSP_RUX_PARAM_NUM, "CarDSP"},
                   Case{F::RESEMULPARAM_NUM, "UART"}, Case{F::GAZERUARTPARAM_NUM, "UART"}}) {
        const PinCheck check = change(c.field, 2);
        EXPECT_EQ(check.message.en, std::string("You can not use those pins to connect ") + c.name +
                                        " module\nbecause as they are already used to connect CAP2RES")
            << c.name;
        ASSERT_EQ(check.writes.size(), 1u);
        EXPECT_EQ(check.writes[0], RecordWrite::to_field(c.field, 0));
    }
}

TEST_F(PinRules, ModuleCheckLooksOnlyAtTheFirstPinOfThePair) {
    set(F::IRINP_NUM, 7);  // X4/3
    EXPECT_TRUE(choose(F::BT_NUM, 1).accepted);
    EXPECT_EQ(get(F::BT_NUM), 1u);

    set(F::GAZERUARTPARAM_NUM, 2);  // X6/2 only
    const PinCheck check = choose(F::UARTPARAM_NUM, 2);
    EXPECT_FALSE(check.accepted);
    EXPECT_NE(check.message.en.find("already used to connect GAZER"), std::string::npos);
}

TEST_F(PinRules, ExternalNavigationIsCheckedButDoesNotBlockOthers) {
    EXPECT_TRUE(choose(F::EXTNAVI_NUM, 1).accepted);
    EXPECT_TRUE(choose(F::GPS_NUM, 1).accepted);  // EXT NAVI does not mark its pins
    set(F::EXTNAVI_NUM, 0);
    EXPECT_FALSE(choose(F::EXTNAVI_NUM, 1).accepted);
    EXPECT_EQ(get(F::EXTNAVI_NUM), 0u);
}

TEST_F(PinRules, ChoosingAModulesOwnConnectionAgainKeepsIt) {
    choose(F::GPS_NUM, 2);
    const PinCheck check = choose(F::GPS_NUM, 2);
    EXPECT_TRUE(check.accepted);
    EXPECT_TRUE(check.message.empty());
    EXPECT_EQ(get(F::GPS_NUM), 2u);
}

TEST_F(PinRules, IbusConnectionIsNeitherCheckedNorMarked) {
    set(F::GPS_NUM, 1);
    EXPECT_FALSE(is_pin_checked(F::IBUSPARAM_NUM));
    EXPECT_TRUE(choose(F::IBUSPARAM_NUM, 2).accepted);
    EXPECT_EQ(get(F::IBUSPARAM_NUM), 2u);
}

TEST_F(PinRules, DisconnectingAModuleAndOutOfListValues) {
    set(F::GPS_NUM, 1);
    set(F::HEAD_NUM, 1);
    EXPECT_TRUE(choose(F::HEAD_NUM, 0).accepted);
    EXPECT_EQ(get(F::HEAD_NUM), 0u);
    const PinCheck beyond = choose(F::CARDSP_RUX_PARAM_NUM, 3);
    EXPECT_FALSE(beyond.accepted);
    EXPECT_TRUE(beyond.message.empty());
    EXPECT_EQ(get(F::CARDSP_RUX_PARAM_NUM), 0u);
}

// ---- IEBUS coordinates ----------------------------------------------------------------------

TEST_F(PinRules, IebusCoordinatesRefusals) {
    set(F::TOUCH_MODE, 3);
    PinCheck check = choose(F::IEBUS_TOUCH, 1);
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message.en,
              "You can not use the coordinates from the bus IEBUS,\nbecause touchpanel used as input for their");
    EXPECT_EQ(get(F::IEBUS_TOUCH), 0u);

    set(F::TOUCH_MODE, 4);
    set(F::HEAD_NUM, 2);
    set(F::HEAD_TYPE, 3);
    check = choose(F::IEBUS_TOUCH, 1);
    EXPECT_EQ(check.message.en,
              "You can not use the coordinates from the bus IEBUS,\nbecause used as input the coordinates of HEADUNIT");
    EXPECT_EQ(get(F::IEBUS_TOUCH), 0u);

    set(F::HEAD_TYPE, 6);  // does not count here
    EXPECT_TRUE(choose(F::IEBUS_TOUCH, 1).accepted);
    EXPECT_EQ(get(F::IEBUS_TOUCH), 1u);

    set(F::TOUCH_MODE, 1);
    EXPECT_TRUE(choose(F::IEBUS_TOUCH, 0).accepted);  // unticking is always allowed
    EXPECT_EQ(get(F::IEBUS_TOUCH), 0u);
}

TEST_F(PinRules, IebusCoordinatesKeepTheFunctionBits) {
    set(F::IEBUS_MODEBITS, 0x0321);
    choose(F::IEBUS_TOUCH, 1);
    EXPECT_EQ(get(F::IEBUS_MODEBITS), 0x0321u);
    EXPECT_EQ(get(F::IEBUS_TOUCH), 1u);
}

// ---- outputs on free pins -------------------------------------------------------------------

TEST_F(PinRules, PulseOutputNeedsAConfiguredPin) {
    PinCheck check = choose(F::PULSE_NUM, 1);  // X2/2, "According to its purpose"
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message.en, kPinsMessage);
    EXPECT_EQ(check.message.ru, "Сначала настройте параметры вывода\nна странице \"Выводы\"");
    EXPECT_EQ(get(F::PULSE_NUM), 0u);

    EXPECT_TRUE(choose(F::PULSE_NUM, 8).accepted);  // X5/7 needs nothing
    EXPECT_EQ(get(F::PULSE_NUM), 8u);
    EXPECT_TRUE(choose(F::PULSE_NUM, 9).accepted);

    set_pin_mode(r, Pin::X6_5, 3);
    EXPECT_FALSE(change(F::PULSE_NUM, 11).accepted);  // X6/3
    EXPECT_TRUE(choose(F::PULSE_NUM, 12).accepted);   // X6/5
    EXPECT_EQ(get(F::PULSE_NUM), 12u);
}

TEST_F(PinRules, IrOutputPinOfAReaction) {
    const PinCheck refused = check_reaction_output_pin(r, OutputPinList::Pulse, 4, 16, 6);  // X4/2
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.message.en, kPinsMessage);
    EXPECT_EQ(refused.box_type, kBoxWarning);
    EXPECT_TRUE(refused.show_pins_page);
    r.slot(4)[16] = 9;
    apply(r, refused);
    EXPECT_EQ(r.slot(4)[16], 0);

    set_pin_mode(r, Pin::X4_2, 1);
    const PinCheck accepted = check_reaction_output_pin(r, OutputPinList::Pulse, 4, 16, 6);
    EXPECT_TRUE(accepted.accepted);
    EXPECT_FALSE(accepted.show_pins_page);
    apply(r, accepted);
    EXPECT_EQ(r.slot(4)[16], 6);
    EXPECT_TRUE(check_reaction_output_pin(r, OutputPinList::Pulse, 4, 16, 9).accepted);  // X5/8
}

TEST_F(PinRules, OutputPinOfThePinReaction) {
    for (std::uint8_t v : std::initializer_list<std::uint8_t>{2, 8, 12, 15}) {
        const PinCheck check = check_reaction_output_pin(r, OutputPinList::Output, 79, 12, v);
        EXPECT_FALSE(check.accepted) << int(v);
        ASSERT_EQ(check.writes.size(), 1u);
        EXPECT_EQ(check.writes[0], RecordWrite::to_slot(79, 12, 0));
    }
    // "Not defined", "Power boost", the X5 pins, "USB_UP" and "RESTART" need nothing.
    for (std::uint8_t v : std::initializer_list<std::uint8_t>{0, 1, 9, 10, 11, 16, 17})
        EXPECT_TRUE(check_reaction_output_pin(r, OutputPinList::Output, 79, 12, v).accepted) << int(v);
    set_pin_mode(r, Pin::X6_6, 2);
    EXPECT_TRUE(check_reaction_output_pin(r, OutputPinList::Output, 79, 12, 15).accepted);
    EXPECT_FALSE(check_reaction_output_pin(r, OutputPinList::Output, 79, 12, 18).accepted);
    EXPECT_TRUE(check_reaction_output_pin(r, OutputPinList::Output, 79, 12, 18).writes.empty());
}

TEST_F(PinRules, EncoderEmulationConnections) {
    r.slot(0)[12] = 4;
    set(F::TOUCH_MODE, 2);
    for (std::uint8_t v : std::initializer_list<std::uint8_t>{1, 2}) {
        const PinCheck check = check_encoder_emulation(r, 0, 12, v);
        EXPECT_FALSE(check.accepted);
        EXPECT_EQ(check.message.en,
                  "You can not use those pins for encoder emulation\nbecause as they are already used for touchpanel");
        EXPECT_EQ(check.box_type, kBoxWarning);
        apply(r, check);
        EXPECT_EQ(r.slot(0)[12], 4);  // the reaction is left as it was
    }
    set(F::TOUCH_MODE, 4);
    EXPECT_TRUE(check_encoder_emulation(r, 0, 12, 1).accepted);

    set(F::GPS_NUM, 1);
    EXPECT_EQ(check_encoder_emulation(r, 0, 12, 3).message.en,
              "You can not use those pins for encoder emulation,\nbecause she already used to connect the GPS UART module");
    EXPECT_TRUE(check_encoder_emulation(r, 0, 12, 5).accepted);
    set(F::GPS_NUM, 0);
    set(F::HEAD_NUM, 2);
    EXPECT_EQ(check_encoder_emulation(r, 0, 12, 5).message.en,
              "You can not use those pins for encoder emulation,\nbecause she already used to connect the HEAD UNIT");
    for (std::uint8_t v : std::initializer_list<std::uint8_t>{0, 4, 6}) EXPECT_TRUE(check_encoder_emulation(r, 0, 12, v).accepted);

    apply(r, check_encoder_emulation(r, 0, 12, 6));
    EXPECT_EQ(r.slot(0)[12], 6);
    EXPECT_FALSE(check_encoder_emulation(r, 0, 12, 7).accepted);
}

// ---- pin lists and other fields -------------------------------------------------------------

TEST_F(PinRules, PinModeListsStoreAtOnceUnlessThePinIsHeld) {
    PinCheck check = check_pin_mode_change(r, Pin::X4_2, 7);
    EXPECT_TRUE(check.accepted);
    apply(r, check);
    EXPECT_EQ(pin_mode(r, Pin::X4_2), 7);

    set(F::GAZERUARTPARAM_NUM, 1);
    check = check_pin_mode_change(r, Pin::X4_2, 3);
    EXPECT_FALSE(check.accepted);
    EXPECT_TRUE(check.writes.empty());
    EXPECT_TRUE(check_pin_mode_change(r, Pin::X4_3, 3).accepted);
    EXPECT_FALSE(check_pin_mode_change(r, Pin::X5_6, 2).accepted);  // two entries only
    EXPECT_TRUE(check_pin_mode_change(r, Pin::X5_6, 1).accepted);
}

TEST_F(PinRules, FieldsWithoutPinRulesAreStoredAsChosen) {
    EXPECT_FALSE(is_pin_checked(F::HEAD_TYPE));
    EXPECT_TRUE(is_pin_checked(F::GAZERUARTPARAM_NUM));
    EXPECT_TRUE(choose(F::HEAD_TYPE, 4).accepted);
    EXPECT_EQ(get(F::HEAD_TYPE), 4u);
}

TEST_F(PinRules, BitMaskFieldsAreStoredAsMasksNotListPositions) {
    // Their choice lists name bits: 0x0400 is "PA emulation", 0x0C is "Sub" and "Vol".
    PinCheck check = choose(F::IEBUS_MODEBITS, 0x0400);
    EXPECT_TRUE(check.accepted);
    EXPECT_EQ(get(F::IEBUS_MODEBITS), 0x0400u);
    check = choose(F::CARDSP_RUX_PARAM_MODEBITS, 0x0C);
    EXPECT_TRUE(check.accepted);
    EXPECT_EQ(get(F::CARDSP_RUX_PARAM_MODEBITS), 0x0Cu);
    // Still bounded by the field's width.
    EXPECT_FALSE(change(F::IEBUS_MODEBITS, 0x8000).accepted);
    EXPECT_FALSE(change(F::CARDSP_RUX_PARAM_MODEBITS, 0x100).accepted);
    // A list keeps refusing positions beyond its entries.
    EXPECT_FALSE(change(F::HEAD_TYPE, 7).accepted);
}

TEST(PinLists, ListValuesMapToPins) {
    EXPECT_EQ(ir_input_pin(6), Pin::X4_2);
    EXPECT_EQ(ir_input_pin(8), Pin::X6_2);
    EXPECT_FALSE(ir_input_pin(12).has_value());
    EXPECT_EQ(pulse_list_pin(7), Pin::X4_3);
    EXPECT_EQ(pulse_list_pin(8), Pin::X5_7);
    EXPECT_EQ(pulse_list_pin(13), Pin::X6_6);
    EXPECT_FALSE(pulse_list_pin(14).has_value());
    EXPECT_EQ(output_list_pin(2), Pin::X2_2);
    EXPECT_EQ(output_list_pin(9), Pin::X5_6);
    EXPECT_EQ(output_list_pin(12), Pin::X6_2);
    EXPECT_FALSE(output_list_pin(1).has_value());
    EXPECT_FALSE(output_list_pin(16).has_value());
    EXPECT_EQ(pin_mode_choices(Pin::X6_6).size(), 8u);
    EXPECT_STREQ(pin_mode_choices(Pin::X2_2)[7].en, "Input pull up");
    EXPECT_STREQ(pin_mode_hint(Pin::X5_7).en, "Default state on power up");
    EXPECT_STREQ(pin_name(Pin::X6_5), "X6/5");
    EXPECT_EQ(pin_mode_offset(Pin::X6_6), 1954u);
}

// The pulse pin's list is the field's list, and every entry names the pin its value stands
// for in the pin rules: a list shown to the user cannot drift from the pin it configures.
TEST(PinLists, PulsePinListNamesThePinsItsValuesMapTo) {
    EXPECT_EQ(choices::pulse_pin.data(), kPulsePinList);
    ASSERT_EQ(choices::pulse_pin.size(), std::size(kPulsePinList));
    EXPECT_STREQ(kPulsePinList[0].en, "Disabled");
    EXPECT_FALSE(pulse_list_pin(0).has_value());
    for (unsigned value = 1; value < std::size(kPulsePinList); ++value) {
        const std::optional<Pin> pin = pulse_list_pin(value);
        ASSERT_TRUE(pin.has_value()) << value;
        EXPECT_STREQ(kPulsePinList[value].en, pin_name(*pin)) << value;
        EXPECT_STREQ(kPulsePinList[value].ru, pin_name(*pin)) << value;
    }
    EXPECT_FALSE(pulse_list_pin(static_cast<unsigned>(std::size(kPulsePinList))).has_value());
}

}  // namespace
}  // namespace ztv
