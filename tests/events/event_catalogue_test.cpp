#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "events/event_catalogue.h"

namespace ztv {
namespace {

TEST(EventCatalogue, TwentySevenKindsWithTheirPageTitles) {
    const char* const titles[] = {"Button", "IR code", "Source", "Area", "Timeout", "BMW IBUS", "Intercept",
                                  "Voltage", "USB", "IEBUS", "NAVI", "Gestures", "iDrive", "GaNet",
                                  "MercedesJOY", "Serial", "Pins", "MDX JOY", "LIN", "Bluetooth", "UART",
                                  "AUDI MMI", "Renault CAN Joy", "HONDA Keys", "SW CAN", "Mercedes Ctrl",
                                  "Porshe Keys"};
    ASSERT_EQ(event_kinds().size(), std::size(titles));
    for (std::size_t code = 0; code < std::size(titles); ++code) {
        EXPECT_STREQ(event_kinds()[code].title.en, titles[code]) << code;
        EXPECT_NE(event_kinds()[code].title.ru[0], '\0') << code;
    }
}

TEST(EventCatalogue, UnquotedTitlesReadTheSameInRussian) {
    for (const std::uint8_t code : std::initializer_list<std::uint8_t>{5, 8, 9, 10, 13, 14, 15, 17, 18, 20, 23, 24, 26})
        EXPECT_STREQ(event_kind(code).title.ru, event_kind(code).title.en) << int(code);
    for (const std::uint8_t code : std::initializer_list<std::uint8_t>{0, 1, 2, 3, 4, 6, 7, 11, 16})
        EXPECT_STRNE(event_kind(code).title.ru, event_kind(code).title.en) << int(code);
}

TEST(EventCatalogue, FixedListsHaveTheirLengthsAndOrder) {
    EXPECT_EQ(event_lists::areas().size(), 9u);
    EXPECT_STREQ(event_lists::areas()[0].en, "Top left corner");
    EXPECT_STREQ(event_lists::areas()[5].en, "Screen right");
    EXPECT_STREQ(event_lists::areas()[8].en, "Bottom right corner");

    ASSERT_EQ(event_lists::gesture_ends().size(), 14u);
    EXPECT_STREQ(event_lists::gesture_ends()[0].en, "On touch");
    EXPECT_STREQ(event_lists::gesture_ends()[4].en, "On move left");
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_STREQ(event_lists::gesture_ends()[5 + i].en, event_lists::areas()[i].en);
        EXPECT_STREQ(event_lists::gesture_ends()[5 + i].ru, event_lists::areas()[i].ru);
    }

