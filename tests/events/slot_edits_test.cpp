// The slot editor's one API: every page drawn as ControlViews, every edit by control name
// answered with an EditOutcome.
#include "events/slot_edits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "config/field_table.h"
#include "events/reaction_catalogue_edits.h"
#include "events/slot_controls.h"
#include "events/slot_display.h"
#include "events/slot_editor_texts.h"

namespace ztv {
namespace {

constexpr std::size_t kSlot = 4;  // slot 5

// The user's actions, as the editor's bound controls hand them over.
EditOutcome act(ConfigState& state, std::size_t slot, std::string_view control, ControlKind kind, std::int64_t value,
                std::string_view text = {}) {
    return edit_slot(state, slot, ControlAction{std::string(control), kind, value, std::string(text)});
}
EditOutcome choose_slot_entry(ConfigState& s, std::size_t slot, std::string_view c, int index) {
    return act(s, slot, c, ControlKind::List, index);
}
EditOutcome enter_slot_text(ConfigState& s, std::size_t slot, std::string_view c, std::string_view utf8) {
    return act(s, slot, c, ControlKind::Edit, 0, utf8);
}
EditOutcome set_slot_number(ConfigState& s, std::size_t slot, std::string_view c, std::int64_t value) {
    return act(s, slot, c, ControlKind::Spin, value);
}
EditOutcome click_slot_control(ConfigState& s, std::size_t slot, std::string_view c) {
    return act(s, slot, c, ControlKind::Button, 0);
}

struct SlotEditor : ::testing::Test {
    ConfigState state;
    std::span<std::uint8_t, kSlotSize> bytes() { return state.record.slot(kSlot); }
    SlotView show() { return display_slot(state, kSlot); }
    const ControlView& shown(std::string_view name) {
        view = show();
        const ControlView* control = view.control(name);
        if (control == nullptr) throw std::runtime_error("no control " + std::string(name));
        return *control;
    }
    SlotView view;
};

TEST(SlotControls, NamesAreUniqueAndEveryPageIsDrawnFromTheTables) {
    std::set<std::string_view> names{event_common::kTrigger, event_common::kOnce, event_common::kWakeUp,
                                      event_common::kSource};
    for (const EventControlDef& def : event_control_defs()) EXPECT_TRUE(names.insert(def.name).second) << def.name;
    for (const ReactionControlDef& def : reaction_control_defs()) EXPECT_TRUE(names.insert(def.name).second) << def.name;

    ConfigState state;
    for (std::uint8_t kind = 0; kind < kEventKindCount; ++kind) {
        state.record.slot(0)[kEventKindByte] = kind;
        state.record.slot(0)[2] = 1;  // a code or a button where the kind has one
        state.record.slot(0)[5] = 1;
        const SlotView view = display_slot(state, 0);
        ASSERT_EQ(view.event_kind, kind);
        EXPECT_EQ(view.event_common.size(), 4u);
        std::size_t expected = 0;
        for (const EventControlDef& def : event_control_defs()) expected += def.kind == kind ? 1 : 0;
        EXPECT_EQ(view.event_controls.size(), expected) << int(kind);
        for (const ControlView& control : view.event_controls) EXPECT_NE(find_event_control(control.name), nullptr);
        EXPECT_EQ(view.event_title, slot_texts::event_page_titles()[kind]);
    }
    for (std::uint8_t kind = 0; kind < kReactionKindCount; ++kind) {
        state.record.slot(1)[kReactionKindByte] = kind;
        const SlotView view = display_slot(state, 1);
        ASSERT_EQ(view.reaction_kind, kind);
        EXPECT_FALSE(view.reaction_controls.empty()) << int(kind);
        for (const ControlView& control : view.reaction_controls) {
            const ReactionControlDef* def = find_reaction_control(control.name);
            ASSERT_NE(def, nullptr);
            EXPECT_EQ(static_cast<std::uint8_t>(reaction_control_kind(def->control)), kind) << control.name;
            EXPECT_EQ(control.kind, def->widget) << control.name;
        }
        EXPECT_EQ(view.reaction_title, slot_texts::reaction_page_titles()[kind]);
    }
}

TEST_F(SlotEditor, TheRoadOfOneEditWritesTheTriggerBitsOnly) {
    bytes()[2] = 3;  // key 3 on channel 1: a resistive main button admits every trigger type
    bytes()[3] = 1;
    bytes()[10] = 0xC0;
    const EditOutcome outcome = choose_slot_entry(state, kSlot, event_common::kTrigger, 2);  // "Long"
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.redraw, EditOutcome::Redraw::Page);
    EXPECT_EQ(state.record.raw[632], 0xC2);
    const ControlView& trigger = shown(event_common::kTrigger);
    EXPECT_EQ(trigger.selected, 2);
    EXPECT_EQ(trigger.items.at(2).en, "Long");
    EXPECT_TRUE(trigger.enabled);
}

TEST_F(SlotEditor, CommonControlsFollowTheKindsRules) {
    bytes()[0] = static_cast<std::uint8_t>(EventKind::Usb);  // forced once, no wake-up, source forced "Any"
    bytes()[1] = 0x05;
    bytes()[10] = 0x21;
    show();
    EXPECT_EQ(bytes()[10], 0x13);
    EXPECT_EQ(bytes()[1], 0);
    const ControlView& trigger = shown(event_common::kTrigger);
    ASSERT_EQ(trigger.items.size(), 2u);  // a single happening: "Disabled" or "Any"
    EXPECT_EQ(trigger.items[1].en, "Any");
    EXPECT_EQ(trigger.selected, 1);
    const ControlView& once = shown(event_common::kOnce);
    EXPECT_TRUE(once.checked);
    EXPECT_FALSE(once.enabled);
    EXPECT_FALSE(shown(event_common::kWakeUp).enabled);
    const ControlView& source = shown(event_common::kSource);
    EXPECT_FALSE(source.enabled);
    EXPECT_EQ(source.selected, 0);
    EXPECT_EQ(source.items.at(1).en, "Select...");
}

TEST_F(SlotEditor, TriggerPositionsMapToTheTypesTheKindAdmits) {
    bytes()[0] = static_cast<std::uint8_t>(EventKind::Timeout);  // "Disabled" or "Any"
    show();
    EXPECT_TRUE(choose_slot_entry(state, kSlot, event_common::kTrigger, 1).accepted);
    EXPECT_EQ(bytes()[10] & 0x0F, 3);
    EXPECT_EQ(shown(event_common::kTrigger).selected, 1);
    EXPECT_TRUE(choose_slot_entry(state, kSlot, event_common::kTrigger, 0).accepted);
    EXPECT_EQ(bytes()[10] & 0x0F, 0);
    EXPECT_FALSE(choose_slot_entry(state, kSlot, event_common::kTrigger, 2).accepted);
    EXPECT_EQ(bytes()[10] & 0x0F, 0);
    // An empty "Button" event cannot fire: nothing to choose from a disabled list but "Disabled".
    choose_event_kind(state, kSlot, 0);
    const ControlView& trigger = shown(event_common::kTrigger);
    EXPECT_FALSE(trigger.enabled);
    EXPECT_EQ(trigger.items.size(), 4u);
    EXPECT_EQ(trigger.selected, 0);
}

TEST_F(SlotEditor, SourceChoiceAsksForTheWindowAndStoresItsMask) {
    bytes()[0] = static_cast<std::uint8_t>(EventKind::Area);
    bytes()[10] = 3;
    EditOutcome outcome = choose_slot_entry(state, kSlot, event_common::kSource, 1);
    EXPECT_EQ(outcome.follow_up, slot_follow_up::kEventSources);
    EXPECT_EQ(bytes()[1], 0);
    const SourceWindowRequest request = source_window_request(state, kSlot, outcome.follow_up);
    EXPECT_EQ(request.first_line.en, "Event on");
    EXPECT_EQ(request.second_line.en, "sources:");
    apply_event_sources(state, kSlot, std::uint8_t{0x06});
    EXPECT_EQ(bytes()[1], 0x06);
    const ControlView& source = shown(event_common::kSource);
    EXPECT_EQ(source.selected, 1);
    EXPECT_EQ(source.items.at(1).en, " 2 3");
    EXPECT_EQ(source.bits, 0x06u);
    apply_event_sources(state, kSlot, std::nullopt);  // cancelled
    EXPECT_EQ(bytes()[1], 0x06);
    apply_event_sources(state, kSlot, std::uint8_t{0xFF});  // all eight: any source
    EXPECT_EQ(bytes()[1], 0);
    choose_slot_entry(state, kSlot, event_common::kSource, 1);
    apply_event_sources(state, kSlot, std::uint8_t{0x80});
    choose_slot_entry(state, kSlot, event_common::kSource, 0);
    EXPECT_EQ(bytes()[1], 0);
}

TEST_F(SlotEditor, RefusedNumberKeepsTheRecordAndAsksForTheField) {
    bytes()[0] = static_cast<std::uint8_t>(EventKind::Timeout);
    const Record before = state.record;
    EditOutcome outcome = enter_slot_text(state, kSlot, "EditEventTimeout", "12 s");
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.message.en, "Enter a value in the specified position");
    EXPECT_EQ(outcome.focus, EditOutcome::Focus::Control);
    EXPECT_EQ(outcome.box_type, kBoxError);
    outcome = enter_slot_text(state, kSlot, "EditEventTimeout", "1000000001");
    EXPECT_EQ(outcome.message.en, "The value must be in the range from 0 to 1000000000");
    EXPECT_EQ(before.raw, state.record.raw);
    outcome = enter_slot_text(state, kSlot, "EditEventTimeout", "1500");
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(bytes()[3] | bytes()[4] << 8, 1500);
    EXPECT_EQ(shown("EditEventTimeout").text.en, "1500");
    EXPECT_EQ(shown("EditEventTimeout").unit.en, "mSec");
}

