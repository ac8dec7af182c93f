#include <gtest/gtest.h>

#include <array>

#include "catalogues/ir_protocols.h"

namespace ztv {
namespace {

TEST(IrProtocols, SixteenRowsWithTheirEditorLists) {
    const auto protocols = ir_protocols();
    ASSERT_EQ(protocols.size(), 16u);
    EXPECT_STREQ(protocols[0].name, "NONE");
    EXPECT_STREQ(protocols[11].name, "CAN AUTO");
    EXPECT_STREQ(protocols[15].name, "IR_ALPINE");
    const bool event_list[16] = {1, 1, 1, 1, 0, 1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 0};
    const bool reaction_list[16] = {1, 1, 1, 1, 0, 1, 1, 1, 0, 1, 1, 0, 1, 1, 1, 1};
    for (unsigned p = 0; p < 16; ++p) {
        EXPECT_EQ(protocols[p].in_event_list, event_list[p]) << p;
        EXPECT_EQ(protocols[p].in_reaction_list, reaction_list[p]) << p;
    }
}

TEST(IrProtocols, CodeWordFields) {
    const std::array<std::uint8_t, 4> code = {0x38, 0xD2, 0x04, 0x3C};
    EXPECT_EQ(ir_command(code), 0x38u);
    EXPECT_EQ(ir_address(code), 0x04D2u);
    EXPECT_EQ(ir_protocol(code), 0x0Cu);
}

TEST(IrProtocols, CaptureForAReaction) {
    for (unsigned p = 0; p < 20; ++p) {
        const bool fits = p == 1 || p == 2 || p == 5 || p == 6 || p == 7 || p == 10 || p == 12 || p == 13 ||
                          p == 14;
        EXPECT_EQ(ir_capture_fits_reaction(p), fits) << p;
    }
}

TEST(IrProtocols, AReactionCodeIsANamedProtocolButCanAuto) {
    // Shown as a code: every named protocol but CAN AUTO; IR_ALPINE only in reactions.
    for (unsigned p = 0; p < 20; ++p) {
        const bool shown = p == 1 || p == 2 || p == 3 || p == 5 || p == 6 || p == 7 || p == 9 || p == 10 || p == 12 ||
                           p == 13 || p == 14 || p == 15;
        EXPECT_EQ(ir_reaction_has_code(p), shown) << p;
    }
    EXPECT_FALSE(ir_capture_fits_reaction(3));  // RC5: offered by the editor, refused by capture
    EXPECT_FALSE(ir_capture_fits_reaction(11));  // CAN AUTO: a reaction could not send it
}

TEST(IrProtocols, DescriptionNamesOutsideTheTableAreNone) {
    EXPECT_EQ(ir_event_protocol_name(16), nullptr);
    EXPECT_EQ(ir_reaction_protocol_name(255), nullptr);
    EXPECT_STREQ(ir_event_protocol_name(11), "CAN AUTO");
    EXPECT_EQ(ir_reaction_protocol_name(11), nullptr);
}

}  // namespace
}  // namespace ztv
