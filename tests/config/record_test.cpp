#include <gtest/gtest.h>

#include <set>

#include "config/config_state.h"
#include "config/field_table.h"
#include "config/voltage.h"

namespace ztv {
namespace {

TEST(Record, BitFieldsKeepTheirNeighbours) {
    Record r;
    r.set_u8(1916, 0xFF);
    set_field(r, FieldId::TOUCH_MODE, 2);
    EXPECT_EQ(r.u8(1916), 0xFA);
    set_field(r, FieldId::RENAULT_JOY_TYPE, 1);
    EXPECT_EQ(r.u8(1916), 0xDA);
    EXPECT_EQ(get_field(r, FieldId::TOUCH_MODE), 2u);
    EXPECT_EQ(get_field(r, FieldId::TOUCH_WINDOWS), 1u);
    // Values wider than the field are cut to it and never spill into the neighbours.
    set_field(r, FieldId::TOUCH_MODE, 9);
    EXPECT_EQ(get_field(r, FieldId::TOUCH_MODE), 1u);
    EXPECT_EQ(r.u8(1916), 0xD9);

    // The IEBUS word: 15 function bits and the touch bit share two bytes.
    set_field(r, FieldId::IEBUS_TOUCH, 1);
    EXPECT_EQ(r.u8(1932), 0x80);
    set_field(r, FieldId::IEBUS_MODEBITS, 0x7FFF);
    EXPECT_EQ(r.u16(1931), 0xFFFF);
    set_field(r, FieldId::IEBUS_MODEBITS, 0x0401);
    EXPECT_EQ(r.u16(1931), 0x8401);
    EXPECT_EQ(get_field(r, FieldId::IEBUS_TOUCH), 1u);
}

TEST(Record, ButtonAndSourceNamesAreCutToFiveBytesWithoutTerminator) {
    Record r;
    r.raw[Record::button_offset(3, 14) + 9] = 0xEE;  // first byte past the last button entry
    r.set_button_name(3, 14, "ABCDEFG");
    EXPECT_EQ(r.button_name(3, 14), "ABCDE");
    EXPECT_EQ(r.raw[Record::button_offset(3, 14) + 9 - 1], 'E');
    EXPECT_EQ(Record::button_offset(3, 14) + 9, kAnalogOffset);
    r.set_button_name(0, 0, "OK");
    EXPECT_EQ(r.button_name(0, 0), "OK");
    EXPECT_EQ(r.raw[Record::button_offset(0, 0) + 6], 0);
    // Text ends at a NUL: nothing after it may stay in the field.
    r.set_button_name(1, 1, std::string_view("A\0BCD", 5));
    EXPECT_EQ(r.u8(Record::button_offset(1, 1) + 5), 0);
    r.set_source_name(7, "RADIO1");
    EXPECT_EQ(r.source_name(7), "RADIO");
    EXPECT_EQ(kSourceNamesOffset + 8 * kSourceNameSize, 2006u);
    EXPECT_EQ(Record::slot_offset(4) + 10, 632u);  // the flag byte of slot 5
}

TEST(ConfigState, HeaderDefaultsOnlyForANeverConfiguredController) {
    ConfigState s;
    s.apply_header_defaults();
    EXPECT_EQ(s.record.long_press_ms(), 1000);
    for (std::size_t c = 0; c < kChannels; ++c) EXPECT_EQ(s.record.press_threshold(c), 4095);
    s.record.set_u16(0, 700);
    s.record.set_u16(2, 100);
    s.apply_header_defaults();
    EXPECT_EQ(s.record.long_press_ms(), 700);
    EXPECT_EQ(s.record.press_threshold(0), 100);
}

TEST(ConfigState, ClearingTouchesOnlyTheRecordBytes) {
    ConfigState s;
    s.record.raw.fill(0x55);
    s.touch.fill(1);
    s.set_slot_name(3, "Name");
    s.clear_record();
    EXPECT_EQ(s.record.u8(kRecordSize - 1), 0);
    EXPECT_EQ(s.record.u8(kRecordSize), 0x55);  // the type's tail is not the record
    EXPECT_EQ(s.touch[0], 1);
    EXPECT_EQ(s.slot_name(3), "Name");
    s.record_valid = true;
    s.clear_all();
    EXPECT_EQ(s.touch[0], 0);
    EXPECT_EQ(s.slot_name(3), "");
    EXPECT_FALSE(s.record_valid);
}

TEST(FieldTable, ParamKeysAreTheDocumentedEightySevenAndNeverOverlap) {
    std::size_t param_keys = 0;
    std::set<std::string> keys;
    std::array<std::uint32_t, kRecordTypeSize> used{};  // bit masks per byte
    for (const FieldDef& def : all_fields()) {
        if (def.section == FileSection::Param) ++param_keys;
        if (def.key[0] != '\0') {
            EXPECT_TRUE(keys.insert(def.key).second) << def.key;
        }
        EXPECT_EQ(find_field(def.key[0] ? def.key : "-"), def.key[0] ? &def : nullptr);
        const auto claim = [&](std::size_t offset, std::uint32_t mask) {
            ASSERT_LT(offset, kRecordSize) << def.key;
            EXPECT_EQ(used[offset] & mask, 0u) << def.key << " overlaps at " << offset;
            used[offset] |= mask;
        };
        switch (def.kind) {
            case FieldKind::Byte: claim(def.offset, 0xFF); break;
            case FieldKind::Word: claim(def.offset, 0xFF); claim(def.offset + 1u, 0xFF); break;
            case FieldKind::Hex:
                // ANAPARAM repeats the four single analog keys on purpose.
                if (def.id == FieldId::ANAPARAM) break;
                for (std::size_t i = 0; i < def.length; ++i) claim(def.offset + i, 0xFF);
                break;
            case FieldKind::Bits: {
                const std::uint32_t mask = def.width_mask() << def.first_bit;
                if (def.wide) {
                    claim(def.offset, mask & 0xFF);
                    claim(def.offset + 1u, mask >> 8);
                } else {
                    EXPECT_LE(def.first_bit + def.bit_count, 8) << def.key;
                    claim(def.offset, mask);
                }
                break;
            }
        }
        if (!def.choices.empty()) {
            EXPECT_LE(def.choices.size(), def.width_mask() + 1u) << def.key;
        }
    }
    EXPECT_EQ(param_keys, 87u);
    EXPECT_EQ(field(FieldId::ENC0MODE).key, std::string("ENC0MODE"));
    EXPECT_EQ(field(FieldId::RESEMULPARAM_SWAPY).key, std::string("RESEMULPARAM_SWAPY"));
    EXPECT_EQ(field(FieldId::TOUCH_MODE).file_default, 1u);
    EXPECT_EQ(field(FieldId::TOUCH_MODE).choices.size(), 5u);
    EXPECT_EQ(field(FieldId::IRINP_NUM).choices.size(), 16u);
    EXPECT_EQ(field(FieldId::CANPARAM_BAUD500K).choices.size(), 11u);
    EXPECT_EQ(field(FieldId::IEBUS_MODEBITS).choices.size(), 11u);
    EXPECT_EQ(pin_mode_names().size(), kPinModeCount);
}

TEST(FieldTable, EveryRowSitsAtItsIdAndAnEmptyKeyFindsNothing) {
    for (std::size_t i = 0; i < kFieldCount; ++i) EXPECT_EQ(static_cast<std::size_t>(field(static_cast<FieldId>(i)).id), i);
    EXPECT_EQ(find_field(""), nullptr);
    EXPECT_EQ(field(FieldId::PS2PARAM_ORIENT).key, std::string(""));  // the field that has no key
    EXPECT_EQ(find_field("PINMODE"), &field(FieldId::PINMODE));
    EXPECT_EQ(find_field("pinmode"), nullptr);
    EXPECT_TRUE(field(FieldId::IEBUS_MODEBITS).bit_mask);
    EXPECT_TRUE(field(FieldId::CARDSP_RUX_PARAM_MODEBITS).bit_mask);
    std::size_t masks = 0;
    for (const FieldDef& def : all_fields()) masks += def.bit_mask ? 1 : 0;
    EXPECT_EQ(masks, 2u);
}

TEST(FieldTable, EveryChoiceHasBothLanguages) {
    for (const FieldDef& def : all_fields())
        for (const TextPair& choice : def.choices) {
            EXPECT_NE(std::string(choice.ru), "") << def.key;
            EXPECT_NE(std::string(choice.en), "") << def.key;
        }
}

TEST(Voltage, TypedTextToStoredBytesAndBack) {
    EXPECT_EQ(default_voltage_byte("2,5"), 130);
    EXPECT_EQ(default_voltage_text(130), "2.50");
    EXPECT_EQ(default_voltage_byte("7"), 5);
    EXPECT_EQ(default_voltage_text(5), "5.00");
    EXPECT_EQ(default_voltage_byte("0"), 255);
    EXPECT_EQ(default_voltage_text(255), "0.00");
    EXPECT_EQ(default_voltage_text(0), "5.00");
    EXPECT_EQ(default_voltage_text(4), "5.00");
    EXPECT_EQ(minmax_voltage_byte("3.3"), 165);
    EXPECT_EQ(minmax_voltage_text(165), "3.30");
    EXPECT_EQ(minmax_voltage_text(251), "5.00");
    EXPECT_EQ(minmax_voltage_text(250), "5.00");
    EXPECT_EQ(minmax_voltage_text(1), "0.02");
    // Not a number reads as 0 V; out of range counts as 5 V.
    EXPECT_EQ(typed_centivolts("abc"), 0);
    EXPECT_EQ(typed_centivolts(""), 0);
    EXPECT_EQ(typed_centivolts("2.5V"), 0);
    EXPECT_EQ(typed_centivolts("-1"), 500);
    EXPECT_EQ(typed_centivolts("1e3"), 0);
    EXPECT_EQ(typed_centivolts("nan"), 0);
    EXPECT_EQ(typed_centivolts(" 1.234 "), 123);
    EXPECT_EQ(typed_centivolts("5.004"), 500);
    EXPECT_EQ(typed_centivolts("5.005"), 500);  // 500.5 truncates to 500
    EXPECT_EQ(typed_centivolts("5.01"), 500);   // 501 counts as 500
}

}  // namespace
}  // namespace ztv
