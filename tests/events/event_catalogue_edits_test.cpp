#include <gtest/gtest.h>

#include "events/event_catalogue_edits.h"
#include "events/slot_controls.h"
#include "events/slot_edits.h"

namespace ztv {
namespace {

constexpr std::size_t kSlot = 3;

// Text committed with Enter in the field of the slot's event page that shows `part` (`id`).
EditOutcome enter(Record& record, EventPart part, std::uint8_t id, std::string_view utf8) {
    for (const EventControlDef& def : event_control_defs()) {
        if (def.part != part || def.id != id || def.kind != record.slot(kSlot)[kEventKindByte]) continue;
        ConfigState state;
        state.record = record;
        const EditOutcome outcome = edit_slot(state, kSlot, ControlAction{std::string(def.name), ControlKind::Edit, 0, std::string(utf8)});
        record = state.record;
        return outcome;
    }
    EditOutcome none;
    none.accepted = false;
    return none;
}
EditOutcome enter_event_number(Record& record, std::size_t, EventNumber id, std::string_view text) {
    return enter(record, EventPart::Number, static_cast<std::uint8_t>(id), text);
}
EditOutcome enter_event_text(Record& record, std::size_t, std::string_view utf8) {
    return enter(record, EventPart::Text, 0, utf8);
}

class EventEdits : public ::testing::Test {
protected:
    std::span<std::uint8_t, kSlotSize> slot() { return record.slot(kSlot); }
    Record record;
};

TEST_F(EventEdits, ChoiceIsStoredAsItsPosition) {
    slot()[0] = 18;
    EXPECT_TRUE(set_event_choice(record, kSlot, EventChoice::Lin, 91).accepted);
    EXPECT_EQ(slot()[2], 91);
    EXPECT_FALSE(set_event_choice(record, kSlot, EventChoice::Lin, 92).accepted);
    EXPECT_EQ(slot()[2], 91);
    EXPECT_FALSE(set_event_choice(record, kSlot, EventChoice::Ibus, 1).accepted) << "the slot holds a LIN event";
    EXPECT_EQ(slot()[2], 91);
}

TEST_F(EventEdits, SecondListOfAPageUsesItsOwnByte) {
    slot()[0] = 11;
    EXPECT_TRUE(set_event_choice(record, kSlot, EventChoice::GestureEnd, 13).accepted);
    EXPECT_EQ(slot()[3], 13);
    EXPECT_EQ(slot()[2], 0);
}

TEST_F(EventEdits, NewTimeoutStartArmsADisabledTrigger) {
    slot()[0] = 4;
    slot()[10] = 0xC0 | kTriggerDisabled;
    EXPECT_TRUE(set_event_choice(record, kSlot, EventChoice::TimeoutStart, 7).accepted);
    EXPECT_EQ(slot()[2], 7);
    EXPECT_EQ(slot()[10], 0xC0 | kTriggerAny);
    EXPECT_TRUE(set_event_choice(record, kSlot, EventChoice::TimeoutStart, 80).accepted);
    EXPECT_FALSE(set_event_choice(record, kSlot, EventChoice::TimeoutStart, 81).accepted);
}

TEST_F(EventEdits, OtherChoicesLeaveTheTriggerAlone) {
    slot()[0] = 7;
    EXPECT_TRUE(set_event_choice(record, kSlot, EventChoice::VoltageInput, 2).accepted);
    EXPECT_EQ(slot()[10], 0);
}

TEST_F(EventEdits, NumbersAreStoredWithTheFieldWidth) {
    slot()[0] = 4;
    for (std::size_t i = 2; i < 10; ++i) slot()[i] = 0xEE;
    EXPECT_TRUE(set_event_number(record, kSlot, EventNumber::TimeoutTime, 0).accepted);  // 0 ms is a valid time-out
    EXPECT_EQ(slot()[2], 0xEE);
    for (std::size_t i = 3; i < 7; ++i) EXPECT_EQ(slot()[i], 0) << i;
    EXPECT_EQ(slot()[7], 0xEE);
    EXPECT_TRUE(set_event_number(record, kSlot, EventNumber::TimeoutTime, 1000000000).accepted);
    EXPECT_EQ(slot()[3], 0x00);
    EXPECT_EQ(slot()[4], 0xCA);
    EXPECT_EQ(slot()[5], 0x9A);
    EXPECT_EQ(slot()[6], 0x3B);
    EXPECT_FALSE(set_event_number(record, kSlot, EventNumber::TimeoutTime, 1000000001).accepted);
    EXPECT_EQ(slot()[6], 0x3B);
}

TEST_F(EventEdits, VoltageThresholdIsTwoBytesUpTo18000) {
    slot()[0] = 7;
    slot()[6] = 0x77;
    EXPECT_TRUE(set_event_number(record, kSlot, EventNumber::VoltageThreshold, 18000).accepted);
    EXPECT_EQ(record.u16(Record::slot_offset(kSlot) + 4), 18000);
    EXPECT_EQ(slot()[6], 0x77);
    EXPECT_FALSE(set_event_number(record, kSlot, EventNumber::VoltageThreshold, 18001).accepted);
    EXPECT_TRUE(set_event_number(record, kSlot, EventNumber::VoltageDuration, 65536).accepted);
    EXPECT_EQ(slot()[8], 1);
    EXPECT_FALSE(set_event_number(record, kSlot, EventNumber::PinDuration, 5).accepted) << "not a Pins event";
}

TEST_F(EventEdits, TypedNumbersFollowTheNumericEntryRule) {
    slot()[0] = 16;
    EditOutcome entry = enter_event_number(record, kSlot, EventNumber::PinDuration, "1000000000");
    EXPECT_TRUE(entry.accepted);
    EXPECT_EQ(record.slot(kSlot)[7], 0x3B);

    entry = enter_event_number(record, kSlot, EventNumber::PinDuration, "1000000001");
    EXPECT_FALSE(entry.accepted);
    EXPECT_EQ(entry.message.en, "The value must be in the range from 0 to 1000000000");
    EXPECT_EQ(entry.focus, EditOutcome::Focus::Control);
    EXPECT_EQ(entry.box_type, kBoxError);
    EXPECT_EQ(record.slot(kSlot)[7], 0x3B);

    entry = enter_event_number(record, kSlot, EventNumber::PinDuration, "12a");
    EXPECT_FALSE(entry.accepted);
    EXPECT_EQ(entry.message.en, "Enter a value in the specified position");

    slot()[0] = 7;
    entry = enter_event_number(record, kSlot, EventNumber::VoltageThreshold, "18001");
    EXPECT_EQ(entry.message.en, "The value must be in the range from 0 to 18000");
    entry = enter_event_number(record, kSlot, EventNumber::PinDuration, "5");
    EXPECT_FALSE(entry.accepted) << "not a Pins event";
    EXPECT_TRUE(entry.message.empty());
}

TEST_F(EventEdits, SerialTextIsCutToEightCharacters) {
    slot()[0] = 15;
    EXPECT_TRUE(enter_event_text(record, kSlot, "ABCDEFGHIJKL").accepted);
    EXPECT_EQ(std::string(slot().begin() + 2, slot().begin() + 10), "ABCDEFGH");
    EXPECT_EQ(slot()[10], 0) << "no terminator spills into the flags";
    EXPECT_TRUE(enter_event_text(record, kSlot, "OK").accepted);
    EXPECT_EQ(slot()[3], 'K');
    for (std::size_t i = 4; i < 10; ++i) EXPECT_EQ(slot()[i], 0) << i;
    // Eight characters, not eight bytes of UTF-8: Cyrillic is one byte each in the record.
    EXPECT_TRUE(enter_event_text(record, kSlot, "ДворникиЖ").accepted);
    EXPECT_EQ(slot()[2], 0xC4);  // "Д" in Windows-1251
    EXPECT_EQ(slot()[9], 0xE8);  // "и", the eighth character
    slot()[0] = 20;
    EXPECT_TRUE(enter_event_text(record, kSlot, "UART").accepted);
    slot()[0] = 3;
    EXPECT_FALSE(enter_event_text(record, kSlot, "X").accepted);
    EXPECT_EQ(slot()[2], 'U');
}

TEST_F(EventEdits, ComparisonToggles) {
    slot()[0] = 7;
    EXPECT_TRUE(toggle_voltage_comparison(record, kSlot).accepted);
    EXPECT_EQ(slot()[3], 1);
    toggle_voltage_comparison(record, kSlot);
    EXPECT_EQ(slot()[3], 0);
    slot()[3] = 9;
    toggle_voltage_comparison(record, kSlot);
    EXPECT_EQ(slot()[3], 0);
}

TEST_F(EventEdits, CapturedIrCodeMakesAnIrEventAndArmsTheTrigger) {
    slot()[0] = 16;
    slot()[1] = 0x04;
    slot()[6] = 0x99;
    slot()[10] = 0x10 | kTriggerDisabled;
    EXPECT_TRUE(store_captured_ir_event(record, kSlot, 0x31'04D2'38u).accepted);
    EXPECT_EQ(slot()[0], 1);
    EXPECT_EQ(slot()[2], 0x38);
    EXPECT_EQ(record.u16(Record::slot_offset(kSlot) + 3), 0x04D2);
    EXPECT_EQ(slot()[5], 0x31);
    EXPECT_EQ(slot()[10], 0x10 | kTriggerAny);
    EXPECT_EQ(slot()[1], 0x04) << "other bytes are kept";
    EXPECT_EQ(slot()[6], 0x99);

    slot()[10] = kTriggerShort;
    EXPECT_TRUE(store_captured_ir_event(record, kSlot, 0x01'0001'01u).accepted);
    EXPECT_EQ(slot()[10], kTriggerShort) << "a set trigger type is kept";
}

TEST_F(EventEdits, NothingCapturedChangesNothing) {
    slot()[0] = 3;
    EXPECT_FALSE(store_captured_ir_event(record, kSlot, 0).accepted);
    EXPECT_EQ(slot()[0], 3);
}

}  // namespace
}  // namespace ztv
