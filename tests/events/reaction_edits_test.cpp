// Input on the reaction pages: what each control stores, refuses and reports.
#include "events/reaction_catalogue_edits.h"

#include <gtest/gtest.h>

#include "config/field_table.h"
#include "events/reaction_view_helper.h"

namespace ztv {
namespace {

using C = ReactionControl;
using test::ReactionView;
using test::display_reaction;
constexpr std::size_t kSlot = 41;

Record with_kind(ReactionKind kind) {
    Record record;
    record.slot(kSlot)[kReactionKindByte] = static_cast<std::uint8_t>(kind);
    return record;
}
std::uint8_t byte(const Record& record, std::size_t i) { return record.slot(kSlot)[i]; }

// The user's actions, as the page's bound controls hand them over.
EditOutcome act(Record& record, std::size_t slot, C control, ControlKind kind, std::int64_t value,
                std::string_view text = {}) {
    const ControlAction action{std::string(reaction_control_def(control).name), kind, value, std::string(text)};
    return edit_reaction(record, slot, control, action);
}
EditOutcome choose_reaction_entry(Record& r, std::size_t slot, C c, int position) {
    return act(r, slot, c, ControlKind::List, position);
}
EditOutcome enter_reaction_text(Record& r, std::size_t slot, C c, std::string_view utf8) {
    return act(r, slot, c, ControlKind::Edit, 0, utf8);
}
EditOutcome set_reaction_check(Record& r, std::size_t slot, C c, bool checked) {
    return act(r, slot, c, ControlKind::Check, checked);
}
EditOutcome set_reaction_number(Record& r, std::size_t slot, C c, std::int64_t value) {
    return act(r, slot, c, ControlKind::Spin, value);
}
std::uint16_t word(const Record& record, std::size_t i) {
    return static_cast<std::uint16_t>(byte(record, i) | (byte(record, i + 1) << 8));
}

TEST(ReactionEdits, NumericEntryRule) {
    Record record = with_kind(ReactionKind::Pin);
    record.slot(kSlot)[12] = 15;
    EditOutcome edit = enter_reaction_text(record, kSlot, C::PinDuration, "12a");
    EXPECT_FALSE(edit.accepted);
    EXPECT_EQ(edit.message.en, "Enter a value in the specified position");
    EXPECT_EQ(edit.box_type, kBoxError);
    edit = enter_reaction_text(record, kSlot, C::PinDuration, "");
    EXPECT_EQ(edit.message.en, "Enter a value in the specified position");
    edit = enter_reaction_text(record, kSlot, C::PinDuration, "30001");
    EXPECT_FALSE(edit.accepted);
    EXPECT_EQ(edit.message.en, "The value must be in the range from 0 to 30000");
    EXPECT_EQ(edit.message.ru, "Значение должно быть в диапазоне от 0 до 30000");
    edit = enter_reaction_text(record, kSlot, C::PinDuration, "99999999999999999999");
    EXPECT_FALSE(edit.accepted);
    EXPECT_EQ(word(record, 14), 0);
    edit = enter_reaction_text(record, kSlot, C::PinDuration, "30000");
    EXPECT_TRUE(edit.accepted);
    EXPECT_TRUE(edit.message.empty());
    EXPECT_EQ(word(record, 14), 30000);
}

TEST(ReactionEdits, UsbKeyDurationIsStoredInTenthsOfASecond) {
    Record record = with_kind(ReactionKind::UsbKey);
    EXPECT_TRUE(enter_reaction_text(record, kSlot, C::UsbKeyDuration, "150").accepted);
    EXPECT_EQ(byte(record, 16), 1);
    EXPECT_EQ(display_reaction(record, kSlot).field(C::UsbKeyDuration)->text.en, "100");
    EXPECT_TRUE(enter_reaction_text(record, kSlot, C::UsbKeyDuration, "20000").accepted);
    EXPECT_EQ(byte(record, 16), 200);
}

TEST(ReactionEdits, PackedFieldsKeepTheirNeighbours) {
    Record ir = with_kind(ReactionKind::SendIr);
    ir.slot(kSlot)[15] = 0x01;
    EXPECT_TRUE(enter_reaction_text(ir, kSlot, C::IrRepeats, "15").accepted);
    EXPECT_EQ(byte(ir, 15), 0xF1);
    EXPECT_FALSE(enter_reaction_text(ir, kSlot, C::IrRepeats, "16").accepted);

    Record touch = with_kind(ReactionKind::UsbTouch);
    for (std::size_t i = 12; i <= 16; ++i) touch.slot(kSlot)[i] = 0xFF;
    EXPECT_TRUE(enter_reaction_text(touch, kSlot, C::TouchX, "0").accepted);
    EXPECT_EQ(word(touch, 12), 0xF000);
    EXPECT_TRUE(enter_reaction_text(touch, kSlot, C::TouchY, "0").accepted);
    EXPECT_EQ(byte(touch, 13), 0x00);  // its low nibble belongs to X's top bits, which X cleared
    EXPECT_EQ(byte(touch, 14), 0x00);
    EXPECT_TRUE(enter_reaction_text(touch, kSlot, C::TouchDuration, "4000").accepted);
    EXPECT_EQ(word(touch, 15), 0xF000 | 4000);
    EXPECT_FALSE(enter_reaction_text(touch, kSlot, C::TouchDuration, "4001").accepted);
}

TEST(ReactionEdits, ControlVoltages) {
    Record record = with_kind(ReactionKind::Control);
    record.slot(kSlot)[16] = 0x11;  // both channels "not touch": no limiting on display
    EXPECT_TRUE(enter_reaction_text(record, kSlot, C::ControlVoltage1, "1.234").accepted);
    EXPECT_EQ(byte(record, 12), 194);
    EXPECT_TRUE(enter_reaction_text(record, kSlot, C::ControlVoltage2, "7").accepted);
    EXPECT_EQ(byte(record, 13), 5);
    const ReactionView view = display_reaction(record, kSlot);
    EXPECT_EQ(view.field(C::ControlVoltage1)->text.en, "1.22");
    EXPECT_EQ(view.field(C::ControlVoltage2)->text.en, "5.00");
    EXPECT_TRUE(enter_reaction_text(record, kSlot, C::ControlVoltage1, "2,5").accepted);
    EXPECT_EQ(byte(record, 12), 255 - 125);
    EXPECT_TRUE(enter_reaction_text(record, kSlot, C::ControlVoltage1, "abc").accepted);
    EXPECT_EQ(byte(record, 12), 255);

    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::ControlAction2, 7).accepted);
    EXPECT_TRUE(set_reaction_check(record, kSlot, C::ControlSave2, true).accepted);
    EXPECT_EQ(byte(record, 16), 0xF1);
    EXPECT_TRUE(set_reaction_check(record, kSlot, C::ControlSave1, true).accepted);
    EXPECT_EQ(byte(record, 16), 0xF9);
    EXPECT_FALSE(choose_reaction_entry(record, kSlot, C::ControlAction1, 8).accepted);
}

