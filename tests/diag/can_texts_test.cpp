// Cell texts, terminal line, file lines and tables of the CAN log, without any controller.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "diag/can_frame.h"
#include "diag/can_log_file.h"
#include "diag/can_tables.h"
#include "diag/can_texts.h"

namespace ztv {
namespace {

CanFrame standard(std::uint32_t id, std::vector<std::uint8_t> data, std::uint32_t stamp = 0) {
    return CanFrame::make(id << kCanStandardShift, false, data, stamp);
}
CanFrame extended(std::uint32_t word, std::vector<std::uint8_t> data, std::uint32_t stamp = 0) {
    return CanFrame::make(word, true, data, stamp);
}

TEST(CanFrameRecord, FieldsAtTheirOffsetsLittleEndian) {
    std::array<std::uint8_t, kCanRecordSize> record{};
    record[0] = 0x00; record[1] = 0x00; record[2] = 0x8C; record[3] = 0x04;  // 0x048C0000
    record[4] = 3;
    record[5] = 0xAA; record[6] = 0xBB; record[7] = 0xCC; record[8] = 0xDD;  // 4th byte beyond DLC
    record[13] = 0x55; record[14] = 0x66;  // not used
    record[15] = 0;
    record[16] = 0x39; record[17] = 0x30;  // 12345
    const CanFrame frame = CanFrame::from_record(record);
    EXPECT_EQ(frame.id_word(), 0x048C0000u);
    EXPECT_EQ(frame.dlc(), 3);
    EXPECT_EQ(frame.data().size(), 3u);
    EXPECT_EQ(frame.data()[2], 0xCC);
    EXPECT_FALSE(frame.extended());
    EXPECT_EQ(frame.stamp_ms(), 12345u);
    EXPECT_EQ(frame.bytes, record);
}

TEST(CanFrameRecord, DlcAboveEightNeverReadsPastTheDataBytes) {
    std::array<std::uint8_t, kCanRecordSize> record{};
    record[4] = 255;
    for (std::size_t i = 5; i < 13; ++i) record[i] = static_cast<std::uint8_t>(i);
    record[13] = 0xEE;  // must not show up as a ninth data byte
    const CanFrame frame = CanFrame::from_record(record);
    EXPECT_EQ(frame.data_length(), 8u);
    EXPECT_EQ(can_data_text(frame), "05 06 07 08 09 0A 0B 0C");
    EXPECT_EQ(can_row_cell(CanRow{frame, 0, 1}, 0, CanIdColumn::Dlc), "8");
}

TEST(CanChangeSignature, FollowsTheShiftAndFoldRule) {
    // DLC 0: s = 230.
    EXPECT_EQ(can_change_signature(standard(1, {})), 230);
    // DLC 1, byte 0x00: t = 231 = 0xE7 (bit 7 set), s = 0xCE ^ 0x21 = 0xEF.
    EXPECT_EQ(can_change_signature(standard(1, {0x00})), 0xEF);
    // DLC 1, byte 0xE7: t = 0 -> s = 0.
    EXPECT_EQ(can_change_signature(standard(1, {0xE7})), 0x00);
    // Two different payloads with one signature exist (8 bits for 64): find one pair.
    const std::uint8_t target = can_change_signature(standard(1, {0x00, 0x00}));
    bool found = false;
    for (int a = 0; a < 256 && !found; ++a)
        for (int b = 1; b < 256 && !found; ++b)
            found = can_change_signature(standard(1, {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)})) ==
                    target;
    EXPECT_TRUE(found);
}

TEST(CanCells, IdentifierFormsInTheTable) {
    EXPECT_EQ(can_id_text(standard(0x123, {})), "123( 291)");
    EXPECT_EQ(standard(0x123, {}).id_word(), 0x048C0000u);
    EXPECT_EQ(can_id_text(extended(0x00000123, {})), "00000123( 291)");
    // A frame flagged extended keeps its eight digits with bits 0-17 clear, as candump shows
    // it; the same word unflagged is the standard identifier it encodes.
    EXPECT_EQ(can_id_text(extended(0x0C1C0000, {})), "0C1C0000(203161600)");
    EXPECT_EQ(can_id_text(extended(0, {})), "00000000(   0)");
    EXPECT_EQ(can_id_text(CanFrame::make(0x0C1C0000, false, {}, 0)), "307( 775)");
    EXPECT_EQ(can_id_text(CanFrame::make(0x00000123, false, {}, 0)), "00000123( 291)");
    EXPECT_EQ(can_id_text(extended(0xFFFFFFFF, {})), "FFFFFFFF(4294967295)");
    EXPECT_EQ(can_id_text(standard(0, {})), "000(   0)");
}

TEST(CanCells, DataCellAlwaysFillsToEightBytes) {
    EXPECT_EQ(can_data_text(standard(1, {})), std::string(24, ' '));
    EXPECT_EQ(can_data_text(standard(1, {0x0A})), "0A" + std::string(21, ' '));
    EXPECT_EQ(can_data_text(standard(1, {1, 2, 3, 4, 5, 6, 7, 0xFF})), "01 02 03 04 05 06 07 FF");
    EXPECT_EQ(can_data_text(standard(1, {1, 2}), false), "01 02");
    EXPECT_EQ(can_data_text(standard(1, {}), false), "");
}

TEST(CanCells, RowCellsAndCycleDash) {
    const CanRow row{standard(0x7DF, {0x02, 0x01}), 0, 1};
    EXPECT_EQ(can_row_cell(row, 0, CanIdColumn::Number), "1");
    EXPECT_EQ(can_row_cell(row, 41, CanIdColumn::Number), "42");
    EXPECT_EQ(can_row_cell(row, 0, CanIdColumn::Id), "7DF(2015)");
    EXPECT_EQ(can_row_cell(row, 0, CanIdColumn::Dlc), "2");
    EXPECT_EQ(can_row_cell(row, 0, CanIdColumn::Cycle), "-");
    EXPECT_EQ(can_row_cell(row, 0, CanIdColumn::Count), "1");
    EXPECT_EQ(can_row_cell(CanRow{row.frame, 100, 7}, 0, CanIdColumn::Cycle), "100");
}

TEST(CanCells, DetailRows) {
    EXPECT_EQ(can_detail_cell(0xA5, 3, CanDetailColumn::Index), "3");
    EXPECT_EQ(can_detail_cell(0xA5, 3, CanDetailColumn::Hex), "A5");
    EXPECT_EQ(can_detail_cell(0xA5, 3, CanDetailColumn::Bin), "10100101");
    EXPECT_EQ(can_detail_cell(0x01, 0, CanDetailColumn::Bin), "00000001");
    EXPECT_EQ(can_detail_cell(0xA5, 3, CanDetailColumn::Dec), "165");
    EXPECT_EQ(can_detail_cell(0xA5, 3, CanDetailColumn::Value), "");
    EXPECT_EQ(can_detail_cell('A', 0, CanDetailColumn::Ascii), "'A'");
    EXPECT_EQ(can_detail_cell(' ', 0, CanDetailColumn::Ascii), "' '");
    EXPECT_EQ(can_detail_cell(31, 0, CanDetailColumn::Ascii), "-");
    EXPECT_EQ(can_detail_cell(129, 0, CanDetailColumn::Ascii), "-");
    EXPECT_EQ(can_detail_cell(191, 0, CanDetailColumn::Ascii), "-");
    EXPECT_EQ(can_detail_cell(0xC0, 0, CanDetailColumn::Ascii), "'А'");  // Windows-1251 capital A
    EXPECT_EQ(can_detail_cell(0xFF, 0, CanDetailColumn::Ascii), "'я'");
}

TEST(CanTerminalLine, FormsOfIdentifierAndData) {
    EXPECT_EQ(can_terminal_line(standard(0x123, {0x01, 0xAB}, 65432)), "065.432 CANRX 0123 [ 01 AB ]");
    EXPECT_EQ(can_terminal_line(extended(0x123, {0x10}, 5)), "000.005 CANRX 00000123 [ 10 ]");
    // Extended with bits 0-17 clear: still eight digits.
    EXPECT_EQ(can_terminal_line(extended(0x18DC0000, {}, 1000)), "001.000 CANRX 18DC0000");
    EXPECT_EQ(can_terminal_line(standard(0x7FF, {}, 1234567)), "1234.567 CANRX 07FF");
}

TEST(CanFileLines, TabSeparated) {
    EXPECT_EQ(can_tab_header_line(), "\xB9\tID count\tTime\tDlit\tID\tDLC\tData");
    const CanRow row{standard(0x123, {0x01, 0x02, 0x03}), 1250, 17};
    EXPECT_EQ(can_tab_line(3, row, 61005), "3\t17\t61.005\t1.250\t123( 291)\t3\t01 02 03");
    const CanRow empty{standard(0x5, {}), 0, 1};
    EXPECT_EQ(can_tab_line(1, empty, 0), "1\t1\t0.000\t0.000\t005(   5)\t0\t");
}

TEST(CanFileLines, Aligned) {
    const CanRow row{extended(0x00000123, {0xDE, 0xAD}), 100, 2};
    EXPECT_EQ(can_aligned_line(12, row, 3004), "  12(   2)    3.004(   0.100) 00000123( 291) 2 [DE AD" + std::string(18, ' ') + "]");
    const CanRow empty{standard(0x5, {}), 0, 1};
    EXPECT_EQ(can_aligned_line(1, empty, 0), "   1(   1)    0.000(   0.000) 005(   5) 0 [" + std::string(24, ' ') + "]");
}

TEST(CanIdTable, CycleCountAndOrderOfFirstAppearance) {
    CanIdTable table;
    EXPECT_EQ(table.add(standard(0x100, {1}, 1000)).outcome, CanIdTable::Outcome::Appended);
    EXPECT_EQ(table.add(standard(0x200, {2}, 1010)).row, 1u);
    const auto again = table.add(standard(0x100, {3}, 1100));
    EXPECT_EQ(again.outcome, CanIdTable::Outcome::Updated);
    EXPECT_EQ(again.row, 0u);
    EXPECT_EQ(table.row(0).cycle, 100u);
    EXPECT_EQ(table.row(0).count, 2u);
    EXPECT_EQ(table.row(0).frame.data()[0], 3);
    // A stamp that went backwards: no cycle.
    table.add(standard(0x100, {4}, 1050));
    EXPECT_EQ(table.row(0).cycle, 0u);
    // 999,999 ms is a cycle, 1,000,000 is not.
    table.add(standard(0x100, {4}, 1050 + 999999));
    EXPECT_EQ(table.row(0).cycle, 999999u);
    table.add(standard(0x100, {4}, 1050 + 999999 + 1000000));
    EXPECT_EQ(table.row(0).cycle, 0u);
    EXPECT_EQ(table.row(0).count, 5u);
    // Same 11-bit value, extended frame: another identifier word, another row; so is an
    // extended frame whose word equals a standard one's (307 and 0C1C0000).
    table.add(extended(0x100, {}, 0));
    EXPECT_EQ(table.size(), 3u);
    EXPECT_EQ(table.add(standard(0x307, {}, 0)).row, 3u);
    EXPECT_EQ(table.add(extended(0x0C1C0000, {}, 0)).row, 4u);
    EXPECT_EQ(table.add(standard(0x307, {}, 10)).row, 3u);
    EXPECT_EQ(table.row(3).cycle, 10u);
    table.clear();
    EXPECT_TRUE(table.empty());
    EXPECT_FALSE(table.find(can_key(0x100u << 18, false)));
    EXPECT_EQ(table.add(standard(0x100, {1}, 5)).row, 0u);
    EXPECT_EQ(table.row(0).count, 1u);
}

TEST(CanIdTable, FullTableKeepsUpdatingKnownIdentifiers) {
    CanIdTable table;
    for (std::uint32_t i = 0; i < CanIdTable::kMaxRows; ++i)
        ASSERT_EQ(table.add(extended(0x10000000 + i, {}, i)).outcome, CanIdTable::Outcome::Appended);
    EXPECT_EQ(table.add(extended(0x1FFFFFFF, {}, 1)).outcome, CanIdTable::Outcome::Full);
    EXPECT_EQ(table.size(), CanIdTable::kMaxRows);
    const auto last = table.add(extended(0x10000000 + 9998, {}, 20000));
    EXPECT_EQ(last.outcome, CanIdTable::Outcome::Updated);
    EXPECT_EQ(last.row, 9998u);
    for (std::uint32_t i = 0; i < CanIdTable::kMaxRows; i += 97) EXPECT_EQ(table.find(can_key(0x10000000 + i, true)), i);
}

TEST(CanFilterTable, ModesHiddenFlagsAndSignature) {
    CanFilterTable filters;
    const CanFrame a1 = standard(0xA, {0x00, 0x00});
    EXPECT_TRUE(filters.accept(a1, 1));
    EXPECT_TRUE(filters.accept(a1, 1));  // mode 1: repeats pass
    EXPECT_FALSE(filters.accept(a1, 3));  // mode 3: same signature dropped
    // Data changed, signature equal: still dropped in mode 3.
    CanFrame a2 = a1;
    bool found = false;
    for (int x = 0; x < 256 && !found; ++x)
        for (int y = 0; y < 256 && !found; ++y) {
            a2 = standard(0xA, {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)});
            found = (x != 0 || y != 0) && can_change_signature(a2) == can_change_signature(a1);
        }
    ASSERT_TRUE(found);
    EXPECT_FALSE(filters.accept(a2, 3));
    const CanFrame a3 = standard(0xA, {0x00, 0x01});
    ASSERT_NE(can_change_signature(a3), can_change_signature(a1));
    EXPECT_TRUE(filters.accept(a3, 3));
    EXPECT_FALSE(filters.accept(a3, 3));
    EXPECT_EQ(filters.find(a3.key())->signature, can_change_signature(a3));

