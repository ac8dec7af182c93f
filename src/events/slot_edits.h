// Every change the slot editor makes, as one core call by control name that answers with an
// EditOutcome. The view hands over what the user did (an entry chosen, a box ticked, a text
// committed with Enter, a number spun, a button clicked) and then does what the outcome says:
// show its message, redraw the slot with display_slot(), put the focus back, or run the
// follow-up it names (a window or a capture) and hand its result to the matching call below.
// Texts cross this API as UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/control_view.h"
#include "config/config_state.h"
#include "events/slot_model.h"

namespace ztv {

// Follow-ups an edit may name in EditOutcome::follow_up.
namespace slot_follow_up {
inline constexpr std::string_view kEventSources = "EventSources";      // source window for the event; then apply_event_sources
inline constexpr std::string_view kSkipSources = "SkipSources";        // source window for the skip mask; then apply_skip_sources
inline constexpr std::string_view kCaptureIrEvent = "CaptureIrEvent";  // capture_ir_event (tools/ir_capture.h)
inline constexpr std::string_view kCaptureIrReaction = "CaptureIrReaction";  // capture_ir_reaction
inline constexpr std::string_view kKeyPicker = "KeyPicker";            // open the key picker for the slot
inline constexpr std::string_view kTouchPoint = "TouchPoint";          // capture_touch_point (tools/touch_capture.h)
}  // namespace slot_follow_up

// A user's action on a control of the slot's pages, found by the action's name: the value goes
// through the control's metadata (config/control_dispatch.h) into the slot. Lists take the
// entry's index, tick boxes 0 or 1, fields the text committed with Enter (UTF-8; a refused
// number keeps the record and asks for the focus back on the field, Focus::Control, with the
// message to show), the steps spin the number; a click on a button toggles the voltage
// comparison or names a follow-up. A control of a page the slot does not show is refused.
EditOutcome edit_slot(ConfigState& state, std::size_t slot, const ControlAction& action);

// Results of the source windows: nullopt when the window was closed without "OK". The event's
// mask of no source or all eight is stored as 0 ("Any"); the skip mask is stored as it comes.
EditOutcome apply_event_sources(ConfigState& state, std::size_t slot, std::optional<std::uint8_t> mask);
EditOutcome apply_skip_sources(ConfigState& state, std::size_t slot, std::optional<std::uint8_t> mask);

// The two caption lines of the source window for a follow-up ("Event on" / "sources:",
// "Skip" / "sources:"), and the mask to pre-tick, read from the slot.
struct SourceWindowRequest {
    Text first_line;
    Text second_line;
    std::uint8_t mask = 0;
};
SourceWindowRequest source_window_request(const ConfigState& state, std::size_t slot, std::string_view follow_up);

// The kind tabs and the kind menus: another kind clears that half first; the same changes nothing.
EditOutcome choose_event_kind(ConfigState& state, std::size_t slot, std::uint8_t kind);
EditOutcome choose_reaction_kind(ConfigState& state, std::size_t slot, std::uint8_t kind);

// The context-menu actions of the editor. An action that would act on nothing (deleting a key
// that is not set, an infrared code of a slot of another kind) is refused without a message.
enum class SlotAction : std::uint8_t { DeleteEvent, DeleteReaction, DeleteKey, DeleteModKey, DeleteIrCode };
EditOutcome run_slot_action(ConfigState& state, std::size_t slot, SlotAction action);

// A learned button dropped on "Button" or "Mod" (accepted or refused by slots::drop_accepted).
EditOutcome drop_slot_button(ConfigState& state, std::size_t slot, slots::DropTarget target,
                             slots::DraggedButton button);

// The slot-name window's "OK": the name (UTF-8) cut to 32 characters; the tab captions change.
EditOutcome rename_slot(ConfigState& state, std::size_t slot, std::string_view utf8);

}  // namespace ztv