TEST(ReactionEdits, AutorepeatIntervals) {
    Record record = with_kind(ReactionKind::Encoder);
    enter_reaction_text(record, kSlot, C::EncoderRepeat, "20000");
    EXPECT_EQ(word(record, 14), 500);
    enter_reaction_text(record, kSlot, C::EncoderRepeat, "99999999999999999999999");
    EXPECT_EQ(word(record, 14), 500);
    enter_reaction_text(record, kSlot, C::EncoderRepeat, "10000");
    EXPECT_EQ(word(record, 14), 10000);
    const EditOutcome edit = enter_reaction_text(record, kSlot, C::EncoderRepeat, "x1");
    EXPECT_TRUE(edit.message.empty());
    EXPECT_EQ(word(record, 14), 0);

    EXPECT_TRUE(set_reaction_number(record, kSlot, C::EncoderSteps, -100).accepted);
    EXPECT_EQ(byte(record, 13), 0x9C);
    EXPECT_FALSE(set_reaction_number(record, kSlot, C::EncoderSteps, 101).accepted);
    EXPECT_EQ(byte(record, 13), 0x9C);
}

TEST(ReactionEdits, TextValuesAreCutToFiveCharacters) {
    Record record = with_kind(ReactionKind::Uart);
    enter_reaction_text(record, kSlot, C::UartValue, "ABCDEFGH");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record.slot(kSlot)[12]), 5), "ABCDE");
    enter_reaction_text(record, kSlot, C::UartValue, "Да");
    EXPECT_EQ(byte(record, 12), 0xC4);  // Windows-1251
    EXPECT_EQ(byte(record, 14), 0);
    EXPECT_EQ(display_reaction(record, kSlot).field(C::UartValue)->text.en, "Да");
}

TEST(ReactionEdits, HexCustomCodesNeedExactlyTwoBytes) {
    Record record = with_kind(ReactionKind::Ganet);
    EXPECT_TRUE(enter_reaction_text(record, kSlot, C::GanetCode, "12AB").accepted);
    EXPECT_EQ(word(record, 13), 0x12AB);
    EXPECT_FALSE(enter_reaction_text(record, kSlot, C::GanetCode, "12").accepted);
    EXPECT_FALSE(enter_reaction_text(record, kSlot, C::GanetCode, "1G34").accepted);
    EXPECT_FALSE(enter_reaction_text(record, kSlot, C::GanetCode, "").accepted);
    EXPECT_EQ(word(record, 13), 0x12AB);
    EXPECT_TRUE(enter_reaction_text(record, kSlot, C::GanetCode, "ab01ff").accepted);
    EXPECT_EQ(word(record, 13), 0xAB01);
}

