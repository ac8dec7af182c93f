// Showing slots whose rule depends on what they hold, the normalisations, and page contents.
#include <gtest/gtest.h>

#include <random>

#include "config/field_table.h"
#include "events/event_view_helper.h"

namespace ztv {
namespace {

using test::show_event;

constexpr std::size_t kSlot = 11;
constexpr std::uint8_t kOnce = 1u << 4, kWake = 1u << 5;

class EventDisplay : public ::testing::Test {
protected:
    std::span<std::uint8_t, kSlotSize> slot() { return record.slot(kSlot); }
    test::EventShown show() { return show_event(record, kSlot); }
    void learn(unsigned channel, unsigned row, std::uint16_t code, std::string_view name = {}) {
        record.set_u16(Record::button_offset(channel, row - 1), code);
        record.set_button_name(channel, row - 1, name);
    }
    void button_event(std::uint8_t key, std::uint8_t channel, std::uint8_t mod, std::uint8_t mod_channel,
                      std::uint8_t flags) {
        slot()[0] = 0;
        slot()[2] = key;
        slot()[3] = channel;
        slot()[4] = mod;
        slot()[5] = mod_channel;
        slot()[10] = flags;
    }
    void ir_event(std::uint8_t command, std::uint16_t address, std::uint8_t protocol_byte, std::uint8_t flags) {
        slot()[0] = 1;
        slot()[2] = command;
        slot()[3] = static_cast<std::uint8_t>(address & 0xFF);
        slot()[4] = static_cast<std::uint8_t>(address >> 8);
        slot()[5] = protocol_byte;
        slot()[10] = flags;
    }

