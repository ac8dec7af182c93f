// The reaction catalogue's lists and tables: lengths, order and languages.
#include "events/reaction_catalogue.h"
#include "events/reaction_controls.h"

#include "config/field_choices.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>
#include <string>

namespace ztv {
namespace {

namespace lists = reaction_lists;

bool same_in_both(const TextPair& p) { return std::strcmp(p.ru, p.en) == 0; }

TEST(ReactionCatalogue, ListsHaveTheirDocumentedLengths) {
    EXPECT_EQ(reaction_kind_titles().size(), 28u);
    EXPECT_EQ(lists::ir_output_pins.size(), 14u);
    EXPECT_EQ(lists::output_pins.size(), 18u);
    EXPECT_EQ(lists::pin_modes.size(), 4u);
    EXPECT_EQ(lists::control_actions.size(), 8u);
    EXPECT_EQ(lists::source_selection.size(), 11u);
    EXPECT_EQ(lists::event_manage_actions.size(), 3u);
    EXPECT_EQ(lists::amplifier_parameters.size(), 7u);
    EXPECT_EQ(lists::mouse_actions.size(), 9u);
    EXPECT_EQ(lists::encoder_connections.size(), 7u);
    EXPECT_EQ(lists::iebus.size(), 28u);
    EXPECT_EQ(lists::idrive.size(), 15u);
    EXPECT_EQ(lists::ibus.size(), 61u);
    EXPECT_EQ(lists::cursor_directions.size(), 14u);
    EXPECT_EQ(lists::mdx_joy.size(), 2u);
    EXPECT_EQ(lists::lin.size(), 28u);
    EXPECT_EQ(lists::mmi.size(), 16u);
    EXPECT_EQ(lists::dsp.size(), 17u);
    EXPECT_EQ(lists::panacea.size(), 5u);
    EXPECT_EQ(lists::rjoy.size(), 3u);
    EXPECT_EQ(lists::swcan_car_types.size(), 13u);
    EXPECT_EQ(lists::swcan_buttons.size(), 54u);
    EXPECT_EQ(lists::ganet.size(), 24u);
    EXPECT_EQ(lists::cruise.size(), 5u);
    EXPECT_EQ(lists::mctrl.size(), 15u);
    EXPECT_EQ(lists::porshe.size(), 2u);
    EXPECT_EQ(event_manage_targets().size(), 81u);
}

TEST(ReactionCatalogue, EntriesSitAtTheirStoredPositions) {
    EXPECT_STREQ(reaction_kind_titles()[0].en, "USB key");
    EXPECT_STREQ(reaction_kind_titles()[21].en, "ResEmul");
    EXPECT_STREQ(reaction_kind_titles()[27].en, "Porshe Keys");
    EXPECT_STREQ(lists::ir_output_pins[8].en, "X5/7");
    // The IR output takes the pulse pin's list: one table for both.
    EXPECT_EQ(lists::ir_output_pins.data(), choices::pulse_pin.data());
    EXPECT_EQ(lists::ir_output_pins.size(), choices::pulse_pin.size());
    EXPECT_STREQ(lists::output_pins[9].en, "X5/6");
    EXPECT_STREQ(lists::output_pins[17].en, "RESTART");
    EXPECT_STREQ(lists::source_selection[9].en, "previous");
    EXPECT_STREQ(lists::encoder_connections[4].en, "X5/7, X5/8");
    EXPECT_STREQ(lists::iebus[14].en, "DVD activate");
    EXPECT_STREQ(lists::iebus[27].en, "VOL DN");
    EXPECT_STREQ(lists::ibus[40].en, "Pre vTrack");
    EXPECT_STREQ(lists::ibus[60].en, "CDC Enable");
    EXPECT_STREQ(lists::lin[3].en, "Heat SW 20°C");
    EXPECT_STREQ(lists::lin[27].en, "KEY PHONE");
    EXPECT_STREQ(lists::cursor_directions[11].en, "*Weel Dn");
    EXPECT_STREQ(lists::swcan_buttons[53].en, "EMERGENCY OFF");
    EXPECT_STREQ(lists::swcan_buttons[25].en, "MIROR UP");
    EXPECT_STREQ(lists::mctrl[10].en, "Mouse speed x7");
    EXPECT_STREQ(lists::ganet[23].en, "Beep");
    EXPECT_STREQ(lists::dsp[14].en, "Source Set");
}

TEST(ReactionCatalogue, TranslatedListsHaveRussianTwinsAndIdentifiersReadTheSame) {
    for (const auto& list : {lists::idrive, lists::lin, lists::mmi, lists::dsp, lists::ganet, lists::rjoy,
                             lists::mctrl, lists::mouse_actions, lists::pin_modes, lists::panacea,
                             lists::cursor_directions, lists::porshe, lists::mdx_joy, lists::event_manage_actions})
        for (const TextPair& p : list) EXPECT_FALSE(same_in_both(p)) << p.en;
    for (const auto& list : {lists::ibus, lists::amplifier_parameters})
        for (const TextPair& p : list) EXPECT_TRUE(same_in_both(p)) << p.en;
    // Car types are names, but "Not used" is a phrase in the user's language.
    for (std::size_t i = 0; i < lists::swcan_car_types.size(); ++i)
        EXPECT_EQ(same_in_both(lists::swcan_car_types[i]), i != 0) << i;
    // R-IEBUS: the first fifteen are translated, the DVD and volume keys are not.
    for (std::size_t i = 0; i < lists::iebus.size(); ++i) EXPECT_EQ(same_in_both(lists::iebus[i]), i >= 15) << i;
    // SW CAN buttons: only "Custom code" and the three cruise buttons are translated.
    for (std::size_t i = 0; i < lists::swcan_buttons.size(); ++i)
        EXPECT_EQ(same_in_both(lists::swcan_buttons[i]), !(i == 0 || (i >= 5 && i <= 7))) << i;
    for (const TextPair& p : reaction_kind_titles()) EXPECT_NE(p.ru[0], '\0');
}

TEST(ReactionCatalogue, AmplifierListsFollowTheParameter) {
    const std::size_t counts[] = {68, 17, 17, 13, 13, 13, 3};
    for (unsigned p = 0; p < kAmplifierParameterCount; ++p) {
        const std::vector<Text> actions = amplifier_actions(p);
        EXPECT_EQ(actions.size(), counts[p]) << p;
        EXPECT_EQ(amplifier_action_count(p), counts[p]) << p;
        ASSERT_LT(amplifier_neutral_action(p), actions.size());
    }
    EXPECT_EQ(amplifier_actions(0)[31].en, "Set 31");
    EXPECT_EQ(amplifier_actions(0)[67].en, "Decrease on 5");
    EXPECT_EQ(amplifier_actions(1)[0].en, "Set LEFT7");
    EXPECT_EQ(amplifier_actions(1)[7].en, "Set 0");
    EXPECT_EQ(amplifier_actions(1)[14].en, "Set RIGHT7");
    EXPECT_EQ(amplifier_actions(2)[8].en, "Set REAR1");
    EXPECT_EQ(amplifier_actions(3)[0].en, "Set -5");
    EXPECT_EQ(amplifier_actions(5)[10].en, "Set 5");
    EXPECT_EQ(amplifier_actions(6)[2].en, "Toggle");
    for (unsigned p = 1; p <= 5; ++p) EXPECT_EQ(amplifier_actions(p)[amplifier_neutral_action(p)].en, "Set 0");
    EXPECT_EQ(amplifier_actions(0)[amplifier_neutral_action(0)].en, "Set 31");
    EXPECT_EQ(amplifier_actions(6)[amplifier_neutral_action(6)].en, "Off");
    EXPECT_TRUE(amplifier_actions(7).empty());
    EXPECT_EQ(amplifier_actions(0)[5].ru, "Установить 5");
}

TEST(ReactionCatalogue, CarDspParameterListsFollowModeAndType) {
    auto numbers = [](unsigned mode, unsigned type) {
        const CarDspLayout layout = cardsp_layout(mode, type);
        const std::vector<Text> list = cardsp_parameters(layout);
        return list.empty() ? std::string("-") : list.front().en + ".." + list.back().en;
    };
    EXPECT_EQ(numbers(1, 0), "1..7");
    for (unsigned mode : {2u, 3u, 5u, 6u}) {
        EXPECT_EQ(numbers(mode, 0), "1..32");
        EXPECT_TRUE(cardsp_layout(mode, 0).repeat_shown);
    }
    EXPECT_EQ(numbers(4, 0), "0..20");
    EXPECT_EQ(numbers(7, 0), "0..114");
    EXPECT_EQ(numbers(7, 3), "0..114");
    EXPECT_EQ(numbers(7, 4), "0..85");
    EXPECT_EQ(numbers(7, 7), "0..85");
    EXPECT_EQ(numbers(7, 8), "0..114");
    EXPECT_EQ(numbers(14, 0), "1..3");
    for (unsigned mode : {0u, 8u, 9u, 10u, 11u, 12u, 13u, 15u, 16u, 17u, 200u}) {
        EXPECT_EQ(numbers(mode, 0), "-") << mode;
        EXPECT_FALSE(cardsp_layout(mode, 0).repeat_shown) << mode;
    }
    for (unsigned mode : {1u, 4u, 7u, 14u}) EXPECT_FALSE(cardsp_layout(mode, 0).repeat_shown) << mode;
}

TEST(ReactionCatalogue, SwCanCodesPerCarType) {
    const std::size_t counts[] = {23, 21, 13, 8, 12, 4, 4, 15, 21, 6, 8, 2, 2};
    for (unsigned type = 0; type < 13; ++type) {
        EXPECT_EQ(swcan_codes(type).size(), counts[type]) << type;
        for (std::uint8_t code : swcan_codes(type)) EXPECT_LT(code, reaction_lists::swcan_buttons.size());
    }
    EXPECT_TRUE(std::equal(swcan_codes(1).begin(), swcan_codes(1).end(), swcan_codes(8).begin(), swcan_codes(8).end()));
    EXPECT_TRUE(swcan_codes(13).empty());
    EXPECT_EQ(swcan_position(2, 13), 8);
    EXPECT_EQ(swcan_position(3, 0), -1);
    EXPECT_EQ(swcan_position(7, 37), 14);
    EXPECT_EQ(swcan_position(20, 0), -1);
}

TEST(ReactionCatalogue, ControlTableLayoutsStayInsideTheReactionAndApart) {
    for (std::uint8_t kind = 0; kind < kReactionKindCount; ++kind) {
        std::uint64_t used = 0;  // bits of bytes 12-16 taken on this page
        for (const ReactionControlDef& def : reaction_control_defs()) {
            if (static_cast<std::uint8_t>(def.kind) != kind || def.width == 0) continue;
            ASSERT_GE(def.byte, 12u) << def.name;
            const unsigned first = (def.byte - 12u) * 8u + def.shift;
            ASSERT_LE(first + def.width, 40u) << def.name;
            const std::uint64_t bits = ((std::uint64_t{1} << def.width) - 1) << first;
            EXPECT_EQ(used & bits, 0u) << def.name << " overlaps another control of kind " << int(kind);
            used |= bits;
        }
    }
    // Every control names its page, and each name is one control.
    std::set<std::string_view> names;
    for (const ReactionControlDef& def : reaction_control_defs()) {
        EXPECT_TRUE(names.insert(def.name).second) << def.name;
        EXPECT_EQ(reaction_control_kind(def.control), def.kind);
        EXPECT_EQ(find_reaction_control(def.name), &def);
    }
}

TEST(ReactionCatalogue, TableFieldsAreReadAndWrittenBitExactly) {
    std::array<std::uint8_t, kSlotSize> slot{};
    slot.fill(0xFF);
    write_reaction_field(slot, ReactionControl::TouchY, 0x123);  // bits 4-15 of bytes 13-14
    EXPECT_EQ(slot[13], 0x3F);
    EXPECT_EQ(slot[14], 0x12);
    EXPECT_EQ(slot[12], 0xFF);
    EXPECT_EQ(slot[15], 0xFF);
    EXPECT_EQ(read_reaction_field(slot, ReactionControl::TouchY), 0x123u);
    write_reaction_field(slot, ReactionControl::ControlAction2, 0x0F);  // three bits: the fourth is kept
    EXPECT_EQ(slot[16], 0xFF);
    write_reaction_field(slot, ReactionControl::ControlAction2, 2);
    EXPECT_EQ(slot[16], 0xAF);
    EXPECT_EQ(read_reaction_field(slot, ReactionControl::ControlSave2), 1u);
}

}  // namespace
}  // namespace ztv