TEST(ReactionEdits, OutputPinsMustBeConfiguredFirst) {
    Record record = with_kind(ReactionKind::Pin);
    EditOutcome edit = choose_reaction_entry(record, kSlot, C::PinOutput, 2);  // X2/2, mode 0
    EXPECT_FALSE(edit.accepted);
    EXPECT_EQ(edit.focus, EditOutcome::Focus::PinsPage);
    EXPECT_EQ(edit.box_type, kBoxWarning);
    EXPECT_EQ(edit.message.en, "First, configure the pin options\nin the \"Pins\"");
    EXPECT_EQ(byte(record, 12), 0);

    record.set_u8(kPinModeOffset + 0, 3);  // X2/2 "Act. output, +3.3V"
    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::PinOutput, 2).accepted);
    EXPECT_EQ(byte(record, 12), 2);
    // X6/6 is list entry 15 and pin-mode byte 13.
    EXPECT_FALSE(choose_reaction_entry(record, kSlot, C::PinOutput, 15).accepted);
    record.set_u8(kPinModeOffset + 13, 1);
    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::PinOutput, 15).accepted);
    // The X5 pins, power boost, USB_UP and RESTART need nothing.
    for (int free_entry : {1, 9, 10, 11, 16, 17}) {
        EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::PinOutput, free_entry).accepted) << free_entry;
        EXPECT_EQ(byte(record, 12), free_entry);
    }
    EXPECT_FALSE(choose_reaction_entry(record, kSlot, C::PinOutput, 18).accepted);

    Record ir = with_kind(ReactionKind::SendIr);
    EXPECT_FALSE(choose_reaction_entry(ir, kSlot, C::IrOutput, 10).accepted);  // X6/2
    ir.set_u8(kPinModeOffset + 10, 2);
    EXPECT_TRUE(choose_reaction_entry(ir, kSlot, C::IrOutput, 10).accepted);
    EXPECT_EQ(byte(ir, 16), 10);
    EXPECT_TRUE(choose_reaction_entry(ir, kSlot, C::IrOutput, 8).accepted);  // X5/7
    EXPECT_FALSE(choose_reaction_entry(ir, kSlot, C::IrOutput, 7).accepted); // X4/3
    EXPECT_EQ(byte(ir, 16), 0);
}

TEST(ReactionEdits, EncoderConnectionMustNotTakeBusyPins) {
    Record record = with_kind(ReactionKind::Encoder);
    set_field(record, FieldId::TOUCH_MODE, 2);
    EditOutcome edit = choose_reaction_entry(record, kSlot, C::EncoderConnection, 1);
    EXPECT_FALSE(edit.accepted);
    EXPECT_EQ(edit.message.en, "You can not use those pins for encoder emulation\nbecause as they are already used for touchpanel");
    EXPECT_FALSE(choose_reaction_entry(record, kSlot, C::EncoderConnection, 2).accepted);
    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::EncoderConnection, 4).accepted);
    EXPECT_EQ(byte(record, 12), 4);
    set_field(record, FieldId::TOUCH_MODE, 4);  // "Source..." holds no pins
    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::EncoderConnection, 1).accepted);

    set_field(record, FieldId::GPS_NUM, 1);
    set_field(record, FieldId::HEAD_NUM, 2);
    edit = choose_reaction_entry(record, kSlot, C::EncoderConnection, 3);
    EXPECT_FALSE(edit.accepted);
    EXPECT_EQ(edit.message.en, "You can not use those pins for encoder emulation,\nbecause she already used to connect the GPS UART module");
    EXPECT_EQ(byte(record, 12), 1);  // unchanged
    edit = choose_reaction_entry(record, kSlot, C::EncoderConnection, 5);
    EXPECT_EQ(edit.message.en, "You can not use those pins for encoder emulation,\nbecause she already used to connect the HEAD UNIT");
    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::EncoderConnection, 6).accepted);
    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::EncoderConnection, 0).accepted);
}

TEST(ReactionEdits, SwCanChoicesMapThroughTheCarTypeList) {
    Record record = with_kind(ReactionKind::SwCan);
    record.slot(kSlot)[15] = 2;  // AUDI RNS-E: 0, 3, 4, 10, 11, 1, 2, 9, 13, ...
    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::SwCanButton, 3).accepted);
    EXPECT_EQ(byte(record, 12), 10);
    // Another type keeps the list position: BMW E60/E90 position 3 is code 2.
    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::SwCanCarType, 10).accepted);
    EXPECT_EQ(byte(record, 15), 10);
    EXPECT_EQ(byte(record, 12), 2);
    // A position the new type does not have stores 0.
    choose_reaction_entry(record, kSlot, C::SwCanButton, 7);
    EXPECT_EQ(byte(record, 12), 10);
    choose_reaction_entry(record, kSlot, C::SwCanCarType, 11);
    EXPECT_EQ(byte(record, 12), 0);
}

