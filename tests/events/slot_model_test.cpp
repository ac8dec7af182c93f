#include "events/slot_model.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <numeric>

#include "config/field_table.h"

namespace ztv::slots {
namespace {

class SlotModel : public ::testing::Test {
protected:
    ConfigState state;
    Record& r = state.record;

    std::span<std::uint8_t, kSlotSize> slot(std::size_t i) { return r.slot(i); }
    void fill_slot(std::size_t i) {
        auto bytes = slot(i);
        std::iota(bytes.begin(), bytes.end(), std::uint8_t{1});  // 1..17, kinds 1 and 12
    }
    void learn(std::uint8_t channel, std::uint8_t key, std::uint16_t code = 812) {
        r.set_u16(Record::button_offset(channel, key - 1u), code);
    }
};

// ---- kinds and deletion ---------------------------------------------------------------------

TEST_F(SlotModel, ChangingTheEventKindClearsTheWholeEventPartOnly) {
    fill_slot(6);
    set_event_kind(r, 6, 7);
    const auto bytes = slot(6);
    EXPECT_EQ(bytes[0], 7);
    for (std::size_t i = 1; i < kSlotEventSize; ++i) EXPECT_EQ(bytes[i], 0) << i;
    for (std::size_t i = kSlotEventSize; i < kSlotSize; ++i) EXPECT_EQ(bytes[i], i + 1) << i;
}

TEST_F(SlotModel, SwitchingKindAndBackLosesParametersMaskAndFlags) {
    set_event_kind(r, 0, 4);
    slot(0)[1] = 0x05;
    slot(0)[3] = 0x10;
    slot(0)[10] = 0xF3;
    set_event_kind(r, 0, 7);
    set_event_kind(r, 0, 4);
    EXPECT_EQ(slot(0)[1], 0);
    EXPECT_EQ(slot(0)[3], 0);
    EXPECT_EQ(slot(0)[10], 0);  // bits 6-7 go too: the whole part is cleared
}

TEST_F(SlotModel, ChoosingTheCurrentKindChangesNothing) {
    fill_slot(2);
    set_event_kind(r, 2, 1);
    set_reaction_kind(r, 2, 12);
    for (std::size_t i = 0; i < kSlotSize; ++i) EXPECT_EQ(slot(2)[i], i + 1) << i;
}

TEST_F(SlotModel, ChangingTheReactionKindClearsTheReactionPartOnly) {
    fill_slot(79);
    set_reaction_kind(r, 79, 3);
    EXPECT_EQ(slot(79)[11], 3);
    for (std::size_t i = 12; i < kSlotSize; ++i) EXPECT_EQ(slot(79)[i], 0) << i;
    for (std::size_t i = 0; i < kSlotEventSize; ++i) EXPECT_EQ(slot(79)[i], i + 1) << i;
    EXPECT_EQ(slot(78)[11], 0);  // the neighbour is untouched
}

TEST_F(SlotModel, DeletingPartsAndKeys) {
    fill_slot(1);
    delete_mod_key(r, 1);
    EXPECT_EQ(slot(1)[4], 0);
    EXPECT_EQ(slot(1)[5], 0);
    EXPECT_EQ(slot(1)[2], 3);
    delete_key(r, 1);
    EXPECT_EQ(slot(1)[2], 0);
    EXPECT_EQ(slot(1)[3], 0);
    delete_reaction(r, 1);
    for (std::size_t i = 11; i < kSlotSize; ++i) EXPECT_EQ(slot(1)[i], 0);
    EXPECT_EQ(slot(1)[10], 11);
    delete_event(r, 1);
    EXPECT_TRUE(is_empty(r, 1));
}

TEST_F(SlotModel, DeletingAnIrCodeKeepsAnIrEventWithoutCode) {
    fill_slot(3);
    slot(3)[0] = kIrEvent;
    delete_ir_code(r, 3);
    EXPECT_EQ(slot(3)[0], kIrEvent);
    for (std::size_t i = 1; i < kSlotEventSize; ++i) EXPECT_EQ(slot(3)[i], 0) << i;
    EXPECT_EQ(slot(3)[11], 12);
}

TEST_F(SlotModel, EmptinessLooksAtAllSeventeenBytes) {
    EXPECT_TRUE(is_empty(r, 0));
    slot(0)[16] = 1;
    EXPECT_FALSE(is_empty(r, 0));
    slot(0)[16] = 0;
    slot(0)[10] = 0x40;  // a flag bit that means nothing still makes the slot non-empty
    EXPECT_FALSE(is_empty(r, 0));
}

// ---- flags ----------------------------------------------------------------------------------

TEST_F(SlotModel, FlagSettersKeepTheOtherBits) {
    slot(5)[10] = 0xC0;
    set_trigger_type(r, 5, 2);
    set_once(r, 5, true);
    set_wake_up(r, 5, true);
    EXPECT_EQ(slot(5)[10], 0xF2);
    EXPECT_EQ(trigger_type(r, 5), 2);
    EXPECT_TRUE(once(r, 5));
    EXPECT_TRUE(wake_up(r, 5));
    set_once(r, 5, false);
    set_trigger_type(r, 5, 3);
    EXPECT_EQ(slot(5)[10], 0xE3);
    set_trigger_type(r, 5, 4);  // not a trigger type
    EXPECT_EQ(trigger_type(r, 5), 3);
}

TEST_F(SlotModel, UnknownKindsAreClearedWhenShown) {
    fill_slot(9);
    slot(9)[0] = 40;
    EXPECT_TRUE(clear_unknown_kinds(r, 9));
    for (std::size_t i = 0; i < kSlotEventSize; ++i) EXPECT_EQ(slot(9)[i], 0) << i;
    EXPECT_EQ(slot(9)[11], 12);

    slot(9)[11] = 28;
    slot(9)[0] = 26;
    EXPECT_TRUE(clear_unknown_kinds(r, 9));
    EXPECT_EQ(slot(9)[0], 26);
    for (std::size_t i = 11; i < kSlotSize; ++i) EXPECT_EQ(slot(9)[i], 0) << i;
    slot(9)[11] = 27;
    EXPECT_FALSE(clear_unknown_kinds(r, 9));
}

TEST_F(SlotModel, OnlyDisabledOrAnyTurnsOtherTypesIntoAny) {
    FlagRule rule;
    rule.only_disabled_or_any = true;
    rule.once = Forcing::On;
    for (std::uint8_t type : std::initializer_list<std::uint8_t>{1, 2, 7}) {
        slot(0)[10] = type;
        apply_flag_rule(r, 0, rule);
        EXPECT_EQ(trigger_type(r, 0), 3) << int(type);
    }
    slot(0)[10] = 0;
    const FlagControls controls = apply_flag_rule(r, 0, rule);
    EXPECT_EQ(trigger_type(r, 0), 0);
    EXPECT_TRUE(once(r, 0));  // forced on, even while disabled
    EXPECT_FALSE(controls.once_enabled);
}

TEST_F(SlotModel, FreeOnceIsClearedAndLockedForDisabledAndShort) {
    const FlagRule free_rule;
    for (std::uint8_t type : std::initializer_list<std::uint8_t>{0, 1}) {
        slot(0)[10] = static_cast<std::uint8_t>(0x10 | type);
        const FlagControls controls = apply_flag_rule(r, 0, free_rule);
        EXPECT_FALSE(once(r, 0)) << int(type);
        EXPECT_FALSE(controls.once_enabled);
    }
    slot(0)[10] = 0x12;  // "Long" keeps a free once
    const FlagControls controls = apply_flag_rule(r, 0, free_rule);
    EXPECT_TRUE(once(r, 0));
    EXPECT_TRUE(controls.once_enabled);
    EXPECT_TRUE(controls.wake_up_enabled);
}

TEST_F(SlotModel, WakeUpClearedWhereNotAllowedAndWithADisabledList) {
    FlagRule rule;
    rule.wake_up_allowed = false;
    slot(0)[10] = 0xE3;
    FlagControls controls = apply_flag_rule(r, 0, rule);
    EXPECT_FALSE(wake_up(r, 0));
    EXPECT_FALSE(controls.wake_up_enabled);
    EXPECT_EQ(slot(0)[10] & 0xC0, 0xC0);

    FlagRule no_list;
    no_list.trigger_enabled = false;
    no_list.once = Forcing::Off;
    slot(0)[10] = 0x33;
    controls = apply_flag_rule(r, 0, no_list);
    EXPECT_EQ(slot(0)[10], 0);
    EXPECT_FALSE(controls.trigger_enabled);
    EXPECT_FALSE(controls.wake_up_enabled);
}

// ---- source masks ---------------------------------------------------------------------------

TEST_F(SlotModel, SourceChoiceFromTheWindow) {
    choose_source_mask(r, 0, std::uint8_t{0x05});
    EXPECT_EQ(source_mask(r, 0), 0x05);
    choose_source_mask(r, 0, std::nullopt);
    EXPECT_EQ(source_mask(r, 0), 0x05);
    choose_source_mask(r, 0, std::uint8_t{0xFF});  // all eight sources is "Any"
    EXPECT_EQ(source_mask(r, 0), 0);
    EXPECT_EQ(stored_source_mask(0x7F), 0x7F);
    choose_source_mask(r, 0, std::uint8_t{0x80});
    choose_source_mask(r, 0, std::uint8_t{0});
    EXPECT_EQ(source_mask(r, 0), 0);
}

TEST(SourceTexts, NumbersOfTheSetSources) {
    EXPECT_EQ(source_numbers(0x05), " 1 3");
    EXPECT_EQ(source_numbers(0x06), " 2 3");
    EXPECT_EQ(source_numbers(0x80), " 8");
    EXPECT_EQ(source_numbers(0xFF), " 1 2 3 4 5 6 7 8");
    EXPECT_EQ(source_list_text(0), Text("Любой", "Any"));
    EXPECT_EQ(source_list_text(0x05), Text::same(" 1 3"));
}

TEST(SourceTexts, EditorSourceChoice) {
    SourceChoice choice = source_choice(0);
    EXPECT_EQ(choice.selected, 0);
    EXPECT_EQ(choice.second_entry.en, "Select...");
    choice = source_choice(0x21);
    EXPECT_EQ(choice.selected, 1);
    EXPECT_EQ(choice.second_entry.en, " 1 6");
    EXPECT_EQ(choice.second_entry.ru, " 1 6");
}

// ---- used kinds and button deletion ---------------------------------------------------------

TEST_F(SlotModel, UsedKindsCountEmptySlotsAndSkipUnknownKinds) {
    UsedKinds used = used_kinds(r);
    EXPECT_EQ(used.events.count(), 1u);
    EXPECT_TRUE(used.events[0]);
    EXPECT_EQ(used.reactions.count(), 1u);
    EXPECT_TRUE(used.reactions[0]);

    for (std::size_t i = 0; i < kSlotCount; ++i) {
        slot(i)[0] = 26;
        slot(i)[11] = 27;
    }
    slot(40)[0] = 27;   // unknown: not counted
    slot(41)[11] = 99;
    used = used_kinds(r);
    EXPECT_EQ(used.events.count(), 1u);
    EXPECT_TRUE(used.events[26]);
    EXPECT_FALSE(used.events[0]);
    EXPECT_EQ(used.reactions.count(), 1u);
    EXPECT_TRUE(used.reactions[27]);
}

TEST_F(SlotModel, OnlyUsedDisplayWithEmptySlotsShowsTheFirstPagesOnly) {
    UsedKinds visible = visible_kinds(r, true);
    EXPECT_EQ(visible.events.count(), 1u);
    EXPECT_EQ(visible.reactions.count(), 1u);
    visible = visible_kinds(r, false);
    EXPECT_EQ(visible.events.count(), kEventKindCount);
    EXPECT_EQ(visible.reactions.count(), kReactionKindCount);
}

TEST_F(SlotModel, ForgettingAButtonClearsOnlyItsReferences) {
    auto button_event = [&](std::size_t i, std::uint8_t key, std::uint8_t ch, std::uint8_t mkey, std::uint8_t mch) {
        slot(i)[0] = kButtonEvent;
        slot(i)[2] = key;
        slot(i)[3] = ch;
        slot(i)[4] = mkey;
        slot(i)[5] = mch;
        slot(i)[11] = 4;
    };
    button_event(0, 5, 1, 2, 0);  // main is key 5 of channel 1
    button_event(1, 3, 0, 5, 1);  // modifier is key 5 of channel 1
    button_event(2, 5, 2, 5, 3);  // key 5 of other channels
    button_event(3, 5, 1, 5, 1);  // both (only a file could hold this)
    slot(4)[0] = 7;               // not a "Button" event: bytes 2-5 mean something else
    slot(4)[2] = 5;
    slot(4)[3] = 1;

    forget_button(r, 5, 1);

    EXPECT_EQ(slot(0)[2], 0);
    EXPECT_EQ(slot(0)[3], 0);
    EXPECT_EQ(slot(0)[4], 2);
    EXPECT_EQ(slot(1)[2], 3);
    EXPECT_EQ(slot(1)[4], 0);
    EXPECT_EQ(slot(1)[5], 0);
    EXPECT_EQ(slot(2)[2], 5);
    EXPECT_EQ(slot(2)[3], 2);
    EXPECT_EQ(slot(2)[4], 5);
    EXPECT_EQ(slot(2)[5], 3);
    for (std::size_t b = 2; b <= 5; ++b) EXPECT_EQ(slot(3)[b], 0) << b;
    EXPECT_EQ(slot(4)[2], 5);
    EXPECT_EQ(slot(4)[3], 1);
    EXPECT_EQ(slot(0)[11], 4);
}

// ---- dropped buttons ------------------------------------------------------------------------

TEST_F(SlotModel, DropsOnlyOnButtonEventsAndOnlyLearnedKeys) {
    learn(1, 5);
    const DraggedButton key{1, 5};
    EXPECT_TRUE(drop_accepted(r, 0, DropTarget::Key, key));
    slot(0)[0] = 3;
    EXPECT_FALSE(drop_accepted(r, 0, DropTarget::Key, key));
    EXPECT_FALSE(drop_button(r, 0, DropTarget::Key, key));
    EXPECT_EQ(slot(0)[2], 0);
    slot(0)[0] = 0;

    EXPECT_FALSE(drop_accepted(r, 0, DropTarget::Key, DraggedButton{1, 6}));   // no reading learned
    EXPECT_FALSE(drop_accepted(r, 0, DropTarget::Key, DraggedButton{1, 0}));
    EXPECT_FALSE(drop_accepted(r, 0, DropTarget::Key, DraggedButton{1, 16}));
    EXPECT_FALSE(drop_accepted(r, 0, DropTarget::Key, DraggedButton{5, 1}));

    EXPECT_TRUE(drop_button(r, 0, DropTarget::Key, key));
    EXPECT_EQ(slot(0)[2], 5);
    EXPECT_EQ(slot(0)[3], 1);
}

TEST_F(SlotModel, EncoderDirectionsNeedAConnectedEncoderAndAreNeverModifiers) {
    const DraggedButton enc1_up{4, 1};
    const DraggedButton enc2_down{4, 4};
    EXPECT_FALSE(drop_accepted(r, 0, DropTarget::Key, enc1_up));
    set_field(r, FieldId::ENC0MODE, 5);
    EXPECT_TRUE(drop_accepted(r, 0, DropTarget::Key, enc1_up));
    EXPECT_FALSE(drop_accepted(r, 0, DropTarget::Key, enc2_down));
    set_field(r, FieldId::ENC1MODE, 3);
    EXPECT_TRUE(drop_accepted(r, 0, DropTarget::Key, enc2_down));
    EXPECT_FALSE(drop_accepted(r, 0, DropTarget::Key, DraggedButton{4, 5}));
    EXPECT_FALSE(drop_accepted(r, 0, DropTarget::Modifier, enc1_up));

    EXPECT_TRUE(drop_button(r, 0, DropTarget::Key, enc2_down));
    EXPECT_EQ(slot(0)[2], 4);
    EXPECT_EQ(slot(0)[3], 4);
}

TEST_F(SlotModel, KeyAndModifierAlwaysOnDifferentChannels) {
    learn(0, 1);
    learn(0, 2);
    learn(2, 7);
    ASSERT_TRUE(drop_button(r, 0, DropTarget::Key, DraggedButton{0, 1}));
    EXPECT_FALSE(drop_accepted(r, 0, DropTarget::Modifier, DraggedButton{0, 2}));
    ASSERT_TRUE(drop_button(r, 0, DropTarget::Modifier, DraggedButton{2, 7}));
    EXPECT_EQ(slot(0)[4], 7);
    EXPECT_EQ(slot(0)[5], 2);
    EXPECT_TRUE(drop_accepted(r, 0, DropTarget::Key, DraggedButton{0, 2}));  // replaces on the same channel
    EXPECT_FALSE(drop_accepted(r, 0, DropTarget::Key, DraggedButton{2, 7}));

    // With no main button, a modifier may sit on channel 0 (the channel byte alone means nothing).
    Record other;
    other.set_u16(Record::button_offset(0, 0), 100);
    EXPECT_TRUE(drop_accepted(other, 1, DropTarget::Modifier, DraggedButton{0, 1}));
}

// ---- captions and names ---------------------------------------------------------------------

TEST_F(SlotModel, TabCaptionForms) {
    state.set_slot_name(6, "Wipers");
    EXPECT_EQ(tab_caption(state, 6), "7");  // a name alone does not mark an empty slot
    slot(6)[11] = 2;
    EXPECT_EQ(tab_caption(state, 6), "7* (Wipers)");
    slot(79)[16] = 1;
    EXPECT_EQ(tab_caption(state, 79), "80*");
    EXPECT_EQ(tab_caption(state, 0), "1");
}

TEST_F(SlotModel, FullLengthNameIsShownWhole) {
    const std::string name32(32, 'N');
    set_slot_name(state, 3, name32 + "cut");
    EXPECT_EQ(state.slot_names[3][31], 'N');  // no terminator in the field
    EXPECT_EQ(slot_name(state, 3), name32);
    fill_slot(3);
    EXPECT_EQ(tab_caption(state, 3), "4* (" + name32 + ")");
}

TEST_F(SlotModel, CyrillicNamesRoundTripAndCutByCharacters) {
    set_slot_name(state, 0, "Дворники");
    slot(0)[0] = 5;
    EXPECT_EQ(tab_caption(state, 0), "1* (Дворники)");
    std::string long_name;
    for (int i = 0; i < 40; ++i) long_name += "Ж";
    set_slot_name(state, 1, long_name);
    EXPECT_EQ(slot_name(state, 1).size(), 32u * 2u);  // 32 characters of two UTF-8 bytes each
}

TEST_F(SlotModel, TabCaptionCacheReportsOnlyChanges) {
    TabCaptions captions;
    EXPECT_EQ(captions[0], "1");
    EXPECT_EQ(captions[79], "80");
    EXPECT_TRUE(captions.refresh(state).empty());

    slot(4)[0] = 2;
    state.set_slot_name(4, "A");
    state.set_slot_name(5, "B");  // slot 6 stays empty, so its caption stays
    std::vector<std::size_t> changed = captions.refresh(state);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], 4u);
    EXPECT_EQ(captions[4], "5* (A)");
    EXPECT_TRUE(captions.refresh(state).empty());

