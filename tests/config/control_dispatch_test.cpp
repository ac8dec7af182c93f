// The one dispatch both editors draw and edit through, on what the editors' own tests do not
// reach: a signed range, an action of another widget, the two defaults of a fallback field and a
// list whose entries the record decides.
#include "config/control_dispatch.h"

#include <gtest/gtest.h>

namespace ztv {
namespace {

ControlAction typed(std::string_view text) { return {"EditX", ControlKind::Edit, 0, std::string(text)}; }
ControlAction action(ControlKind kind, std::int64_t value) { return {"X", kind, value, {}}; }

TEST(ControlDispatch, EntriesOutsideTheRangeAreRefusedOrGiveWayToTheDefault) {
    ControlMeta steps;  // a signed byte
    steps.widget = ControlKind::Spin;
    steps.codec = ValueCodec::Spin;
    steps.min = -100;
    steps.max = 100;
    steps.bytes = 1;
    EXPECT_EQ(read_entry(steps, action(ControlKind::Spin, -100)).value, 0x9Cu);
    const Entry refused = read_entry(steps, action(ControlKind::Spin, 101));
    EXPECT_EQ(refused.message.en, "The value must be in the range from -100 to 100");
    EXPECT_EQ(refusal(refused, EditOutcome::Redraw::Page).focus, EditOutcome::Focus::Control);
    EXPECT_EQ(show_control("X", steps, 0xF6).value, -10);
    EXPECT_FALSE(read_entry(steps, action(ControlKind::Edit, 5)).accepted) << "an action of another widget";

    ControlMeta delay;
    delay.widget = ControlKind::Edit;
    delay.codec = ValueCodec::Fallback;
    delay.min = 200;
    delay.max = 5000;
    delay.fallback = 1000;
    delay.unreadable = 7;
    const Entry replaced = read_entry(delay, typed("100"));
    EXPECT_TRUE(replaced.accepted && replaced.replaced && replaced.message.empty());
    EXPECT_EQ(replaced.value, 1000u);
    EXPECT_EQ(read_entry(delay, typed("x1")).value, 7u);
    EXPECT_FALSE(read_entry(delay, typed("300")).replaced);
}

TEST(ControlDispatch, ListPositionsStayWithinTheEntries) {
    constexpr TextPair entries[] = {{"Нет", "No"}, {"Да", "Yes"}};
    ControlMeta list;
    list.widget = ControlKind::List;
    list.codec = ValueCodec::Position;
    list.items = entries;
    EXPECT_FALSE(read_entry(list, action(ControlKind::List, 2)).accepted);
    EXPECT_FALSE(read_entry(list, action(ControlKind::List, -1)).accepted);
    EXPECT_TRUE(read_entry(list, action(ControlKind::List, 2), 3).accepted) << "entries the record decides";
    EXPECT_EQ(show_control("X", list, 1).items.at(1).ru, "Да");
    EXPECT_EQ(show_control("X", list, 2).selected, -1);
}

}  // namespace
}  // namespace ztv
