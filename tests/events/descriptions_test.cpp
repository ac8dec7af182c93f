#include <gtest/gtest.h>

#include <array>

#include "config/field_table.h"
#include "events/descriptions.h"

namespace ztv {
namespace {

using Code = std::array<std::uint8_t, 4>;
using Reaction = std::array<std::uint8_t, 6>;

Code code(std::uint8_t command, std::uint16_t address, std::uint8_t protocol_byte) {
    return {command, static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(address >> 8),
            protocol_byte};
}

TEST(ButtonLabel, LearnedButtonShowsItsGridText) {
    Record record;
    record.set_u16(Record::button_offset(1, 4), 812);
    EXPECT_EQ(button_label(record, 5, 1), "2.812");
    record.set_button_name(1, 4, "Vol+");
    EXPECT_EQ(button_label(record, 5, 1), "Vol+");
    record.set_button_name(1, 4, "\xC3\xF0\xEE\xEC\xEA");  // "Громк" in Windows-1251, five bytes, no terminator
    EXPECT_EQ(button_label(record, 5, 1), "Громк");
}

TEST(ButtonLabel, UnlearnedButtonShowsChannelAndKeyWithAQuestionMark) {
    Record record;
    EXPECT_EQ(button_label(record, 5, 1), "2.[5] ?");
    EXPECT_EQ(button_label(record, 15, 3), "4.[15] ?");
    EXPECT_EQ(button_label(record, 16, 0), "1.[16] ?") << "outside the grid, nothing is read";
    EXPECT_EQ(button_label(record, 200, 9), "10.[200] ?");
}

TEST(ButtonLabel, EncoderDirectionsNeedTheirEncoder) {
    Record record;
    EXPECT_EQ(button_label(record, 1, 4), "Enc1+ ?");
    EXPECT_EQ(button_label(record, 2, 4), "Enc1- ?");
    EXPECT_EQ(button_label(record, 3, 4), "Enc2+ ?");
    EXPECT_EQ(button_label(record, 4, 4), "Enc2- ?");
    set_field(record, FieldId::ENC0MODE, 1);
    EXPECT_EQ(button_label(record, 1, 4), "Enc1+");
    EXPECT_EQ(button_label(record, 2, 4), "Enc1-");
    EXPECT_EQ(button_label(record, 4, 4), "Enc2- ?");
    set_field(record, FieldId::ENC1MODE, 1);
    EXPECT_EQ(button_label(record, 3, 4), "Enc2+");
    EXPECT_EQ(button_label(record, 4, 4), "Enc2-");
    EXPECT_EQ(button_label(record, 5, 4), "5.[5] ?");
}

TEST(IrText, EventAndReactionNames) {
    struct Case {
        std::uint8_t protocol;
        const char* event;
        const char* reaction;
    };
    const Case cases[] = {
        {1, "NEC 1234/56", "NEC 1234/56"},         {2, "JVC 1234/56", "JVC 1234/56"},
        {3, "RC5 1234/56", "RC5 1234/56"},         {5, "SONY12 1234/56", "SONY12 1234/56"},
        {6, "SONY15 1234/56", "SONY15 1234/56"},   {7, "SONY20 1234/56", "SONY20 1234/56"},
        {9, "USER 1234/56", "USER 1234/56"},       {10, "SAMSUNG 1234/56", "SAMSUNG 1234/56"},
        {11, "CAN AUTO 1234/56", "Get the code"},  {12, "JVC TYPE2 1234/56", "JVC_TYPE2 1234/56"},
        {13, "NEC REP 1234/56", "NEC REP 1234/56"}, {14, "APPLE TV2 1234/56", "APPLE TV2 1234/56"},
        {15, "Get the code", "IR_ALPINE 1234/56"}, {0, "Get the code", "Get the code"},
        {4, "Get the code", "Get the code"},       {8, "Get the code", "Get the code"},
    };
    for (const Case& c : cases) {
        const Code ir = code(56, 1234, c.protocol);
        EXPECT_EQ(ir_event_text(ir).en, c.event) << int(c.protocol);
        EXPECT_EQ(ir_reaction_text(ir).en, c.reaction) << int(c.protocol);
    }
}

TEST(IrText, RepeatCountBitsDoNotChangeTheProtocol) {
    EXPECT_EQ(ir_reaction_text(code(255, 65535, 0xF1)).en, "NEC 65535/255");
    EXPECT_EQ(ir_event_text(code(0, 0, 0xA2)).en, "JVC 0/0");
}

TEST(IrText, NoCodeIsTranslated) {
    EXPECT_EQ(ir_event_text(code(1, 1, 0)).ru, "Получить код");
    EXPECT_EQ(ir_event_text(code(1, 1, 1)).ru, "NEC 1/1");
}

TEST(IrText, CanAutoNamesTheCarKey) {
    EXPECT_EQ(ir_event_text(code(16, 1, 11)).en, "Mercedes CLK350 Vol+ (1/16)");
    EXPECT_EQ(ir_event_text(code(9, 17, 11)).en, "BPR  (17/9)");
    EXPECT_EQ(ir_event_text(code(3, 40, 11)).en, "CAN AUTO 40/3");
    EXPECT_EQ(ir_event_text(code(3, 40, 11)).ru, "CAN AUTO 40/3");
}

TEST(UsbKeyText, KeyboardKeyAlone) {
    EXPECT_EQ(usb_key_text(Reaction{0, 7, 0, 0x04, 0, 0}).en, "A");
}

TEST(UsbKeyText, ModifiersInBitOrderThenKeys) {
    EXPECT_EQ(usb_key_text(Reaction{0, 7, 0x21, 0x04, 0, 0}).en, "lCtrl + rShift + A");
    EXPECT_EQ(usb_key_text(Reaction{0, 7, 0xFF, 0, 0, 0}).en,
              "lCtrl + lShift + lAlt + lWin + rCtrl + rShift + rAlt + rWin");
    EXPECT_EQ(usb_key_text(Reaction{0, 7, 0x04, 0x28, 0x3A, 0}).en, "lAlt + Enter + F1");
}

TEST(UsbKeyText, KeysWithoutButtonsAreShownAsNumbers) {
    EXPECT_EQ(usb_key_text(Reaction{0, 7, 0, 100, 0, 0}).en, "KEY1:100");
    EXPECT_EQ(usb_key_text(Reaction{0, 7, 0, 0x04, 0xE0, 0}).en, "A + KEY2:xE0");
    EXPECT_EQ(usb_key_text(Reaction{0, 7, 0, 0, 0x32, 0}).en, "KEY2:x32");
    EXPECT_EQ(usb_key_text(Reaction{0, 7, 0, 0, 0, 0}).en, "");
}

TEST(UsbKeyText, ConsumerPage) {
    EXPECT_EQ(usb_key_text(Reaction{0, 12, 0, 0xE9, 0x00, 0}).en, "ConsumerPage:VOL+");
    EXPECT_EQ(usb_key_text(Reaction{0, 12, 0, 0x24, 0x02, 0}).en, "ConsumerPage:BACK");
    EXPECT_EQ(usb_key_text(Reaction{0, 12, 0, 0x34, 0x12, 0}).en, "ConsumerPage:x1234");
    EXPECT_EQ(usb_key_text(Reaction{0, 12, 0, 0, 0, 0}).en, "");
}

TEST(UsbKeyText, SystemControlNamesTheLowestBit) {
    EXPECT_EQ(usb_key_text(Reaction{0, 1, 0, 0x06, 0, 0}).en, "Sleep");
    EXPECT_EQ(usb_key_text(Reaction{0, 1, 0, 0x80, 0, 0}).en, "Menu Exit");
    EXPECT_EQ(usb_key_text(Reaction{0, 1, 0, 0x01, 0, 0}).ru, "Выключение");
    EXPECT_EQ(usb_key_text(Reaction{0, 1, 0, 0, 0, 0}).en, "");
}

TEST(UsbKeyText, OtherPagesAndKindsSayNothing) {
    EXPECT_EQ(usb_key_text(Reaction{0, 0, 1, 4, 5, 0}).en, "");
    EXPECT_EQ(usb_key_text(Reaction{0, 3, 1, 4, 5, 0}).en, "");
    EXPECT_EQ(usb_key_text(Reaction{1, 7, 1, 4, 5, 0}).en, "");
}

TEST(UsbKeyText, TextBoxHasTwoBlankLinesThenTheText) {
    EXPECT_EQ(usb_key_box_text(Reaction{0, 7, 0, 0x04, 0, 0}).en, "  \n  \nA");
    const Text empty = usb_key_box_text(Reaction{0, 0, 0, 0, 0, 0});
    EXPECT_EQ(empty.en, "  \n  \nNot specified");
    EXPECT_EQ(empty.ru, "  \n  \nНе задано");
}

TEST(SourceTexts, SkipTextReadsNoForAnEmptyMask) {
    EXPECT_EQ(skip_text(0).en, "Skip:  no");
    EXPECT_EQ(skip_text(0x06).en, "Skip:  2 3");
    EXPECT_EQ(skip_text(0xFF).en, "Skip:  1 2 3 4 5 6 7 8");
    EXPECT_EQ(skip_text(0).ru, "Пропуск:  нет");
    EXPECT_EQ(skip_text(0x01).ru, "Пропуск:  1");
}

TEST(SerialPreview, ValueOrTheSlotNumber) {
    Record record;
    auto slot = record.slot(6);
    slot[11] = 13;
    EXPECT_EQ(serial_preview(slot, 6).en, "on press <press:event07>");
    EXPECT_EQ(serial_preview(record.slot(79), 79).en, "on press <press:event80>");
    const char value[] = "VOLUP";
    std::copy_n(value, 5, slot.begin() + 12);
    EXPECT_EQ(serial_preview(slot, 6).en, "on press <press:VOLUP>");
    slot[14] = 0;
    EXPECT_EQ(serial_preview(slot, 6).en, "on press <press:VO>");
    EXPECT_EQ(serial_preview(slot, 6).ru, "при нажатии <press:VO>");
}

}  // namespace
}  // namespace ztv