TEST(ReactionEdits, AmplifierTabSelectsTheNeutralEntry) {
    Record record = with_kind(ReactionKind::Amplifier);
    const std::uint8_t expected[] = {31, 7, 7, 5, 5, 5, 0};
    for (int p = 0; p < 7; ++p) {
        EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::AmplifierParameter, p).accepted);
        EXPECT_EQ(byte(record, 12), p);
        EXPECT_EQ(byte(record, 13), expected[p]);
    }
    EXPECT_FALSE(choose_reaction_entry(record, kSlot, C::AmplifierAction, 3).accepted);  // ASL has three
    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::AmplifierAction, 2).accepted);
}

TEST(ReactionEdits, ControlsOfAnotherKindAreRefused) {
    Record record = with_kind(ReactionKind::Lin);
    EXPECT_FALSE(choose_reaction_entry(record, kSlot, C::IbusAction, 1).accepted);
    EXPECT_FALSE(enter_reaction_text(record, kSlot, C::PinDuration, "5").accepted);
    EXPECT_EQ(record.slot(kSlot)[12], 0);
    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::LinAction, 27).accepted);
    EXPECT_FALSE(choose_reaction_entry(record, kSlot, C::LinAction, 28).accepted);
    EXPECT_TRUE(set_reaction_check(record, kSlot, C::LinTrigger, true).accepted);
    EXPECT_EQ(record.slot(kSlot)[13], 1);
    EXPECT_FALSE(choose_reaction_entry(record, kSlot + 100, C::LinAction, 1).accepted);
}

TEST(ReactionEdits, InfraredCapture) {
    Record record = with_kind(ReactionKind::SendIr);
    record.slot(kSlot)[16] = 9;
    EditOutcome edit = accept_captured_ir_reaction(record, kSlot, {0, 0, 0, 0});  // no code: nothing to store
    EXPECT_FALSE(edit.accepted);
    EXPECT_EQ(byte(record, 16), 9);
    edit = accept_captured_ir_reaction(record, kSlot, {0x56, 0x34, 0x12, 0x03});  // RC5
    EXPECT_FALSE(edit.accepted);
    EXPECT_EQ(edit.message.en, "For the response is only supported protocol NEC, JVC or SONY");
    EXPECT_EQ(edit.box_type, kBoxInformation);
    EXPECT_EQ(byte(record, 12), 0);
    edit = accept_captured_ir_reaction(record, kSlot, {0x56, 0x34, 0x12, 0x01});
    EXPECT_TRUE(edit.accepted);
    EXPECT_EQ(byte(record, 12), 0x56);
    EXPECT_EQ(byte(record, 15), 0x01);
    EXPECT_EQ(byte(record, 16), 9);

    Record usb = with_kind(ReactionKind::UsbKey);
    usb.slot(kSlot)[12] = 7;
    usb.slot(kSlot)[16] = 30;  // a key duration must not turn into an output pin
    EXPECT_TRUE(accept_captured_ir_reaction(usb, kSlot, {1, 2, 3, 0x05}).accepted);
    EXPECT_EQ(byte(usb, 11), 1);
    EXPECT_EQ(byte(usb, 15), 0x05);
    EXPECT_EQ(byte(usb, 16), 0);
}

TEST(ReactionEdits, TouchCapture) {
    Record record = with_kind(ReactionKind::UsbTouch);
    EXPECT_TRUE(accept_captured_touch(record, kSlot, 100, 4095).accepted);
    const ReactionView view = display_reaction(record, kSlot);
    EXPECT_EQ(view.field(C::TouchX)->text.en, "100");
    EXPECT_EQ(view.field(C::TouchY)->text.en, "4095");
    EXPECT_EQ(view.field(C::TouchDuration)->text.en, "200");
}

TEST(ReactionEdits, SkipMaskAndSourceSave) {
    Record record = with_kind(ReactionKind::Source);
    EXPECT_TRUE(set_skip_mask(record, kSlot, 0x81).accepted);
    EXPECT_EQ(display_reaction(record, kSlot).field(C::SourceSkip)->text.en, "Skip:  1 8");
    EXPECT_TRUE(choose_reaction_entry(record, kSlot, C::SourceSelect, 5).accepted);
    EXPECT_TRUE(set_reaction_check(record, kSlot, C::SourceSave, true).accepted);
    EXPECT_EQ(byte(record, 14), 1);
}

}  // namespace
}  // namespace ztv
