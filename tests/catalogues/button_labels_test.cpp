#include <gtest/gtest.h>

#include "catalogues/button_labels.h"
#include "config/field_table.h"

namespace ztv {
namespace {

TEST(AutomaticName, ChannelDotCode) {
    EXPECT_EQ(automatic_name(1, 812), "2.812");
    EXPECT_EQ(automatic_name(0, 0), "1.0");
    EXPECT_EQ(automatic_name(3, 4095), "4.4095");
}

TEST(AutomaticName, RecognisedByItsFirstFiveCharacters) {
    for (const char* text : {"", "1", "1.", "1.2", "1.23", "2.812", "4.4095", "1.234xyz", "9.999"})
        EXPECT_TRUE(is_automatic_name(text)) << text;
    for (const char* text : {"A", "1x", ".1", "12.3", "1.2x", "1..2", "Vol+", " 1.2", "1.23x"})
        EXPECT_FALSE(is_automatic_name(text)) << text;
}

TEST(ButtonCell, EmptyWithoutACode) {
    Record record;
    record.set_button_name(0, 0, "Name");
    EXPECT_EQ(button_cell_text(record, 0, 1), "");
}

TEST(ButtonCell, StoredNameOrAutomaticName) {
    Record record;
    record.set_u16(Record::button_offset(2, 14), 1234);
    EXPECT_EQ(button_cell_text(record, 2, 15), "3.1234");
    record.set_button_name(2, 14, "1.23");  // looks automatic: not a name of its own
    EXPECT_EQ(button_cell_text(record, 2, 15), "3.1234");
    record.set_button_name(2, 14, "Mute");
    EXPECT_EQ(button_cell_text(record, 2, 15), "Mute");
}

TEST(ButtonCell, OutsideTheGridIsEmpty) {
    Record record;
    record.raw.fill(0x41);
    EXPECT_EQ(button_cell_text(record, 4, 1), "");
    EXPECT_EQ(button_cell_text(record, 0, 0), "");
    EXPECT_EQ(button_cell_text(record, 0, 16), "");
    EXPECT_EQ(button_cell_text(record, 0, 15), "AAAAA");
}

TEST(EncoderCell, NamedWhileItsEncoderIsConnected) {
    Record record;
    for (unsigned row = 0; row <= 5; ++row) EXPECT_EQ(encoder_cell_text(record, row), "") << row;
    set_field(record, FieldId::ENC0MODE, 4);
    EXPECT_EQ(encoder_cell_text(record, 1), "Enc1+");
    EXPECT_EQ(encoder_cell_text(record, 2), "Enc1-");
    EXPECT_EQ(encoder_cell_text(record, 3), "");
    set_field(record, FieldId::ENC1MODE, 7);
    EXPECT_EQ(encoder_cell_text(record, 3), "Enc2+");
    EXPECT_EQ(encoder_cell_text(record, 4), "Enc2-");
    EXPECT_EQ(encoder_cell_text(record, 5), "");
}

}  // namespace
}  // namespace ztv
