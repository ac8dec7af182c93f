// The IR code editor's lists, field checks and "OK" steps, without a window.
#include "tools/ir_code_editor.h"

#include <gtest/gtest.h>

#include <array>

namespace ztv {
namespace {

using Code = std::array<std::uint8_t, 4>;

TEST(IrCodeEditor, EachListOffersItsRowsInTableOrder) {
    const Code nec = {0x45, 0x20, 0x01, 0x01};
    const IrCodeEditorView event = open_ir_code_editor(nec, IrCodeList::Event);
    EXPECT_EQ(event.protocols,
              (std::vector<std::string>{"NONE", "IR_NEC", "IR_JVC", "IR_RC5", "IR_SONY_12BITS", "IR_SONY_15BITS",
                                        "IR_SONY_20BITS", "IR_SAMSUNG", "CAN AUTO", "IR_JVC_TYPE2", "IR_NEC_REP",
                                        "IR_APPLE_TV2"}));
    EXPECT_EQ(event.selected, 1);
    EXPECT_EQ(event.address, "288");
    EXPECT_EQ(event.command, "69");
    const IrCodeEditorView reaction = open_ir_code_editor(nec, IrCodeList::Reaction);
    EXPECT_EQ(reaction.protocols.size(), 13u);
    EXPECT_EQ(reaction.protocols.at(7), "USER");
    EXPECT_EQ(reaction.protocols.back(), "IR_ALPINE");
}

TEST(IrCodeEditor, ACanAutoReactionCodeOpensOnNoneAndOkSetsProtocolZero) {
    Code code = {0x48, 0x03, 0x00, 0x5B};  // CAN AUTO with repeat count 5
    const IrCodeEditorView view = open_ir_code_editor(code, IrCodeList::Reaction);
    EXPECT_EQ(view.selected, 0);
    const IrCodeEditorResult result =
        apply_ir_code_editor(code, view.protocols[static_cast<std::size_t>(view.selected)], view.address, view.command);
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(code, (Code{0x48, 0x03, 0x00, 0x50}));
}

TEST(IrCodeEditor, FieldsAreCheckedWhileTyping) {
    EXPECT_TRUE(check_ir_code_field("65535", kIrAddressMax).empty());
    EXPECT_EQ(check_ir_code_field("", kIrAddressMax).en, "Enter a value in the specified position");
    EXPECT_EQ(check_ir_code_field("12a", kIrAddressMax).en, "Enter a value in the specified position");
    EXPECT_EQ(check_ir_code_field("-1", kIrCommandMax).en, "Enter a value in the specified position");
    EXPECT_EQ(check_ir_code_field("65536", kIrAddressMax).en, "The value must be in the range from 0 to 65535");
    EXPECT_EQ(check_ir_code_field("256", kIrCommandMax).en, "The value must be in the range from 0 to 255");
    EXPECT_EQ(check_ir_code_field("99999999999999999999", kIrCommandMax).en,
              "The value must be in the range from 0 to 255");
}

TEST(IrCodeEditor, OkStoresProtocolAddressAndCommandAndKeepsTheRepeatCount) {
    Code code = {0x00, 0x00, 0x00, 0xA1};
    EXPECT_TRUE(apply_ir_code_editor(code, "IR_SONY_15BITS", "4660", "200").completed);
    EXPECT_EQ(code, (Code{200, 0x34, 0x12, 0xA6}));
    // A protocol name no row has sets protocol 0.
    EXPECT_TRUE(apply_ir_code_editor(code, "IR_UNKNOWN", "1", "2").completed);
    EXPECT_EQ(code, (Code{2, 1, 0, 0xA0}));
}

TEST(IrCodeEditor, WholeNumbersBeyondTheRangeAreNotStoredButDoNotStop) {
    Code code = {7, 8, 9, 0x01};
    EXPECT_TRUE(apply_ir_code_editor(code, "IR_JVC", "70000", "-3").completed);
    EXPECT_EQ(code, (Code{7, 8, 9, 0x02}));
    EXPECT_TRUE(apply_ir_code_editor(code, "IR_JVC", " 10 ", "+11").completed);
    EXPECT_EQ(code, (Code{11, 10, 0, 0x02}));
}

TEST(IrCodeEditor, ANonNumberStopsAtItsFieldWithTheProtocolAlreadySet) {
    Code code = {7, 8, 9, 0x31};
    IrCodeEditorResult result = apply_ir_code_editor(code, "IR_RC5", "12x", "5");
    EXPECT_FALSE(result.completed);
    EXPECT_EQ(result.message.en, "'12x' is not a valid integer value");
    EXPECT_EQ(code, (Code{7, 8, 9, 0x33}));  // protocol set; address and command not stored

    result = apply_ir_code_editor(code, "IR_NEC", "300", "");
    EXPECT_FALSE(result.completed);
    EXPECT_EQ(result.message.en, "'' is not a valid integer value");
    EXPECT_EQ(code, (Code{7, 0x2C, 0x01, 0x31}));  // the address before it was stored

    result = apply_ir_code_editor(code, "IR_NEC", "99999999999", "1");
    EXPECT_FALSE(result.completed) << "beyond 32 bits is not a whole number";
}

TEST(IrCodeEditor, AHugeFieldIsQuotedByItsBeginning) {
    Code code{};
    const std::string pasted = "ж" + std::string(10000, 'z');
    const IrCodeEditorResult result = apply_ir_code_editor(code, "NONE", pasted, "1");
    EXPECT_FALSE(result.completed);
    EXPECT_LT(result.message.en.size(), 120u);
    EXPECT_TRUE(result.message.en.starts_with("'жzzz"));
}

}  // namespace
}  // namespace ztv
