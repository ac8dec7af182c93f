// The differences between two configurations as a person reads them.
#include "events/config_compare.h"

#include <gtest/gtest.h>

#include "config/field_table.h"
#include "config/parameter_keys.h"
#include "config/parameter_listing.h"

namespace ztv {
namespace {

TEST(ConfigCompare, EqualConfigurationsSayNoChanges) {
    ConfigSnapshot a{};
    a.record.set_u8(700, 3);
    const Comparison same = compare_configurations(a, a, Lang::English);
    EXPECT_FALSE(same.differ);
    EXPECT_EQ(same.text, "No changes\n");
    EXPECT_EQ(compare_configurations(a, a, Lang::Russian).text, "Изменений нет\n");
}

TEST(ConfigCompare, AParameterShowsItsPageAndTheTextsOfShow) {
    ConfigSnapshot before{};
    ConfigSnapshot after{};
    after.record.set_u16(0, 1200);             // long-press time-out
    ConfigState state;
    restore_snapshot(after, state);
    std::string page_of_line;
    std::string shown_line;
    for (const ParameterPageListing& page : list_parameter_pages(state, Lang::English))
        for (const ParameterLine& line : page.lines)
            if (line.value == "1200 mSec") {
                page_of_line = page.caption;
                shown_line = line.label;
            }
    ASSERT_FALSE(shown_line.empty());
    const Comparison diff = compare_configurations(before, after, Lang::English);
    EXPECT_TRUE(diff.differ);
    EXPECT_EQ(diff.text, page_of_line + "\n  " + shown_line + ": 0 mSec -> 1200 mSec\n");
}

TEST(ConfigCompare, ASlotShowsNumberNameAndChangedDescriptionLines) {
    ConfigSnapshot before{};
    before.record.slot(4)[0] = 1;  // an IR code event, NEC 0/16
    before.record.slot(4)[2] = 16;
    before.record.slot(4)[5] = 1;
    before.record.slot(4)[10] = 3;
    ConfigSnapshot after = before;
    after.record.slot(4)[10] = 2;  // trigger changed
    after.slot_names[4][0] = 'W';
    // The editor's own captions, and the first line says which way the differences go.
    const Comparison diff = compare_configurations(before, after, Lang::English, CompareScope{true, "a.ZTV", "b.ZTV"});
    EXPECT_TRUE(diff.text.starts_with("a.ZTV -> b.ZTV\nSlot 5 (W)\n  Name: (none) -> W\n  Press: ")) << diff.text;
    EXPECT_EQ(diff.text.find("Event:"), std::string::npos);  // unchanged lines are left out

    // The controller keeps no slot names: they are not a difference there.
    ConfigSnapshot named_only = before;
    named_only.slot_names[4][0] = 'W';
    EXPECT_FALSE(compare_configurations(before, named_only, Lang::English, CompareScope{false}).differ);
}

// A line whose value reads the same on both sides says what differs; the learned buttons have
// a heading of their own, not the Russian caption of the "Keys" page.
TEST(ConfigCompare, LinesSayWhatReallyDiffers) {
    ConfigState state;
    const ConfigSnapshot before = take_snapshot(state);
    ASSERT_EQ(assign_key(state, "UARTPARAM_NUM", "1", std::nullopt).status, AssignStatus::Applied);
    const std::string usable = compare_configurations(before, take_snapshot(state), Lang::English).text;
    EXPECT_NE(usable.find("\n  Speed: 1200 bps (disabled -> usable)\n"), std::string::npos) << usable;

    ConfigSnapshot named = before;
    named.record.set_button_name(0, 0, "MODE");
    const std::string buttons = compare_configurations(before, named, Lang::Russian).text;
    EXPECT_TRUE(buttons.starts_with("Обученные кнопки\n")) << buttons;
}

TEST(ConfigCompare, BytesNoTextShowsAreStillListed) {
    ConfigSnapshot before{};
    ConfigSnapshot after{};
    after.record.set_u8(kRecordSize - 1, 0x5A);  // a reserved byte
    EXPECT_EQ(compare_configurations(before, after, Lang::English).text,
              "Other configuration bytes\n  byte 2037: 00 -> 5A\n");
    ConfigSnapshot touched{};
    touched.touch[0] = 1;
    EXPECT_EQ(compare_configurations(before, touched, Lang::Russian).text,
              "Калибровка сенсорной панели\n  00000000000000000000 -> 01000000000000000000\n");
}

// Nothing that differs is hidden among other changes: a value the page restates (a UART delay
// stored as 0 reads 500) comes out as stored under its page, a reserved byte is still listed,
// and a name that differs only after its end says so.
TEST(ConfigCompare, EveryDifferenceIsShownBesideTheOthers) {
    ConfigSnapshot before{};
    before.record.set_button_name(0, 0, "MOD");
    ConfigSnapshot after = before;
    after.record.set_u16(0, 1200);  // long-press time-out
    set_field(after.record, FieldId::UARTPARAM_DelayMS, 500);
    after.record.set_u8(kRecordSize - 1, 0x5A);
    after.record.set_u8(Record::button_offset(0, 0) + 4 + 4, 'X');  // "MOD", NUL, then a stray byte
    const std::string text = compare_configurations(before, after, Lang::English).text;
    EXPECT_NE(text.find("UART\n  Delay before autorepeat: 0 mSec -> 500 mSec\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  channel 1, button 1, name: MOD (bytes after the end of the name differ)\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("Other configuration bytes\n  byte 2037: 00 -> 5A\n")) << text;
    EXPECT_EQ(text.find("byte 201"), std::string::npos);
    EXPECT_NE(compare_configurations(before, after, Lang::Russian).text.find("MOD (различаются байты после конца имени)"),
              std::string::npos);
}

}  // namespace
}  // namespace ztv
