// The trigger type, "One time only", "Wake Up" and source-mask rule of every kind that is not
// decided by the slot's button or code.
#include <gtest/gtest.h>

#include <set>

#include "events/event_view_helper.h"

namespace ztv {
namespace {

using test::show_event;

constexpr std::size_t kSlot = 6;
constexpr std::uint8_t kOnce = 1u << 4, kWake = 1u << 5, kHighBits = 0xC0;

struct KindRule {
    std::uint8_t kind;
    bool all_types;     // all four trigger types offered
    int once;           // 1 forced on, 0 forced off, -1 free
    bool wake_allowed;
    bool source_allowed;
};

// One row per kind 2-26, for a byte-2 entry without a rule of its own.
const KindRule kRules[] = {
    {2, false, 0, false, true},   {3, true, -1, true, true},    {4, false, 1, true, true},
    {5, false, 1, false, true},   {6, false, 1, false, true},   {7, false, 1, true, true},
    {8, false, 1, false, false},  {9, false, 1, false, true},   {10, false, 1, false, false},
    {11, false, 1, false, true},  {12, true, -1, false, true},  {13, false, 1, false, true},
    {14, false, 1, false, true},  {15, false, 1, false, true},  {16, false, 1, true, true},
    {17, true, -1, false, true},  {18, true, -1, false, true},  {19, false, 1, false, false},
    {20, false, 1, false, true},  {21, true, -1, false, true},  {22, true, 1, false, true},
    {23, true, -1, false, true},  {24, false, 1, false, false}, {25, true, -1, false, true},
    {26, true, -1, false, true},
};

Record slot_with(std::uint8_t kind, std::uint8_t entry, std::uint8_t flags, std::uint8_t mask) {
    Record record;
    auto slot = record.slot(kSlot);
    slot[0] = kind;
    slot[1] = mask;
    slot[2] = entry;
    slot[10] = flags;
    return record;
}

TEST(EventDisplayRules, LongPressWithEveryFlagSet) {
    for (const KindRule& r : kRules) {
        SCOPED_TRACE(static_cast<int>(r.kind));
        Record record = slot_with(r.kind, 0, kHighBits | kOnce | kWake | kTriggerLong, 0x05);
        const test::EventShown view = show_event(record, kSlot);
        const auto slot = record.slot(kSlot);

        EXPECT_EQ(view.kind, r.kind);
        EXPECT_TRUE(view.trigger().enabled);
        EXPECT_EQ(view.offered(), (std::array<bool, 4>{true, r.all_types, r.all_types, true}));
        const unsigned type = r.all_types ? kTriggerLong : kTriggerAny;
        EXPECT_EQ(view.trigger_type(), type);
        EXPECT_EQ(slot[10] & 0x0F, type);

        const bool once = r.once != 0;
        EXPECT_EQ(view.once().checked, once);
        EXPECT_EQ((slot[10] & kOnce) != 0, once);
        EXPECT_EQ(view.once().enabled, r.once == -1);

        EXPECT_EQ(view.wake_up().enabled, r.wake_allowed);
        EXPECT_EQ(view.wake_up().checked, r.wake_allowed);
        EXPECT_EQ((slot[10] & kWake) != 0, r.wake_allowed);

        EXPECT_EQ(view.source().enabled, r.source_allowed);
        EXPECT_EQ(slot[1], r.source_allowed ? 0x05 : 0x00);
        EXPECT_EQ(view.source().selected, r.source_allowed ? 1 : 0);
        EXPECT_EQ(view.source().items.at(1).en, r.source_allowed ? " 1 3" : "Select...");

        EXPECT_EQ(slot[10] & kHighBits, kHighBits) << "bits 6-7 survive every flag change";
    }
}

TEST(EventDisplayRules, ShortPressClearsAFreeOnceUnlessTheKindForcesIt) {
    for (const KindRule& r : kRules) {
        if (!r.all_types) continue;
        SCOPED_TRACE(static_cast<int>(r.kind));
        Record record = slot_with(r.kind, 0, kOnce | kTriggerShort, 0);
        const test::EventShown view = show_event(record, kSlot);
        // Free once is cleared for a short press, except where the kind forces it on then.
        const bool forced_when_short = r.kind == 12 || r.kind == 17 || r.kind == 18 || r.kind == 25 ||
                                       r.kind == 26 || r.kind == 22;
        EXPECT_EQ(view.trigger_type(), kTriggerShort);
        EXPECT_EQ(view.once().checked, forced_when_short);
        EXPECT_FALSE(view.once().enabled);
        EXPECT_EQ((record.slot(kSlot)[10] & kOnce) != 0, forced_when_short);
    }
}

TEST(EventDisplayRules, DisabledTriggerClearsAFreeOnce) {
    for (const KindRule& r : kRules) {
        SCOPED_TRACE(static_cast<int>(r.kind));
        Record record = slot_with(r.kind, 0, kOnce | kTriggerDisabled, 0);
        const test::EventShown view = show_event(record, kSlot);
        EXPECT_EQ(view.trigger_type(), kTriggerDisabled);
        EXPECT_EQ(view.once().checked, r.once == 1);
        EXPECT_FALSE(view.once().enabled);
    }
}

TEST(EventDisplayRules, AnyPressKeepsAFreeOnceAsTheUserSetIt) {
    for (const std::uint8_t kind : std::initializer_list<std::uint8_t>{3, 12, 17, 18, 21, 23, 25, 26}) {
        SCOPED_TRACE(static_cast<int>(kind));
        Record on = slot_with(kind, 0, kOnce | kTriggerAny, 0);
        EXPECT_TRUE(show_event(on, kSlot).once().checked);
        Record off = slot_with(kind, 0, kTriggerAny, 0);
        const test::EventShown view = show_event(off, kSlot);
        EXPECT_FALSE(view.once().checked);
        EXPECT_TRUE(view.once().enabled);
    }
}

TEST(EventDisplayRules, IDriveRotationsAndGesturesAreSingleHappenings) {
    for (int entry = 0; entry < 27; ++entry) {
        SCOPED_TRACE(entry);
        Record record = slot_with(12, static_cast<std::uint8_t>(entry), kTriggerLong, 0);
        const test::EventShown view = show_event(record, kSlot);
        const bool step = (entry >= 13 && entry <= 20) || (entry >= 23 && entry <= 26);
        EXPECT_EQ(view.trigger_type(), step ? kTriggerAny : kTriggerLong);
        EXPECT_EQ(view.offered()[kTriggerShort], !step);
        EXPECT_EQ(view.once().checked, step);
        EXPECT_EQ(view.once().enabled, !step);
    }
}

TEST(EventDisplayRules, IDriveRotateRightWithLongBecomesAnyWithOnce) {
    Record record = slot_with(12, 13, kTriggerLong, 0);
    show_event(record, kSlot);
    EXPECT_EQ(record.slot(kSlot)[10], kOnce | kTriggerAny);
}

TEST(EventDisplayRules, MercedesCtrlGesturesRotationAndVolumeAreSingleHappenings) {
    for (int entry = 0; entry < 33; ++entry) {
        SCOPED_TRACE(entry);
        Record record = slot_with(25, static_cast<std::uint8_t>(entry), kTriggerLong, 0);
        const test::EventShown view = show_event(record, kSlot);
        const bool step = (entry >= 7 && entry <= 11) || entry == 23 || entry == 24 || entry == 31 || entry == 32;
        EXPECT_EQ(view.trigger_type(), step ? kTriggerAny : kTriggerLong);
        EXPECT_EQ(view.once().checked, step);
    }
}

TEST(EventDisplayRules, LinMdxAndPorscheStepsForceOnceButKeepEveryType) {
    struct Case {
        std::uint8_t kind;
        int entries;
        std::set<int> steps;
    };
    const Case cases[] = {
        {18, 92, {21, 22, 23, 24, 37, 38, 53, 54, 86, 87, 89, 90}},
        {17, 26, {1, 2}},
        {26, 6, {1, 2}},
    };
    for (const Case& c : cases) {
        for (int entry = 0; entry < c.entries; ++entry) {
            SCOPED_TRACE(testing::Message() << int(c.kind) << "/" << entry);
            Record record = slot_with(c.kind, static_cast<std::uint8_t>(entry), kTriggerLong, 0);
            const test::EventShown view = show_event(record, kSlot);
            const bool step = c.steps.count(entry) != 0;
            EXPECT_EQ(view.trigger_type(), kTriggerLong);
            EXPECT_TRUE(view.offered()[kTriggerLong]);
            EXPECT_EQ(view.once().checked, step);
            EXPECT_EQ(view.once().enabled, !step);
        }
    }
}

TEST(EventDisplayRules, AudiMmiVolumeEntriesBecomeShortWithOnce) {
    for (int entry = 0; entry < 33; ++entry) {
        SCOPED_TRACE(entry);
        Record record = slot_with(21, static_cast<std::uint8_t>(entry), kTriggerLong, 0);
        const test::EventShown view = show_event(record, kSlot);
        const bool volume = entry >= 15 && entry <= 18;
        EXPECT_EQ(view.trigger_type(), volume ? kTriggerShort : kTriggerLong);
        EXPECT_EQ(view.once().checked, volume);
        EXPECT_TRUE(view.offered()[kTriggerLong]);  // still all four in the list
    }
    Record disabled = slot_with(21, 15, kTriggerDisabled, 0);
    const test::EventShown view = show_event(disabled, kSlot);
    EXPECT_EQ(view.trigger_type(), kTriggerDisabled);
    EXPECT_TRUE(view.once().checked);
}

TEST(EventDisplayRules, ShowingTwiceChangesNothingMore) {
    for (std::uint8_t kind = 0; kind < kEventKindCount; ++kind) {
        for (const std::uint8_t flags : std::initializer_list<std::uint8_t>{0x00, 0x12, 0x3F, 0xFF}) {
            Record record = slot_with(kind, 15, flags, 0xA5);
            record.slot(kSlot)[3] = 1;
            record.slot(kSlot)[13] = 7;
            show_event(record, kSlot);
            const Record once_shown = record;
            show_event(record, kSlot);
            EXPECT_EQ(record.raw, once_shown.raw) << int(kind) << " " << int(flags);
        }
    }
}

}  // namespace
}  // namespace ztv