TEST_F(SlotEditor, ControlsOfAnotherKindsPageAreRefused) {
    const Record before = state.record;  // an empty slot: "Button" event, "USB key" reaction
    EXPECT_FALSE(choose_slot_entry(state, kSlot, "ComboBoxEventUSB", 1).accepted);
    EXPECT_FALSE(choose_slot_entry(state, kSlot, "ComboBoxReactionUSBMouseType", 1).accepted);
    EXPECT_FALSE(enter_slot_text(state, kSlot, "EditEventTimeout", "5").accepted);
    EXPECT_FALSE(click_slot_control(state, kSlot, "PanelReactionIRx").follow_up.size());
    EXPECT_FALSE(choose_slot_entry(state, kSlot, "NoSuchControl", 0).accepted);
    EXPECT_FALSE(choose_slot_entry(state, kSlotCount, event_common::kTrigger, 1).accepted);
    EXPECT_EQ(before.raw, state.record.raw);
}

TEST_F(SlotEditor, EventTextsTravelAsUtf8AndAreStoredAsWindows1251) {
    choose_event_kind(state, kSlot, static_cast<std::uint8_t>(EventKind::Serial));
    EXPECT_TRUE(enter_slot_text(state, kSlot, "EditEventSerial", "Привет, мир").accepted);
    EXPECT_EQ(bytes()[2], 0xCF);  // "П" in Windows-1251
    EXPECT_EQ(bytes()[9], 0x20);  // the eighth character, the blank
    EXPECT_EQ(shown("EditEventSerial").text.en, "Привет, ");
    EXPECT_EQ(shown("PanelEventSerialNamex").text.en, "From USB");
}

