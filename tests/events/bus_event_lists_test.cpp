#include <gtest/gtest.h>

#include <cstring>

#include "events/bus_event_lists.h"

namespace ztv {
namespace {

struct ListCase {
    const char* name;
    std::span<const TextPair> (*list)();
    std::size_t count;
    const char* first;
    const char* last;
};

// Counts, first and last names as the controller numbers them.
const ListCase kLists[] = {
    {"IBUS", bus_events::ibus, 65, "MFSW_NEXT", "ENGINE OFF"},
    {"IEBUS", bus_events::iebus, 100, "NAVI_ACT", "KEY CALENDAR"},
    {"IDRIVE", bus_events::idrive, 27, "DISABLE", "ROTATE_LEFT_DN"},
    {"GANET", bus_events::ganet, 67, "KEY_1", "KEY_BRIGHT2"},
    {"MJOY", bus_events::mercedes_joy, 12, "DISABLE", "ROTATE_RIGHT"},
    {"MDXJOY", bus_events::mdx_joy, 26, "NOT USE", "KEY PHONE"},
    {"LIN", bus_events::lin, 92, "KEY NO", "EXHAUST"},
    {"MMI", bus_events::audi_mmi, 33, "NO KEY", "VOL PRESS"},
    {"RJOY", bus_events::renault_joy, 17, "DISABLE", "ROTATE_LEFT"},
    {"HK", bus_events::honda_keys, 30, "DISABLE", "KEY_TUNE"},
    {"SWVW", bus_events::sw_can, 10, "LIGHT OFF", "RING ON"},
    {"MCTRL", bus_events::mercedes_ctrl, 33, "DISABLE", "ENC_VOL_DN"},
    {"PK", bus_events::porshe_keys, 6, "NOT USE", "KEY NAVI"},
};

TEST(BusEventLists, LengthsAndEndsMatchTheControllerNumbering) {
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.name);
        const auto list = c.list();
        ASSERT_EQ(list.size(), c.count);
        EXPECT_STREQ(list.front().en, c.first);
        EXPECT_STREQ(list.back().en, c.last);
        for (const TextPair& entry : list) {
            EXPECT_NE(entry.ru[0], '\0');
            EXPECT_NE(entry.en[0], '\0');
        }
    }
}

TEST(BusEventLists, OnlyTheSingleWireCanNamesAreTranslated) {
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(c.name);
        const bool translated = std::strcmp(c.name, "SWVW") == 0;
        for (const TextPair& entry : c.list()) EXPECT_EQ(std::strcmp(entry.ru, entry.en) != 0, translated) << entry.en;
    }
}

TEST(BusEventLists, NamesSitAtTheirNumbers) {
    EXPECT_STREQ(bus_events::lin()[29].en, "VOL UP");
    EXPECT_STREQ(bus_events::lin()[49].en, "O/I");
    EXPECT_STREQ(bus_events::idrive()[13].en, "ROTATE_RIGHT");
    EXPECT_STREQ(bus_events::ganet()[14].en, "*KEY_CDAUX");  // the asterisk belongs to the name
    EXPECT_STREQ(bus_events::ganet()[38].en, "KEY_RADIO");
    EXPECT_STREQ(bus_events::audi_mmi()[15].en, "VOL DN");
    EXPECT_STREQ(bus_events::audi_mmi()[16].en, "VOL_UP");
    EXPECT_STREQ(bus_events::ibus()[40].en, "MFSW NEXT LONG");
    EXPECT_STREQ(bus_events::iebus()[92].en, "SW_KEY_NEXT_TRK");
    EXPECT_STREQ(bus_events::renault_joy()[1].en, "KEY_LEFT/BACK");
    EXPECT_STREQ(bus_events::honda_keys()[10].en, "KEY CD/AUX");
    EXPECT_STREQ(bus_events::mercedes_ctrl()[23].en, "JOY_ROTATE_LEFT");
    EXPECT_STREQ(bus_events::mdx_joy()[1].en, "WHEEL RIGHT");
    EXPECT_STREQ(bus_events::sw_can()[3].en, "ACC ON");
}

}  // namespace
}  // namespace ztv