    Record record;
};

TEST_F(EventDisplay, ResistiveMainButtonOffersEveryTypeAndAFreeOnce) {
    learn(1, 5, 812, "Vol+");
    button_event(5, 1, 0, 0, kOnce | kWake | kTriggerLong);
    slot()[1] = 0x02;
    const test::EventShown view = show();
    EXPECT_TRUE(view.trigger().enabled);
    EXPECT_EQ(view.offered(), (std::array<bool, 4>{true, true, true, true}));
    EXPECT_EQ(view.trigger_type(), kTriggerLong);
    EXPECT_TRUE(view.once().enabled);
    EXPECT_TRUE(view.once().checked);
    EXPECT_TRUE(view.wake_up().enabled);
    EXPECT_TRUE(view.wake_up().checked);
    EXPECT_TRUE(view.source().enabled);
    EXPECT_EQ(view.source().items.at(1).en, " 2");
    EXPECT_EQ(view.text("PanelKeyx"), "Vol+");
    EXPECT_EQ(view.text("PanelKeyModx"), "");
}

TEST_F(EventDisplay, EncoderMainButtonIsASingleHappeningWithOnce) {
    set_field(record, FieldId::ENC1MODE, 2);
    button_event(3, 4, 0, 0, kTriggerLong);
    const test::EventShown view = show();
    EXPECT_EQ(view.offered(), (std::array<bool, 4>{true, false, false, true}));
    EXPECT_EQ(view.trigger_type(), kTriggerAny);
    EXPECT_TRUE(view.once().checked);
    EXPECT_FALSE(view.once().enabled);
    EXPECT_EQ(view.text("PanelKeyx"), "Enc2+");
    EXPECT_EQ(slot()[10], kOnce | kTriggerAny);
}

TEST_F(EventDisplay, ModifierAloneKeepsTheTriggerListButNotOnce) {
    learn(2, 1, 1500);
    button_event(0, 0, 1, 2, kOnce | kTriggerShort);
    const test::EventShown view = show();
    EXPECT_TRUE(view.trigger().enabled);
    EXPECT_EQ(view.trigger_type(), kTriggerAny);
    EXPECT_FALSE(view.once().checked);
    EXPECT_FALSE(view.once().enabled);
    EXPECT_TRUE(view.wake_up().enabled);
    EXPECT_EQ(view.text("PanelKeyModx"), "3.1500");
    EXPECT_EQ(view.text("PanelKeyx"), "");
}

TEST_F(EventDisplay, ButtonEventWithoutButtonsIsSwitchedOff) {
    button_event(0, 0, 0, 0, kOnce | kWake | kTriggerAny);
    slot()[1] = 0x81;
    const test::EventShown view = show();
    EXPECT_FALSE(view.trigger().enabled);
    EXPECT_EQ(view.trigger_type(), kTriggerDisabled);
    EXPECT_FALSE(view.once().checked);
    EXPECT_FALSE(view.once().enabled);
    EXPECT_FALSE(view.wake_up().checked);
    EXPECT_FALSE(view.wake_up().enabled);
    EXPECT_FALSE(view.source().enabled);
    EXPECT_EQ(view.source().selected, 0);
    EXPECT_EQ(view.source().items.at(1).en, "Select...");
    EXPECT_EQ(slot()[10], 0);
    EXPECT_EQ(slot()[1], 0x81) << "the mask is only shown as \"Any\", not cleared";
}

TEST_F(EventDisplay, EncoderKeyOutsideItsFourDirectionsIsDropped) {
    button_event(7, 4, 2, 1, kTriggerAny);
    const test::EventShown view = show();
    EXPECT_EQ(slot()[2], 0);
    EXPECT_EQ(slot()[3], 0);
    EXPECT_EQ(slot()[4], 2) << "the modifier stays";
    EXPECT_EQ(view.text("PanelKeyx"), "");
    EXPECT_EQ(view.text("PanelKeyModx"), "2.[2] ?") << "the modifier stays";
}

TEST_F(EventDisplay, UnnamedButtonsShowQuestionMarks) {
    button_event(5, 1, 0, 0, kTriggerAny);
    EXPECT_EQ(show().text("PanelKeyx"), "2.[5] ?");
    button_event(4, 4, 0, 0, kTriggerAny);  // encoder 2 not connected
    EXPECT_EQ(show().text("PanelKeyx"), "Enc2- ?");
}

TEST_F(EventDisplay, IrEventWithACodeOffersEveryType) {
    ir_event(56, 1234, 0x31, kOnce | kTriggerLong);
    slot()[1] = 0x03;
    const test::EventShown view = show();
    EXPECT_EQ(view.text("PanelEventIRx"), "NEC 1234/56");
    EXPECT_TRUE(view.trigger().enabled);
    EXPECT_EQ(view.trigger_type(), kTriggerLong);
    EXPECT_TRUE(view.once().enabled);
    EXPECT_TRUE(view.once().checked);
    EXPECT_EQ(slot()[5], 0x31) << "the high bits of the protocol byte stay as captured";
    EXPECT_EQ(slot()[1], 0x03);
}

TEST_F(EventDisplay, IrEventWithoutACodeIsResetWithItsReaction) {
    for (const std::uint8_t protocol : std::initializer_list<std::uint8_t>{0, 4, 8, 15}) {
        SCOPED_TRACE(static_cast<int>(protocol));
        ir_event(56, 1234, protocol, kOnce | kWake | kTriggerLong | 0xC0);
        slot()[1] = 0x03;
        slot()[11] = 2;  // a "Pin" reaction
        slot()[12] = 5;
        slot()[16] = 9;
        const test::EventShown view = show();
        ASSERT_NE(view.control("PanelEventIRx"), nullptr);
        EXPECT_EQ(view.control("PanelEventIRx")->text.en, "Get the code");
        EXPECT_EQ(view.control("PanelEventIRx")->text.ru, "Получить код");
        for (std::size_t i = 2; i <= 5; ++i) EXPECT_EQ(slot()[i], 0) << i;
        EXPECT_EQ(slot()[10], 0xC0) << "type 0, once and wake-up cleared; bits 6-7 kept";
        EXPECT_EQ(slot()[1], 0);
        for (std::size_t i = 11; i < kSlotSize; ++i) EXPECT_EQ(slot()[i], 0) << i;
        EXPECT_FALSE(view.trigger().enabled);
        EXPECT_FALSE(view.wake_up().enabled);
        EXPECT_FALSE(view.source().enabled);
    }
}

TEST_F(EventDisplay, IrEventWithoutACodeKeepsAUsbKeyReaction) {
    ir_event(0, 0, 0, 0);
    slot()[12] = 7;
    slot()[14] = 4;
    show();
    EXPECT_EQ(slot()[12], 7);
    EXPECT_EQ(slot()[14], 4);
}

TEST_F(EventDisplay, CanAutoCodeIsAValidEventCode) {
    ir_event(16, 1, 11, kTriggerAny);
    const test::EventShown view = show();
    EXPECT_TRUE(view.trigger().enabled);
    EXPECT_EQ(view.text("PanelEventIRx"), "Mercedes CLK350 Vol+ (1/16)");
}

TEST_F(EventDisplay, UnknownKindClearsTheEventHalfOnly) {
    slot()[0] = 40;
    for (std::size_t i = 1; i < kSlotSize; ++i) slot()[i] = 0x5A;
    const test::EventShown view = show();
    EXPECT_EQ(view.kind, 0);
    EXPECT_NE(view.control("PanelKeyx"), nullptr) << "the \"Button\" page";
    for (std::size_t i = 0; i < kSlotEventSize; ++i) EXPECT_EQ(slot()[i], 0) << i;
    for (std::size_t i = kSlotEventSize; i < kSlotSize; ++i) EXPECT_EQ(slot()[i], 0x5A) << i;
    Record other;
    other.slot(kSlot)[0] = 27;
    EXPECT_EQ(show_event(other, kSlot).kind, 0);
}

TEST_F(EventDisplay, OtherSlotsAreNotTouched) {
    for (std::size_t i = 0; i < kRecordSize; ++i) record.raw[i] = static_cast<std::uint8_t>(i * 7);
    slot()[0] = 1;  // IR event without a code: the widest normalisation
    slot()[5] = 0;
    const Record before = record;
    show();
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (i >= Record::slot_offset(kSlot) && i < Record::slot_offset(kSlot + 1)) continue;
        ASSERT_EQ(record.raw[i], before.raw[i]) << i;
    }
}

TEST_F(EventDisplay, ListsSelectTheStoredEntry) {
    slot()[0] = 11;  // gestures
    slot()[2] = 4;
    slot()[3] = 13;
    test::EventShown view = show();
    ASSERT_EQ(view.page.size(), 2u);
    EXPECT_EQ(view.page[0].name, "ComboBoxEventGestureFrom");
    EXPECT_EQ(view.page[0].selected, 4);
    EXPECT_EQ(view.page[0].items.size(), 9u);
    EXPECT_EQ(view.page[1].name, "ComboBoxEventGestureTo");
    EXPECT_EQ(view.page[1].selected, 13);
    EXPECT_EQ(view.page[1].items.at(13).en, "Bottom right corner");
    EXPECT_EQ(view.count(ControlKind::Edit), 0u);

    Record ibus;
    ibus.slot(0)[0] = 5;
    ibus.slot(0)[2] = 64;
    EXPECT_EQ(show_event(ibus, 0).page.at(0).selected, 64);
    ibus.slot(0)[2] = 65;
    view = show_event(ibus, 0);
    EXPECT_EQ(view.page.at(0).selected, -1) << "a value beyond the list selects nothing";
    EXPECT_EQ(ibus.slot(0)[2], 65) << "and is not rewritten";
}

TEST_F(EventDisplay, PagesWithoutParametersHaveNoFields) {
    for (const std::uint8_t kind : std::initializer_list<std::uint8_t>{0, 1, 2}) {
        Record r;
        r.slot(0)[0] = kind;
        const test::EventShown view = show_event(r, 0);
        EXPECT_EQ(view.count(ControlKind::List), 0u) << int(kind);
        EXPECT_EQ(view.count(ControlKind::Edit), 0u) << int(kind);
    }
}

TEST_F(EventDisplay, TimeoutShowsStartAndTime) {
    slot()[0] = 4;
    slot()[2] = 80;
    record.set_u16(Record::slot_offset(kSlot) + 3, 0x5678);
    record.set_u16(Record::slot_offset(kSlot) + 5, 0x1234);
    const test::EventShown view = show();
    const ControlView* start = view.control("ComboBoxEventTimeoutFromx");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->selected, 80);
    EXPECT_EQ(start->items.at(80).en, "On response 80");
    EXPECT_EQ(start->label.en, "Count from");
    const ControlView* time = view.control("EditEventTimeout");
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->text.en, "305419896");
    EXPECT_EQ(time->label.en, "after");
    EXPECT_EQ(time->unit.en, "mSec");
}