TEST_F(SlotEditor, ReactionEditsByName) {
    EXPECT_TRUE(enter_slot_text(state, kSlot, "EditReactionUSBKeyDlitmS", "150").accepted);
    EXPECT_EQ(bytes()[16], 1);
    EXPECT_EQ(shown("EditReactionUSBKeyDlitmS").text.en, "100");
    EXPECT_EQ(click_slot_control(state, kSlot, "PanelReactionUSBKeyx").follow_up, slot_follow_up::kKeyPicker);

    choose_reaction_kind(state, kSlot, static_cast<std::uint8_t>(ReactionKind::Pin));
    const EditOutcome pin = choose_slot_entry(state, kSlot, "ComboBoxEventReactionPinNUM", 2);  // X2/2 unconfigured
    EXPECT_FALSE(pin.accepted);
    EXPECT_EQ(pin.focus, EditOutcome::Focus::PinsPage);
    EXPECT_EQ(pin.box_type, kBoxWarning);
    EXPECT_EQ(pin.redraw, EditOutcome::Redraw::Page);
    EXPECT_FALSE(shown("ComboBoxEventReactionPinMODE").enabled);

    choose_reaction_kind(state, kSlot, static_cast<std::uint8_t>(ReactionKind::Encoder));
    choose_slot_entry(state, kSlot, "ComboBoxReactionEncoderMODE", 4);  // X5/7, X5/8
    EXPECT_TRUE(set_slot_number(state, kSlot, "SpinEditReactionEncoderDIR", -7).accepted);
    EXPECT_EQ(bytes()[13], 0xF9);
    const ControlView& steps = shown("SpinEditReactionEncoderDIR");
    EXPECT_EQ(steps.value, -7);
    EXPECT_EQ(steps.minimum, -100);
    EXPECT_EQ(steps.maximum, 100);
    EXPECT_FALSE(set_slot_number(state, kSlot, "SpinEditReactionEncoderDIR", 101).accepted);
    EXPECT_EQ(bytes()[13], 0xF9);

    choose_reaction_kind(state, kSlot, static_cast<std::uint8_t>(ReactionKind::Source));
    EditOutcome skip = click_slot_control(state, kSlot, "SpeedButtonReactionSRCSkipx");
    EXPECT_EQ(skip.follow_up, slot_follow_up::kSkipSources);
    EXPECT_EQ(source_window_request(state, kSlot, skip.follow_up).first_line.en, "Skip");
    apply_skip_sources(state, kSlot, std::uint8_t{0xFF});
    EXPECT_EQ(bytes()[13], 0xFF);  // skipping every source is stored as it is
    EXPECT_EQ(shown("SpeedButtonReactionSRCSkipx").bits, 0xFFu);
}

