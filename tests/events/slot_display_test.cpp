// One slot shown as a whole: both halves, in the right order, with the tab captions.
#include "events/slot_display.h"

#include <gtest/gtest.h>

#include <random>

#include "events/slot_model.h"

namespace ztv {
namespace {

TEST(SlotDisplay, UnknownEventKindClearsTheEventHalfOnly) {
    ConfigState state;
    auto s = state.record.slot(9);
    s[0] = 40;
    s[1] = 0x05;
    s[2] = 7;
    s[10] = 0xC3;
    s[11] = 8;  // "USB mouse"
    s[12] = 2;
    const SlotView view = display_slot(state, 9);
    for (std::size_t i = 0; i < kSlotEventSize; ++i) EXPECT_EQ(s[i], 0) << i;
    EXPECT_EQ(s[11], 8);
    EXPECT_EQ(s[12], 2);
    EXPECT_EQ(view.event_kind, 0);
    EXPECT_EQ(view.reaction_kind, 8);
    EXPECT_EQ(view.control("ComboBoxReactionUSBMouseType")->selected, 2);
}

TEST(SlotDisplay, UnknownReactionKindClearsTheReactionHalfOnly) {
    ConfigState state;
    auto s = state.record.slot(0);
    s[0] = 3;   // "Area"
    s[2] = 4;
    s[10] = 3;
    s[11] = 99;
    s[16] = 5;
    const SlotView view = display_slot(state, 0);
    EXPECT_EQ(view.reaction_kind, 0);
    for (std::size_t i = kSlotEventSize; i < kSlotSize; ++i) EXPECT_EQ(s[i], 0) << i;
    EXPECT_EQ(s[0], 3);
    EXPECT_EQ(s[2], 4);
}

TEST(SlotDisplay, InfraredEventWithoutCodeResetsTheReactionBeforeItIsShown) {
    ConfigState state;
    auto s = state.record.slot(4);
    s[0] = 1;          // "IR code" with protocol 0: no code
    s[1] = 0x03;
    s[10] = 0x13;
    s[11] = 9;         // "Encoder" on X2/2, X2/3
    s[12] = 1;
    s[13] = 5;
    const SlotView view = display_slot(state, 4);
    EXPECT_EQ(view.event_kind, 1);
    EXPECT_EQ(view.reaction_kind, 0);
    for (std::size_t i = 1; i < kSlotSize; ++i) EXPECT_EQ(s[i], 0) << i;
    EXPECT_EQ(view.reaction_title.en, "USB key");
}

TEST(SlotDisplay, EveryDurationNamesItsUnitOnce) {
    ConfigState state;
    auto slot = state.record.slot(0);
    slot[0] = 4;  // Timeout: "after" ... "mSec"
    SlotView view = display_slot(state, 0);
    EXPECT_EQ(view.control("EditEventTimeout")->unit.en, "mSec");
    slot[0] = 7;  // Voltage: the threshold in mV, the duration's label says "mSec"
    view = display_slot(state, 0);
    EXPECT_EQ(view.control("EditEventVoltageValue")->unit.en, "mV");
    EXPECT_EQ(view.control("EditEventVoltageDuration")->label.en, "Min. durat., mSec");
    EXPECT_EQ(view.control("EditEventVoltageDuration")->unit.en, "");
    slot[0] = 16;  // Pins
    view = display_slot(state, 0);
    EXPECT_EQ(view.control("EditEventPinDuration")->label.en, "Min. durat., mSec");
    EXPECT_EQ(view.control("EditEventPinDuration")->unit.en, "");
}

TEST(SlotDisplay, CaptionsOfAllSlotsComeWithTheView) {
    ConfigState state;
    state.set_slot_name(2, "Wipers");
    state.set_slot_name(3, "Unused");
    state.record.slot(2)[11] = 8;
    state.record.slot(7)[0] = 2;
    const SlotView view = display_slot(state, 2);
    EXPECT_EQ(view.caption, "3* (Wipers)");
    EXPECT_EQ(view.tab_captions[2], "3* (Wipers)");
    EXPECT_EQ(view.tab_captions[3], "4");  // named but empty
    EXPECT_EQ(view.tab_captions[7], "8*");
    EXPECT_EQ(view.tab_captions[79], "80");
    EXPECT_EQ(view.slot, 2u);
}

TEST(SlotDisplay, SecondDisplayOfAnySlotChangesNothing) {
    std::mt19937 random(99);
    for (int round = 0; round < 400; ++round) {
        ConfigState state;
        for (std::size_t i = 0; i < kRecordSize; ++i) state.record.raw[i] = static_cast<std::uint8_t>(random());
        const std::size_t slot = random() % kSlotCount;
        auto s = state.record.slot(slot);
        s[0] = static_cast<std::uint8_t>(random() % 30);
        s[11] = static_cast<std::uint8_t>(random() % 30);
        display_slot(state, slot);
        const Record once = state.record;
        display_slot(state, slot);
        ASSERT_EQ(once.raw, state.record.raw) << "event " << int(s[0]) << " reaction " << int(s[11]);
    }
}

TEST(SlotDisplay, NormalizingAllSlotsMatchesShowingEachOne) {
    std::mt19937 random(5);
    ConfigState shown;
    for (std::size_t i = 0; i < kRecordSize; ++i) shown.record.raw[i] = static_cast<std::uint8_t>(random());
    Record normalized = shown.record;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) display_slot(shown, slot);
    normalize_all_slots(normalized);
    EXPECT_EQ(normalized.raw, shown.record.raw);
}

TEST(SlotDisplay, OutOfRangeSlotTouchesNothing) {
    ConfigState state;
    state.record.raw.fill(0x5A);
    const Record before = state.record;
    const SlotView view = display_slot(state, kSlotCount);
    EXPECT_EQ(before.raw, state.record.raw);
    EXPECT_TRUE(view.caption.empty());
}

}  // namespace
}  // namespace ztv