    filters.hide(a1.key());
    EXPECT_FALSE(filters.accept(a1, 1));
    filters.set_all_hidden(false);
    EXPECT_TRUE(filters.accept(a1, 1));
    filters.accept(standard(0xB, {}), 1);
    filters.set_all_hidden(true);
    EXPECT_FALSE(filters.accept(standard(0xB, {}), 1));
    EXPECT_TRUE(filters.accept(standard(0xC, {}), 2));  // never seen: passes and is remembered
    EXPECT_FALSE(filters.find(standard(0xC, {}).key())->hidden);
    filters.hide_all_except(standard(0xC, {}).key());
    EXPECT_FALSE(filters.accept(standard(0xA, {}), 1));
    EXPECT_TRUE(filters.accept(standard(0xC, {}), 1));
    // Hiding the extended 0C1C0000 leaves the standard 307 of the same word.
    filters.accept(standard(0x307, {}), 1);
    filters.accept(extended(0x0C1C0000, {}), 1);
    filters.hide(extended(0x0C1C0000, {}).key());
    EXPECT_FALSE(filters.accept(extended(0x0C1C0000, {}), 1));
    EXPECT_TRUE(filters.accept(standard(0x307, {}), 1));
}

TEST(CanFilterTable, FullTableAcceptsNewIdentifiersUnfiltered) {
    CanFilterTable filters;
    for (std::uint32_t i = 0; i < CanFilterTable::kMaxEntries; ++i) filters.accept(extended(0x100000 + i, {}), 1);
    EXPECT_EQ(filters.size(), CanFilterTable::kMaxEntries);
    const CanFrame late = extended(0x1FFFFFF, {1});
    EXPECT_TRUE(filters.accept(late, 3));
    EXPECT_TRUE(filters.accept(late, 3));  // no entry, so repeats are not suppressed
    filters.hide(late.key());
    EXPECT_TRUE(filters.accept(late, 1));  // and it cannot be hidden
    filters.set_all_hidden(true);
    EXPECT_TRUE(filters.accept(late, 2));
    EXPECT_EQ(filters.size(), CanFilterTable::kMaxEntries);
}

TEST(CanMenuTable, CaptionsAndControlNames) {
    EXPECT_STREQ(can_menu_entry(CanMenuItem::Start).caption.en, "Start");
    EXPECT_STREQ(can_menu_entry(CanMenuItem::StartSaveTab).caption.en, "Start and save to file with a TAB");
    EXPECT_STREQ(can_menu_entry(CanMenuItem::HideAccumulated).control, "CANLOG_HIDECURRENTID");
    EXPECT_STREQ(can_menu_entry(CanMenuItem::HideAccumulated).caption.ru, "Скрыть накопленные");
    EXPECT_STREQ(can_menu_entry(CanMenuItem::ShowAll).caption.en, "Show all");
    for (const CanMenuEntry& entry : kCanMenuTable) {
        EXPECT_NE(std::string(entry.caption.ru), "");
        EXPECT_NE(std::string(entry.caption.ru), entry.caption.en);
    }
}

}  // namespace
}  // namespace ztv
