// Captures and small windows that fill a slot: infrared codes from the simulated controller,
// a touch point, the IR code editor and the key picker; then the slot as it is redrawn.
#include "events/slot_captures.h"

#include <gtest/gtest.h>

#include "events/event_catalogue.h"
#include "events/reaction_catalogue.h"
#include "events/slot_display.h"
#include "support/sim_world.h"

namespace ztv {
namespace {

constexpr std::size_t kSlot = 12;

struct SlotCaptures : ::testing::Test {
    SlotCaptures() { EXPECT_TRUE(world.connect()); }
    std::span<std::uint8_t, kSlotSize> bytes() { return world.state.record.slot(kSlot); }
    SlotView show() { return display_slot(world.state, kSlot); }
    test::SimWorld world;
};

TEST_F(SlotCaptures, AnEventCodeArmsADisabledTriggerOnly) {
    world.sim.set_ir_code(0x0120FF45);
    bytes()[0] = static_cast<std::uint8_t>(EventKind::Voltage);
    bytes()[7] = 0x99;  // a byte the capture keeps
    EditOutcome outcome = capture_ir_for_event(world.protocol, true, world.state, kSlot);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.redraw, EditOutcome::Redraw::Page);
    EXPECT_EQ(bytes()[0], 1);
    EXPECT_EQ(bytes()[10] & 0x0F, 3);
    EXPECT_EQ(bytes()[2], 0x45);
    EXPECT_EQ(bytes()[5], 0x01);
    EXPECT_EQ(bytes()[7], 0x99);

    bytes()[10] = 0x02;  // "Long" stays
    world.sim.set_ir_code(0x0120FF46);
    capture_ir_for_event(world.protocol, true, world.state, kSlot);
    EXPECT_EQ(bytes()[10], 0x02);
    EXPECT_EQ(bytes()[2], 0x46);
    const SlotView view = show();
    EXPECT_EQ(view.control("PanelEventIRx")->text.en, "NEC 8447/70");
}

TEST_F(SlotCaptures, NoCodeOrAFailureLeavesTheSlot) {
    const Record before = world.state.record;
    EditOutcome outcome = capture_ir_for_event(world.protocol, true, world.state, kSlot);
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.redraw, EditOutcome::Redraw::Page);
    EXPECT_EQ(world.host.flashes.back().text.en, "No Infrared code");
    outcome = capture_ir_for_reaction(world.protocol, false, world.state, kSlot);
    EXPECT_EQ(outcome.redraw, EditOutcome::Redraw::Nothing);
    EXPECT_EQ(world.host.boxes.back().text.en, "Controller is disconnected");
    EXPECT_EQ(before.raw, world.state.record.raw);
}

TEST_F(SlotCaptures, AReactionTakesOnlyTheProtocolsItMaySend) {
    bytes()[11] = static_cast<std::uint8_t>(ReactionKind::UsbMouse);
    bytes()[12] = 3;
    const Record before = world.state.record;
    world.sim.set_ir_code(0x03001A0C);  // RC5: the editor offers it, capture refuses it
    EditOutcome outcome = capture_ir_for_reaction(world.protocol, true, world.state, kSlot);
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.redraw, EditOutcome::Redraw::Nothing);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].type, kBoxInformation);
    EXPECT_EQ(world.host.boxes[0].text.en, "For the response is only supported protocol NEC, JVC or SONY");
    EXPECT_EQ(before.raw, world.state.record.raw);

    world.sim.set_ir_code(0x0B000348);  // CAN AUTO: refused with its own reason, not wiped later
    outcome = capture_ir_for_reaction(world.protocol, true, world.state, kSlot);
    EXPECT_FALSE(outcome.accepted);
    ASSERT_EQ(world.host.boxes.size(), 2u);
    EXPECT_EQ(world.host.boxes[1].text.en, "A CAN AUTO code cannot be a reaction: the controller cannot send this protocol");
    EXPECT_EQ(before.raw, world.state.record.raw);

    world.sim.set_ir_code(0x0A000348);  // SAMSUNG is taken
    outcome = capture_ir_for_reaction(world.protocol, true, world.state, kSlot);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(bytes()[11], 1);
    EXPECT_EQ(bytes()[12], 0x48);
    EXPECT_EQ(bytes()[15], 0x0A);
    EXPECT_TRUE(show().can_edit_ir_reaction);
}