TEST_F(SlotEditor, ContextActionsActOnlyOnWhatIsThere) {
    EXPECT_FALSE(run_slot_action(state, kSlot, SlotAction::DeleteKey).accepted);
    EXPECT_FALSE(run_slot_action(state, kSlot, SlotAction::DeleteIrCode).accepted);
    bytes()[2] = 5;
    bytes()[4] = 2;
    bytes()[5] = 1;
    view = show();
    EXPECT_TRUE(view.can_delete_key);
    EXPECT_TRUE(view.can_delete_mod);
    EXPECT_EQ(view.control("PanelKeyx")->text.en, "1.[5] ?");
    EXPECT_TRUE(run_slot_action(state, kSlot, SlotAction::DeleteModKey).accepted);
    EXPECT_EQ(bytes()[4], 0);
    EXPECT_EQ(bytes()[2], 5);
    EXPECT_FALSE(show().can_delete_mod);

    choose_event_kind(state, kSlot, static_cast<std::uint8_t>(EventKind::IrCode));
    bytes()[2] = 0x10;
    bytes()[5] = 0x01;  // NEC
    bytes()[10] = 3;
    choose_reaction_kind(state, kSlot, static_cast<std::uint8_t>(ReactionKind::UsbMouse));
    view = show();
    EXPECT_TRUE(view.can_edit_ir_event);
    EXPECT_EQ(click_slot_control(state, kSlot, "PanelEventIRx").follow_up, slot_follow_up::kCaptureIrEvent);
    EXPECT_TRUE(run_slot_action(state, kSlot, SlotAction::DeleteIrCode).accepted);
    view = show();
    EXPECT_EQ(view.event_kind, 1);
    EXPECT_EQ(view.reaction_kind, 0);  // a code-less infrared event resets its reaction
    EXPECT_EQ(view.control("PanelEventIRx")->text.en, "Get the code");
}

TEST_F(SlotEditor, HostileInputIsBoundedAndLosesNothing) {
    choose_event_kind(state, kSlot, static_cast<std::uint8_t>(EventKind::Serial));
    bytes()[11] = static_cast<std::uint8_t>(ReactionKind::Serial);
    const std::string megabyte(1 << 20, 'A');
    EXPECT_TRUE(enter_slot_text(state, kSlot, "EditEventSerial", megabyte).accepted);
    EXPECT_EQ(bytes()[10] & 0x0F, 0) << "the text stays inside its eight bytes";
    EXPECT_TRUE(enter_slot_text(state, kSlot, "EditReactionSerial", megabyte).accepted);
    EXPECT_EQ(shown("EditReactionSerial").text.en, "AAAAA");
    // Broken UTF-8 and a NUL inside the text: stored as far as it converts, never beyond.
    EXPECT_TRUE(enter_slot_text(state, kSlot, "EditEventSerial", std::string("\xFF\xFEok\0zz", 7)).accepted);
    EXPECT_EQ(bytes()[11], static_cast<std::uint8_t>(ReactionKind::Serial));
    // Absurd positions, numbers and names are refused without a change.
    choose_event_kind(state, kSlot, static_cast<std::uint8_t>(EventKind::Lin));
    const Record before = state.record;
    EXPECT_FALSE(choose_slot_entry(state, kSlot, "ComboBoxEventLINx", 92).accepted);
    EXPECT_FALSE(choose_slot_entry(state, kSlot, "ComboBoxEventLINx", -5).accepted);
    EXPECT_FALSE(choose_slot_entry(state, kSlot, event_common::kTrigger, 4).accepted);
    EXPECT_FALSE(choose_slot_entry(state, kSlot, std::string_view("ComboBoxEventLINx\0", 18), 1).accepted);
    EXPECT_FALSE(choose_event_kind(state, kSlot, 27).accepted);
    EXPECT_FALSE(choose_reaction_kind(state, kSlot, 200).accepted);
    EXPECT_FALSE(set_slot_number(state, kSlot, "SpinEditReactionEncoderDIR", INT64_MIN).accepted);
    EXPECT_FALSE(rename_slot(state, kSlotCount + 7, "x").accepted);
    EXPECT_EQ(before.raw, state.record.raw);
}

TEST_F(SlotEditor, RenamingChangesTheCaptionOnlyOfAUsedSlot) {
    rename_slot(state, kSlot, "Дворники и ещё очень длинное имя слота");
    EXPECT_EQ(show().caption, "5");
    bytes()[11] = 8;
    EXPECT_EQ(show().caption, "5* (Дворники и ещё очень длинное имя)");  // 32 characters
}

}  // namespace
}  // namespace ztv