TEST_F(EventDisplay, VoltageThresholdUnitFollowsTheInput) {
    slot()[0] = 7;
    slot()[2] = 5;  // GAZER Dist
    slot()[3] = 1;
    record.set_u16(Record::slot_offset(kSlot) + 4, 18000);
    record.set_u16(Record::slot_offset(kSlot) + 6, 100);
    test::EventShown view = show();
    EXPECT_EQ(view.control("ComboBoxEventVoltageInput")->selected, 5);
    EXPECT_EQ(view.text("SpeedButtonEventVoltageComparex"), ">");
    ASSERT_NE(view.control("EditEventVoltageValue"), nullptr);
    EXPECT_EQ(view.text("EditEventVoltageValue"), "18000");
    EXPECT_EQ(view.control("EditEventVoltageValue")->unit.en, "cm");
    EXPECT_EQ(view.text("EditEventVoltageDuration"), "100");
    EXPECT_EQ(view.control("EditEventVoltageDuration")->unit.en, "") << "its label names the unit";
    for (const std::uint8_t input : std::initializer_list<std::uint8_t>{0, 1, 2, 3, 4}) {
        slot()[2] = input;
        view = show();
        EXPECT_EQ(view.control("EditEventVoltageValue")->unit.en, "mV") << int(input);
    }
    slot()[3] = 0;
    EXPECT_EQ(show().text("SpeedButtonEventVoltageComparex"), "<");
    slot()[3] = 2;
    EXPECT_EQ(show().text("SpeedButtonEventVoltageComparex"), "") << "a value beyond the two shows nothing";
}

