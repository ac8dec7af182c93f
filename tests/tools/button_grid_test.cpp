#include <gtest/gtest.h>

#include "config/field_table.h"
#include "events/learned_button_edits.h"
#include "events/slot_model.h"
#include "tools/button_grid.h"
#include "tools/button_learning.h"

namespace ztv {
namespace {

void set_code(Record& record, unsigned channel, unsigned row, std::uint16_t code) {
    record.set_u16(Record::button_offset(channel, row - 1), code);
}

// ---- limits and thresholds ------------------------------------------------------------------

TEST(LearningLimits, TheWorkedExample) {
    Record record;
    set_code(record, 0, 1, 900);
    set_code(record, 0, 2, 1700);
    compute_limits_and_thresholds(record, {100, 0, 0, 0});
    EXPECT_EQ(record.button_limit(0, 0), 400);  // min(|900-100|/2, |900-1700|/2)
    EXPECT_EQ(record.button_limit(0, 1), 400);  // min(|1700-100|/2 = 800, 400)
    EXPECT_EQ(record.press_threshold(0), 500);  // (900 + 100) / 2
}

TEST(LearningLimits, EmptyChannelsAndEmptyEntries) {
    Record record;
    record.set_u16(Record::button_offset(1, 3) + 2, 777);  // a stale limit on an entry without a code
    set_code(record, 1, 1, 2000);
    compute_limits_and_thresholds(record, {50, 60, 70, 80});
    EXPECT_EQ(record.press_threshold(0), 4095);
    EXPECT_EQ(record.press_threshold(2), 4095);
    EXPECT_EQ(record.press_threshold(3), 4095);
    EXPECT_EQ(record.button_limit(1, 3), 777);
    // A single button owns half the distance to the idle level.
    EXPECT_EQ(record.button_limit(1, 0), (2000 - 60) / 2);
    EXPECT_EQ(record.press_threshold(1), (2000 + 60) / 2);
}

TEST(LearningLimits, CappedAt4095AndThresholdFromTheLowestButton) {
    Record record;
    set_code(record, 2, 5, 60000);  // an absurd code the controller reported
    set_code(record, 2, 9, 3000);
    set_code(record, 2, 2, 1000);
    compute_limits_and_thresholds(record, {0, 0, 0, 0});
    EXPECT_EQ(record.button_limit(2, 4), 4095);
    EXPECT_EQ(record.button_limit(2, 1), 500);   // idle 0 is nearer than 3000
    EXPECT_EQ(record.button_limit(2, 8), 1000);  // half-way to 1000
    EXPECT_EQ(record.press_threshold(2), 500);   // (1000 + 0) / 2, not the first entry's
}

TEST(LearningLimits, IdleAboveTheButton) {
    Record record;
    set_code(record, 3, 1, 300);
    compute_limits_and_thresholds(record, {0, 0, 0, 3900});
    EXPECT_EQ(record.button_limit(3, 0), 1800);
    EXPECT_EQ(record.press_threshold(3), 2100);
}

// ---- recording codes ------------------------------------------------------------------------

TEST(GridRecording, SixtyThreeApartIsTheSameButtonSixtyFourIsANewOne) {
    Record record;
    ButtonGrid grid;
    EXPECT_EQ(grid.record_code(record, 1, 1000), 1u);
    EXPECT_EQ(grid.record_code(record, 1, 1063), 1u);
    EXPECT_EQ(record.button_code(1, 0), 1063);  // the newest reading wins
    EXPECT_EQ(grid.record_code(record, 1, 1127), 2u);  // 64 above the newest reading
    EXPECT_EQ(grid.record_code(record, 1, 999), 3u);   // 64 below it
    EXPECT_EQ(grid.record_code(record, 1, 995), 3u);
    EXPECT_EQ(grid.text(1, 1), "2.1063");
    EXPECT_EQ(grid.text(1, 2), "2.1127");
    EXPECT_EQ(grid.text(1, 3), "2.995");
    EXPECT_EQ(record.button_code(1, 3), 0);
}

TEST(GridRecording, FirstMatchInTableOrderThenFirstFreeEntry) {
    Record record;
    ButtonGrid grid;
    set_code(record, 0, 2, 500);
    set_code(record, 0, 5, 540);
    EXPECT_EQ(grid.record_code(record, 0, 530), 2u);  // both within 63: entry 2 comes first
    EXPECT_EQ(grid.record_code(record, 0, 2000), 1u); // the first free entry, before entry 2
}

TEST(GridRecording, AFullChannelIgnoresNewButtons) {
    Record record;
    ButtonGrid grid;
    for (unsigned i = 0; i < kButtonsPerChannel; ++i)
        ASSERT_EQ(grid.record_code(record, 3, static_cast<std::uint16_t>(200 + 100 * i)), i + 1);
    const Record before = record;
    EXPECT_FALSE(grid.record_code(record, 3, 3950).has_value());
    EXPECT_EQ(record.raw, before.raw);
    // A known button still updates.
    EXPECT_EQ(grid.record_code(record, 3, 210), 1u);
    EXPECT_EQ(record.button_code(3, 0), 210);
}

TEST(GridRecording, HighlightsOneCellPerColumnAndKeepsOwnNames) {
    Record record;
    ButtonGrid grid;
    set_code(record, 0, 1, 900);
    record.set_button_name(0, 0, "Vol+");
    grid.fill_from_record(record);
    EXPECT_EQ(grid.record_code(record, 0, 2000), 2u);
    EXPECT_TRUE(grid.highlighted(0, 2));
    EXPECT_EQ(grid.record_code(record, 0, 910), 1u);
    EXPECT_TRUE(grid.highlighted(0, 1));
    EXPECT_FALSE(grid.highlighted(0, 2));
    EXPECT_EQ(grid.text(0, 1), "Vol+");  // a name of its own stays
    EXPECT_EQ(grid.record_code(record, 1, 700), 1u);
    EXPECT_TRUE(grid.highlighted(0, 1));  // other columns keep theirs
    grid.clear_highlights(0);
    EXPECT_FALSE(grid.highlighted(0, 1));
    EXPECT_TRUE(grid.highlighted(1, 1));
    grid.fill_from_record(record);
    EXPECT_FALSE(grid.highlighted(1, 1));
}

// ---- filling and storing --------------------------------------------------------------------

TEST(GridFill, CellsFromTheRecordAndEncodersInUse) {
    Record record;
    set_code(record, 0, 1, 812);
    set_code(record, 2, 15, 3000);
    record.set_button_name(2, 14, "Mode");
    set_code(record, 1, 4, 100);
    record.set_button_name(1, 3, "1.23");  // reads as an automatic name
    set_field(record, FieldId::ENC1MODE, 3);
    ButtonGrid grid;
    grid.fill_from_record(record);
    EXPECT_EQ(grid.text(0, 1), "1.812");
    EXPECT_EQ(grid.text(2, 15), "Mode");
    EXPECT_EQ(grid.text(1, 4), "2.100");
    EXPECT_EQ(grid.text(0, 2), "");
    EXPECT_EQ(grid.text(4, 1), "");
    EXPECT_EQ(grid.text(4, 3), "Enc2+");
    EXPECT_EQ(grid.text(4, 4), "Enc2-");
    EXPECT_EQ(grid.text(4, 5), "");
    EXPECT_EQ(grid.text(7, 1), "");  // outside the grid
}

TEST(GridFill, NamesToRecordStoresOwnNamesOnly) {
    Record record;
    set_code(record, 0, 1, 900);
    set_code(record, 0, 2, 1700);
    set_code(record, 0, 3, 2500);
    record.set_button_name(0, 2, "Old");
    ButtonGrid grid;
    grid.fill_from_record(record);
    grid.editor_closed(0, 1, "Vol+");
    grid.editor_closed(0, 3, "");   // emptied: no name of its own any more
    grid.names_to_record(record);
    EXPECT_EQ(record.button_name(0, 0), "Vol+");
    EXPECT_EQ(record.button_name(0, 1), "");  // "1.1700" is never stored
    EXPECT_EQ(record.button_name(0, 2), "");
    for (std::size_t i = 4; i < kButtonEntrySize; ++i) EXPECT_EQ(record.u8(Record::button_offset(0, 1) + i), 0);
}

TEST(GridFill, NamesAreCutToFiveCharactersOfTheControllersCodePage) {
    EXPECT_EQ(fit_button_name("Volume"), "Volum");
    EXPECT_EQ(fit_button_name("Громко"), "Громк");
    EXPECT_EQ(fit_button_name("A\xE2\x9C\x93" "B"), "AB");  // a tick mark has no place in Windows-1251: refused
    Record record;
    set_code(record, 1, 1, 400);
    ButtonGrid grid;
    grid.fill_from_record(record);
    grid.editor_closed(1, 1, "Громко");
    grid.names_to_record(record);
    EXPECT_EQ(record.button_name(1, 0), "\xC3\xF0\xEE\xEC\xEA");  // five bytes, no terminator
}

// ---- naming in place ------------------------------------------------------------------------

struct GridNaming : ::testing::Test {
    GridNaming() {
        set_code(record, 0, 1, 400);
        set_code(record, 0, 2, 1200);
        set_code(record, 1, 1, 800);
        record.set_button_name(1, 0, "Mute");
        set_field(record, FieldId::ENC0MODE, 1);
        grid.fill_from_record(record);
    }
    // Opens the editor, lets a tick see it open, closes it with text and commits.
    EditOutcome name(unsigned column, unsigned row, const std::string& text) {
        EXPECT_TRUE(grid.editor_opened(column, row));
        EXPECT_EQ(grid.commit_tick(record, true).redraw, EditOutcome::Redraw::Nothing);
        grid.editor_closed(column, row, grid.editor_typed(record, column, row, text).text);
        return grid.commit_tick(record, false);
    }
    Record record;
    ButtonGrid grid;
};

TEST_F(GridNaming, StateMachineCommitsOnTheTickAfterTheEditorClosed) {
    EXPECT_EQ(grid.name_edit_state(), 0);
    EXPECT_TRUE(grid.editor_opened(0, 1));
    EXPECT_EQ(grid.name_edit_state(), 1);
    grid.commit_tick(record, true);
    EXPECT_EQ(grid.name_edit_state(), 2);
    grid.commit_tick(record, true);
    EXPECT_EQ(grid.name_edit_state(), 2);
    EXPECT_EQ(record.button_name(0, 0), "");
    grid.editor_closed(0, 1, "Next");
    const EditOutcome done = grid.commit_tick(record, false);
    EXPECT_TRUE(done.accepted);
    EXPECT_EQ(done.redraw, EditOutcome::Redraw::Page);
    EXPECT_EQ(grid.name_edit_state(), 0);
    EXPECT_EQ(record.button_name(0, 0), "Next");
    EXPECT_EQ(grid.text(0, 1), "Next");
}

TEST_F(GridNaming, AnEditorClosedBeforeAnyTickIsStillCommittedOnItsOwnCell) {
    EXPECT_TRUE(grid.editor_opened(0, 1));
    grid.editor_closed(0, 1, "Quick");
    EXPECT_TRUE(grid.commit_tick(record, false).accepted);
    EXPECT_EQ(record.button_name(0, 0), "Quick");
    // The next cell edited is recorded afresh.
    EXPECT_EQ(name(0, 2, "Slow").redraw, EditOutcome::Redraw::Page);
    EXPECT_EQ(record.button_name(0, 1), "Slow");
    EXPECT_EQ(record.button_name(0, 0), "Quick");
}

TEST_F(GridNaming, TypingIsCutToFiveAndEncoderCellsKeepTheirText) {
    EXPECT_EQ(grid.editor_typed(record, 0, 1, "Volume+").text, "Volum");
    EXPECT_FALSE(grid.editor_typed(record, 0, 1, "Volume+").close);
    const TypedName encoder = grid.editor_typed(record, 4, 1, "Xyz");
    EXPECT_EQ(encoder.text, "Enc1+");
    EXPECT_TRUE(encoder.close);
    EXPECT_EQ(grid.editor_typed(record, 4, 3, "Xyz").text, "");  // encoder 2 is not in use
    EXPECT_FALSE(grid.editor_opened(4, 1));
    EXPECT_EQ(grid.name_edit_state(), 0);
}

TEST_F(GridNaming, ADuplicateNameIsRefusedAndTheOldTextReturns) {
    const EditOutcome refused = name(0, 1, "Mute");
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.message.in(Lang::English), "The name \"Mute\"\nis already assigned\nPlease enter a different name");
    EXPECT_EQ(refused.box_type, kBoxInformation);
    EXPECT_EQ(grid.text(0, 1), "1.400");
    EXPECT_EQ(record.button_name(0, 0), "");
    // Case tells names apart.
    EXPECT_TRUE(name(0, 1, "MUTE").accepted);
    EXPECT_EQ(record.button_name(0, 0), "MUTE");
}

TEST_F(GridNaming, AnAutomaticNameShownInAnotherCellIsTakenToo) {
    const EditOutcome refused = name(1, 1, "1.400");
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(grid.text(1, 1), "Mute");
    EXPECT_EQ(record.button_name(1, 0), "Mute");
}

TEST_F(GridNaming, AnAutomaticLookingNameIsNotStored) {
    EXPECT_TRUE(name(0, 2, "1.23").accepted);
    EXPECT_EQ(record.button_name(0, 1), "");
    grid.fill_from_record(record);
    EXPECT_EQ(grid.text(0, 2), "1.1200");
}

TEST_F(GridNaming, AnEmptyNameBecomesTheAutomaticName) {
    EXPECT_TRUE(name(1, 1, "").accepted);
    EXPECT_EQ(grid.text(1, 1), "2.800");
    EXPECT_EQ(record.button_name(1, 0), "");
}

TEST_F(GridNaming, AButtonDeletedWhileItsNameWasTypedIsLeftAlone) {
    EXPECT_TRUE(grid.editor_opened(0, 2));
    delete_learned_button(record, grid, 0, 2);
    grid.editor_closed(0, 2, "Gone");
    grid.commit_tick(record, false);
    EXPECT_EQ(record.button_code(0, 1), 0);
    EXPECT_EQ(record.button_name(0, 1), "");
    EXPECT_EQ(grid.name_edit_state(), 0);
}

// ---- pointer, popups, deleting ----------------------------------------------------------------

TEST_F(GridNaming, HoverHintsAndCursors) {
    record.set_u16(Record::button_offset(0, 0) + 2, 150);
    GridHover hover = grid.hover(record, 0, 1);
    EXPECT_EQ(hover.cursor, GridCursor::Hand);
    EXPECT_EQ(hover.hint.in(Lang::English), "Channel 1, code 400 (limit 150)");
    EXPECT_EQ(hover.hint.in(Lang::Russian), "Канал 1, код 400 (допуск 150)");
    hover = grid.hover(record, 1, 1);
    EXPECT_EQ(hover.hint.in(Lang::English), "Button \"Mute\" channel 2, code 800 (limit 0)");
    hover = grid.hover(record, 4, 2);
    EXPECT_EQ(hover.cursor, GridCursor::Hand);
    EXPECT_EQ(hover.hint.in(Lang::English), "Decreasing the value of the encoder 1");
    EXPECT_EQ(grid.hover(record, 4, 3).cursor, GridCursor::NoEntry);
    EXPECT_TRUE(grid.hover(record, 4, 3).hint.empty());
    EXPECT_EQ(grid.hover(record, 0, 3).cursor, GridCursor::NoEntry);
    EXPECT_TRUE(grid.hover(record, 0, 3).hint.empty());
    EXPECT_EQ(grid.hover(record, 0, 0).cursor, GridCursor::Help);
    EXPECT_EQ(grid.hover(record, 2, 0).cursor, GridCursor::Default);
    EXPECT_EQ(grid.hover(record, 4, 0).cursor, GridCursor::Default);
}

TEST_F(GridNaming, SelectionAndDragsOnlyWhereAButtonIs) {
    EXPECT_TRUE(grid.selectable(record, 0, 1));
    EXPECT_FALSE(grid.selectable(record, 0, 3));
    EXPECT_TRUE(grid.selectable(record, 4, 1));
    EXPECT_TRUE(grid.selectable(record, 4, 2));
    EXPECT_FALSE(grid.selectable(record, 4, 3));
    EXPECT_FALSE(grid.selectable(record, 4, 5));
    EXPECT_FALSE(grid.selectable(record, 0, 0));
    const auto drag = grid.drag_source(record, 1, 1);
    ASSERT_TRUE(drag.has_value());
    EXPECT_EQ(drag->channel, 1);
    EXPECT_EQ(drag->key, 1);
    EXPECT_TRUE(grid.drag_source(record, 4, 2).has_value());
    EXPECT_FALSE(grid.drag_source(record, 2, 1).has_value());
}

TEST_F(GridNaming, PopupsOfCellsAndHeaders) {
    GridPopup popup = grid.popup_at(record, 0, 2);
    EXPECT_EQ(popup.action, kPopupDeleteKey);
    EXPECT_EQ(popup.caption.in(Lang::English), "Delete this key");
    popup = grid.popup_at(record, 1, 0);
    EXPECT_EQ(popup.action, kPopupDeleteChannel);
    EXPECT_EQ(popup.caption.in(Lang::English), "Delete all buttons of the channel 2");
    EXPECT_EQ(popup.caption.in(Lang::Russian), "Удалить все кнопки канала 2");
    EXPECT_EQ(grid.popup_at(record, 2, 0).action, 0);  // no buttons there
    EXPECT_EQ(grid.popup_at(record, 4, 0).action, 0);
    EXPECT_EQ(grid.popup_at(record, 4, 1).action, 0);
    EXPECT_EQ(grid.popup_at(record, 0, 3).action, 0);
}

TEST_F(GridNaming, DeletingAKeyClearsItsReferencesDeletingAChannelDoesNot) {
    const std::size_t button_slot = 3, other_slot = 4, mod_slot = 5;
    record.slot(button_slot)[2] = 2;  // key: channel 0 row 2
    record.slot(button_slot)[3] = 0;
    record.slot(button_slot)[4] = 1;  // modifier: channel 1 row 1
    record.slot(button_slot)[5] = 1;
    record.slot(other_slot)[0] = 7;   // not a button event: its bytes mean something else
    record.slot(other_slot)[2] = 2;
    record.slot(other_slot)[3] = 0;
    record.slot(mod_slot)[4] = 2;     // modifier: channel 0 row 2
    record.slot(mod_slot)[5] = 0;
    record.slot(mod_slot)[2] = 1;     // key: channel 0 row 1 stays
    record.slot(mod_slot)[3] = 0;

    delete_learned_button(record, grid, 0, 2);
    for (std::size_t i = 0; i < kButtonEntrySize; ++i) EXPECT_EQ(record.u8(Record::button_offset(0, 1) + i), 0);
    EXPECT_EQ(grid.text(0, 2), "");
    EXPECT_EQ(record.slot(button_slot)[2], 0);
    EXPECT_EQ(record.slot(button_slot)[4], 1);  // the modifier on channel 2 stays
    EXPECT_EQ(record.slot(other_slot)[2], 2);
    EXPECT_EQ(record.slot(mod_slot)[4], 0);
    EXPECT_EQ(record.slot(mod_slot)[2], 1);

    grid.delete_channel(record, 1);
    EXPECT_FALSE(channel_has_buttons(record, 1));
    EXPECT_EQ(grid.text(1, 1), "");
    EXPECT_EQ(record.slot(button_slot)[4], 1);  // references survive a channel's deletion
    EXPECT_EQ(record.slot(button_slot)[5], 1);
    EXPECT_EQ(record.button_code(0, 0), 400);   // other channels untouched
}

TEST(GridHeaders, ChannelsThenEncoder) {
    EXPECT_EQ(grid_header(0).in(Lang::English), "Ch 1");
    EXPECT_EQ(grid_header(3).in(Lang::English), "Ch 4");
    EXPECT_EQ(grid_header(4).in(Lang::English), "Encoder");
    EXPECT_EQ(grid_header(4).in(Lang::Russian), "Энкодер");
}

}  // namespace
}  // namespace ztv