TEST_F(SlotCaptures, ATouchPointBecomesTheTouchReaction) {
    bytes()[11] = static_cast<std::uint8_t>(ReactionKind::UsbTouch);
    bytes()[16] = 0xF0;  // bits 36-39 of the touch parameters are kept
    world.sim.answer_touch_captures_after(700);
    int last_progress = 0;
    TouchCaptureDisplay display;
    display.show_progress = [&](int position) { last_progress = position; };
    const EditOutcome outcome = capture_touch_for_reaction(world.protocol, true, world.state, kSlot, display);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.redraw, EditOutcome::Redraw::Page);
    EXPECT_GE(last_progress, 7);
    const SlotView view = show();
    EXPECT_EQ(view.control("EditReactionTouchX")->text.en, "400");
    EXPECT_EQ(view.control("EditReactionTouchY")->text.en, "300");
    EXPECT_EQ(view.control("EditReactionTouchDlit")->text.en, "200");
    EXPECT_EQ(bytes()[16] & 0xF0, 0xF0);
}

TEST_F(SlotCaptures, AReactionChangedDuringTheCaptureIsNotOverwritten) {
    bytes()[11] = static_cast<std::uint8_t>(ReactionKind::UsbTouch);
    world.sim.answer_touch_captures_after(700);
    // The window stays alive while the capture waits: the user picks another reaction meanwhile.
    world.host.on_pump = [this](test::FakeHost&) {
        if (bytes()[11] == static_cast<std::uint8_t>(ReactionKind::UsbTouch)) {
            std::fill(bytes().begin() + 11, bytes().end(), std::uint8_t{0});
            bytes()[11] = static_cast<std::uint8_t>(ReactionKind::Encoder);
        }
    };
    const EditOutcome outcome = capture_touch_for_reaction(world.protocol, true, world.state, kSlot, {});
    EXPECT_FALSE(outcome.accepted);
    for (std::size_t i = 12; i < kSlotSize; ++i) EXPECT_EQ(bytes()[i], 0) << i;
}

TEST_F(SlotCaptures, TheIrCodeEditorWorksOnTheSlotsCode) {
    bytes()[11] = 1;
    bytes()[12] = 0x10;
    bytes()[15] = 0x33;  // RC5, repeat count 3
    const IrCodeEditorView view = open_slot_ir_code(world.state, kSlot, IrCodeList::Reaction);
    EXPECT_EQ(view.protocols[static_cast<std::size_t>(view.selected)], "IR_RC5");
    EXPECT_EQ(view.command, "16");
    EditOutcome outcome = apply_slot_ir_code(world.state, kSlot, IrCodeList::Reaction, "IR_NEC", "513", "77");
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.redraw, EditOutcome::Redraw::Page);
    EXPECT_EQ(bytes()[15], 0x31);  // NEC, the repeat count kept
    EXPECT_EQ(show().control("PanelReactionIRx")->text.en, "NEC 513/77");

    outcome = apply_slot_ir_code(world.state, kSlot, IrCodeList::Reaction, "IR_JVC", "abc", "1");
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.message.en, "'abc' is not a valid integer value");
    EXPECT_EQ(outcome.box_type, kBoxError);
    EXPECT_EQ(outcome.redraw, EditOutcome::Redraw::Nothing);
    EXPECT_EQ(bytes()[15], 0x32);  // the protocol was already set
}

TEST_F(SlotCaptures, ThePickerEditsTheSlotsReaction) {
    bytes()[11] = static_cast<std::uint8_t>(ReactionKind::SendIr);
    bytes()[12] = 0x45;
    EXPECT_TRUE(click_slot_picker_key(world.state, kSlot, "PanelMod0x").accepted);
    EXPECT_TRUE(click_slot_picker_key(world.state, kSlot, "PanelKey4x").accepted);
    EXPECT_FALSE(click_slot_picker_key(world.state, kSlot, "PanelKey50x").accepted);
    const SlotView view = show();
    EXPECT_EQ(view.reaction_kind, 0);
    EXPECT_EQ(view.control("PanelReactionUSBKeyx")->text.en, "  \n  \nlCtrl + A");
    EXPECT_TRUE(slot_picker_view(world.state, kSlot).usb_reaction);
    enter_slot_picker_code(world.state, kSlot, PickerField::Key2, "x66");
    EXPECT_EQ(show().control("PanelReactionUSBKeyx")->text.en, "  \n  \nlCtrl + A + KEY2:x66");
}

}  // namespace
}  // namespace ztv