TEST_F(EventDisplay, PinsShowInputLevelAndDuration) {
    slot()[0] = 16;
    slot()[2] = 18;
    slot()[3] = 1;
    record.set_u16(Record::slot_offset(kSlot) + 4, 500);
    const test::EventShown view = show();
    const ControlView* pin = view.control("ComboBoxEventPinPin");
    const ControlView* level = view.control("ComboBoxEventPinState");
    ASSERT_TRUE(pin != nullptr && level != nullptr);
    EXPECT_EQ(pin->items.at(static_cast<std::size_t>(pin->selected)).en, "LIN");
    EXPECT_EQ(level->items.at(static_cast<std::size_t>(level->selected)).en, "log. 1");
    EXPECT_EQ(view.text("EditEventPinDuration"), "500");
}

TEST_F(EventDisplay, SerialTextAndWhereItComesFrom) {
    slot()[0] = 15;
    const char text[] = "ABCDEFGH";
    std::copy_n(text, 8, slot().begin() + 2);
    test::EventShown view = show();
    EXPECT_EQ(view.text("EditEventSerial"), "ABCDEFGH");
    EXPECT_EQ(view.text("PanelEventSerialNamex"), "From USB");
    set_field(record, FieldId::BT_NUM, 1);
    EXPECT_EQ(show().text("PanelEventSerialNamex"), "From bluetooth");
    slot()[0] = 20;
    slot()[4] = 0;
    view = show();
    EXPECT_EQ(view.text("PanelEventUARTNamex"), "From UART");
    EXPECT_EQ(view.text("EditEventUART"), "AB");
}

TEST_F(EventDisplay, SerialTextIsShownInUnicode) {
    slot()[0] = 20;
    slot()[2] = 0xC0;  // Cyrillic A in Windows-1251
    EXPECT_EQ(show().text("EditEventUART"), "А");
}

TEST(EventDisplayRandom, RulesHoldOnAnyRecordAndStayInTheirSlot) {
    std::mt19937 rng(2026);
    for (int round = 0; round < 200; ++round) {
        Record record;
        for (std::size_t i = 0; i < kRecordSize; ++i) record.raw[i] = static_cast<std::uint8_t>(rng());
        const std::size_t slot = rng() % kSlotCount;
        if (round % 2 == 0) record.slot(slot)[0] = static_cast<std::uint8_t>(rng() % kEventKindCount);
        const Record before = record;
        const test::EventShown view = show_event(record, slot);
        const auto bytes = record.slot(slot);

        // Outside the slot nothing moves; the reaction half only for an IR event without a code.
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            if (i >= Record::slot_offset(slot) && i < Record::slot_offset(slot + 1)) continue;
            ASSERT_EQ(record.raw[i], before.raw[i]) << i;
        }
        const bool reaction_changed =
            !std::equal(bytes.begin() + kSlotEventSize, bytes.end(), before.slot(slot).begin() + kSlotEventSize);
        if (reaction_changed) {
            EXPECT_EQ(view.kind, 1);
            EXPECT_EQ(view.text("PanelEventIRx"), "Get the code");
        }

        EXPECT_LT(view.kind, kEventKindCount);
        const unsigned type = bytes[10] & 0x0Fu;
        if (type < kTriggerTypeCount) {
            EXPECT_EQ(view.trigger_type(), type);
            EXPECT_TRUE(view.offered()[type]) << "type " << type << ", kind " << int(view.kind);
        } else {
            // A type beyond the list is kept for kinds that take every type; nothing invents one.
            EXPECT_EQ(type, before.slot(slot)[10] & 0x0Fu);
            EXPECT_TRUE(view.offered()[kTriggerLong]);
            EXPECT_EQ(view.trigger().selected, -1) << "the list selects nothing";
        }
        if (!view.wake_up().enabled) {
            EXPECT_EQ(bytes[10] & kWake, 0);
        }
        if (view.once().checked && view.trigger_type() <= kTriggerShort) {
            // Only a kind's own forcing keeps once on for a disabled or short trigger.
            EXPECT_FALSE(view.once().enabled);
        }
        if (before.slot(slot)[0] < kEventKindCount) {
            EXPECT_EQ(bytes[10] & 0xC0, before.slot(slot)[10] & 0xC0) << "bits 6-7 survive the rules";
        } else {
            EXPECT_EQ(bytes[10], 0) << "an unknown kind clears the whole event half";
        }

        const Record shown = record;
        show_event(record, slot);
        EXPECT_EQ(record.raw, shown.raw) << "round " << round;
    }
}

TEST(EventDisplayRandom, SlotBeyondTheTableChangesNothing) {
    Record record;
    record.raw.fill(0x33);
    const Record before = record;
    const test::EventShown view = show_event(record, kSlotCount);
    EXPECT_EQ(record.raw, before.raw);
    EXPECT_TRUE(view.page.empty());
    EXPECT_TRUE(view.common.empty());
}

}  // namespace
}  // namespace ztv