    ASSERT_EQ(event_lists::voltage_inputs().size(), 6u);
    EXPECT_STREQ(event_lists::voltage_inputs()[kVoltageGazerInput].en, "GAZER Dist");
    ASSERT_EQ(event_lists::pin_inputs().size(), 19u);
    EXPECT_STREQ(event_lists::pin_inputs()[0].en, "Disabled");
    EXPECT_STREQ(event_lists::pin_inputs()[12].en, "IERX");
    EXPECT_STREQ(event_lists::pin_inputs()[18].en, "LIN");
    EXPECT_EQ(event_lists::pin_levels().size(), 2u);
    EXPECT_STREQ(event_lists::pin_levels()[1].en, "log. 1");
    EXPECT_EQ(event_lists::comparison().size(), 2u);
    EXPECT_STREQ(event_lists::navi_mute()[1].en, "When MUTE deactivate");
    EXPECT_STREQ(event_lists::activation()[0].en, "When activate");
}

TEST(EventCatalogue, TimeoutStartsArePowerUpThenEveryResponse) {
    const auto starts = event_lists::timeout_starts();
    ASSERT_EQ(starts.size(), 81u);
    EXPECT_STREQ(starts[0].en, "On power up");
    EXPECT_STREQ(starts[1].en, "On response 1");
    EXPECT_STREQ(starts[80].en, "On response 80");
    EXPECT_STREQ(starts[80].ru, "После реакции 80");
    EXPECT_EQ(event_lists::timeout_starts().data(), starts.data());  // built once
}

TEST(EventCatalogue, TriggerTypesInListOrder) {
    const auto names = trigger_type_names();
    ASSERT_EQ(names.size(), 4u);
    EXPECT_STREQ(names[kTriggerDisabled].en, "Disabled");
    EXPECT_STREQ(names[kTriggerShort].en, "Short");
    EXPECT_STREQ(names[kTriggerLong].en, "Long");
    EXPECT_STREQ(names[kTriggerAny].en, "Any");
}

TEST(EventCatalogue, EveryListedKindHasItsListsOnItsByte) {
    struct Expect {
        EventChoice id;
        EventKind kind;
        std::uint8_t byte;
        std::size_t count;
    };
    const Expect expected[] = {
        {EventChoice::Area, EventKind::Area, 2, 9},           {EventChoice::TimeoutStart, EventKind::Timeout, 2, 81},
        {EventChoice::Ibus, EventKind::BmwIbus, 2, 65},       {EventChoice::Intercept, EventKind::Intercept, 2, 2},
        {EventChoice::VoltageInput, EventKind::Voltage, 2, 6}, {EventChoice::VoltageComparison, EventKind::Voltage, 3, 2},
        {EventChoice::UsbState, EventKind::Usb, 2, 2},        {EventChoice::Iebus, EventKind::Iebus, 2, 100},
        {EventChoice::NaviMute, EventKind::Navi, 2, 2},       {EventChoice::GestureStart, EventKind::Gestures, 2, 9},
        {EventChoice::GestureEnd, EventKind::Gestures, 3, 14}, {EventChoice::IDrive, EventKind::IDrive, 2, 27},
        {EventChoice::GaNet, EventKind::GaNet, 2, 67},        {EventChoice::MercedesJoy, EventKind::MercedesJoy, 2, 12},
        {EventChoice::PinInput, EventKind::Pins, 2, 19},      {EventChoice::PinLevel, EventKind::Pins, 3, 2},
        {EventChoice::MdxJoy, EventKind::MdxJoy, 2, 26},      {EventChoice::Lin, EventKind::Lin, 2, 92},
        {EventChoice::BluetoothState, EventKind::Bluetooth, 2, 2}, {EventChoice::AudiMmi, EventKind::AudiMmi, 2, 33},
        {EventChoice::RenaultJoy, EventKind::RenaultJoy, 2, 17}, {EventChoice::HondaKeys, EventKind::HondaKeys, 2, 30},
        {EventChoice::SwCan, EventKind::SwCan, 2, 10},        {EventChoice::MercedesCtrl, EventKind::MercedesCtrl, 2, 33},
        {EventChoice::PorsheKeys, EventKind::PorsheKeys, 2, 6},
    };
    ASSERT_EQ(event_choices().size(), std::size(expected));
    for (const Expect& e : expected) {
        const EventChoiceDef& def = event_choice(e.id);
        SCOPED_TRACE(static_cast<int>(e.id));
        EXPECT_EQ(def.id, e.id);
        EXPECT_EQ(def.kind, static_cast<std::uint8_t>(e.kind));
        EXPECT_EQ(def.byte, e.byte);
        EXPECT_EQ(def.items().size(), e.count);
    }
}

TEST(EventCatalogue, NumericFieldsHaveTheirRangesAndWidths) {
    struct Expect {
        EventNumber id;
        EventKind kind;
        std::uint8_t byte, width;
        std::uint32_t max;
    };
    const Expect expected[] = {
        {EventNumber::TimeoutTime, EventKind::Timeout, 3, 4, 1000000000},
        {EventNumber::VoltageThreshold, EventKind::Voltage, 4, 2, 18000},
        {EventNumber::VoltageDuration, EventKind::Voltage, 6, 4, 1000000000},
        {EventNumber::PinDuration, EventKind::Pins, 4, 4, 1000000000},
    };
    ASSERT_EQ(event_numbers().size(), std::size(expected));
    for (const Expect& e : expected) {
        const EventNumberDef& def = event_number(e.id);
        EXPECT_EQ(def.kind, static_cast<std::uint8_t>(e.kind));
        EXPECT_EQ(def.byte, e.byte);
        EXPECT_EQ(def.width, e.width);
        EXPECT_EQ(def.min, 0u);
        EXPECT_EQ(def.max, e.max);
        EXPECT_LE(def.byte + def.width, 10) << "a field must stay inside the eight parameter bytes";
    }
}

TEST(EventCatalogue, SpecialEntriesOfTheBusKinds) {
    const auto entries = [](EventKind kind) {
        const auto span = event_kind(static_cast<std::uint8_t>(kind)).special_entries;
        return std::set<int>(span.begin(), span.end());
    };
    EXPECT_EQ(entries(EventKind::IDrive), (std::set<int>{13, 14, 15, 16, 17, 18, 19, 20, 23, 24, 25, 26}));
    EXPECT_EQ(entries(EventKind::MdxJoy), (std::set<int>{1, 2}));
    EXPECT_EQ(entries(EventKind::Lin), (std::set<int>{21, 22, 23, 24, 37, 38, 53, 54, 86, 87, 89, 90}));
    EXPECT_EQ(entries(EventKind::AudiMmi), (std::set<int>{15, 16, 17, 18}));
    EXPECT_EQ(entries(EventKind::MercedesCtrl), (std::set<int>{7, 8, 9, 10, 11, 23, 24, 31, 32}));
    EXPECT_EQ(entries(EventKind::PorsheKeys), (std::set<int>{1, 2}));
}

}  // namespace
}  // namespace ztv