    captions.reset();
    EXPECT_EQ(captions[4], "5");
}

TEST(SlotMenu, GroupCaptions) {
    EXPECT_EQ(slot_menu_group_caption(0), "1...10");
    EXPECT_EQ(slot_menu_group_caption(kSlotMenuGroups - 1), "71...80");
}

TEST_F(SlotModel, SourceNamesAreCutToFiveCharacters) {
    set_source_name(r, 1, "ABCDEFG");
    EXPECT_EQ(source_name(r, 1), "ABCDE");
    EXPECT_EQ(r.u8(kSourceNamesOffset + 4), 'E');
    EXPECT_EQ(r.u8(kSourceNamesOffset + 5), 0);  // source 2 untouched
    set_source_name(r, 8, "Радио1");
    EXPECT_EQ(source_name(r, 8), "Радио");
    set_source_name(r, 9, "X");  // no such source
    set_source_name(r, 0, "X");
    EXPECT_EQ(source_name(r, 9), "");
}

TEST(SourceNameTyping, SixthCharacterRefusedBackspaceAllowed) {
    EXPECT_TRUE(source_name_accepts_key("ABCD", false));
    EXPECT_FALSE(source_name_accepts_key("ABCDE", false));
    EXPECT_TRUE(source_name_accepts_key("ABCDE", true));
    EXPECT_TRUE(source_name_accepts_key("Ради", false));  // four Cyrillic letters are four characters
    EXPECT_FALSE(source_name_accepts_key("Радио", false));
}

TEST_F(SlotModel, TableWorksOnTheCurrentSlot) {
    SlotTable table(state);
    EXPECT_EQ(table.current(), 0u);
    table.select(80);
    EXPECT_EQ(table.current(), 0u);
    table.select(12);
    table.set_event_kind(4);
    table.set_trigger_type(3);
    table.set_name("Timer");
    EXPECT_EQ(slot(12)[0], 4);
    EXPECT_EQ(table.tab_caption(12), "13* (Timer)");
    EXPECT_TRUE(table.used_kinds().events[4]);
    table.delete_event();
    EXPECT_TRUE(is_empty(r, 12));
    table.reset();
    EXPECT_EQ(table.current(), 0u);
}

}  // namespace
}  // namespace ztv::slots
