#include "events/slot_captures.h"

#include <optional>

#include "events/event_catalogue.h"
#include "events/event_catalogue_edits.h"
#include "events/reaction_catalogue_edits.h"
#include "tools/ir_capture.h"

namespace ztv {
namespace {

constexpr std::size_t kEventCodeByte = kEventParamByte;
constexpr std::size_t kReactionCodeByte = kReactionFirstByte + 1;

EditOutcome outcome(bool accepted, EditOutcome::Redraw redraw) {
    EditOutcome result;
    result.accepted = accepted;
    result.redraw = redraw;
    return result;
}

std::span<std::uint8_t, 4> code_bytes(ConfigState& state, std::size_t slot, IrCodeList which) {
    const std::size_t first = which == IrCodeList::Event ? kEventCodeByte : kReactionCodeByte;
    return state.record.slot(slot).subspan(first).first<4>();
}

PickerReaction reaction_bytes(ConfigState& state, std::size_t slot) {
    return state.record.slot(slot).subspan<kReactionFirstByte, kReactionSize>();
}

// What a capture that brought no code means to the editor: a failure leaves the page as it
// is, "no code" redraws it. Nothing when a code came.
std::optional<EditOutcome> without_code(const IrCaptureResult& capture) {
    switch (capture.status) {
        case IrCaptureResult::Status::Failed: return outcome(false, EditOutcome::Redraw::Nothing);
        case IrCaptureResult::Status::NoCode: return outcome(false, EditOutcome::Redraw::Page);
        case IrCaptureResult::Status::Code: break;
    }
    return std::nullopt;
}

}  // namespace

EditOutcome capture_ir_for_event(Protocol& protocol, bool connected, ConfigState& state, std::size_t slot) {
    if (slot >= kSlotCount) return outcome(false, EditOutcome::Redraw::Nothing);
    const IrCaptureResult capture = fetch_ir_code(protocol, connected);
    if (const std::optional<EditOutcome> without = without_code(capture)) return *without;
    return store_captured_ir_event(state.record, slot, capture.code);
}

EditOutcome capture_ir_for_reaction(Protocol& protocol, bool connected, ConfigState& state, std::size_t slot) {
    if (slot >= kSlotCount) return outcome(false, EditOutcome::Redraw::Nothing);
    const IrCaptureResult capture = fetch_ir_code(protocol, connected);
    if (const std::optional<EditOutcome> without = without_code(capture)) return *without;
    const std::array<std::uint8_t, 4> code = {
        static_cast<std::uint8_t>(capture.code), static_cast<std::uint8_t>(capture.code >> 8),
        static_cast<std::uint8_t>(capture.code >> 16), static_cast<std::uint8_t>(capture.code >> 24)};
    const EditOutcome edit = accept_captured_ir_reaction(state.record, slot, code);
    if (!edit.accepted) {
        protocol.host().show_message(edit.box_type, edit.message);
        return outcome(false, EditOutcome::Redraw::Nothing);
    }
    return outcome(true, EditOutcome::Redraw::Page);
}

EditOutcome capture_touch_for_reaction(Protocol& protocol, bool connected, ConfigState& state, std::size_t slot,
                                       const TouchCaptureDisplay& display) {
    if (slot >= kSlotCount) return outcome(false, EditOutcome::Redraw::Nothing);
    const std::optional<TouchPoint> point = capture_touch_point(protocol, connected, display);
    if (!point) return outcome(false, EditOutcome::Redraw::Nothing);
    const EditOutcome edit = accept_captured_touch(state.record, slot, point->x, point->y);
    return outcome(edit.accepted, EditOutcome::Redraw::Page);
}

IrCodeEditorView open_slot_ir_code(const ConfigState& state, std::size_t slot, IrCodeList which) {
    if (slot >= kSlotCount) return open_ir_code_editor(std::array<std::uint8_t, 4>{}, which);
    const std::size_t first = which == IrCodeList::Event ? kEventCodeByte : kReactionCodeByte;
    return open_ir_code_editor(state.record.slot(slot).subspan(first).first<4>(), which);
}

EditOutcome apply_slot_ir_code(ConfigState& state, std::size_t slot, IrCodeList which, std::string_view protocol,
                               std::string_view address, std::string_view command) {
    if (slot >= kSlotCount) return outcome(false, EditOutcome::Redraw::Nothing);
    const IrCodeEditorResult result = apply_ir_code_editor(code_bytes(state, slot, which), protocol, address, command);
    if (result.completed) return outcome(true, EditOutcome::Redraw::Page);
    EditOutcome refused = outcome(false, EditOutcome::Redraw::Nothing);
    refused.message = result.message;
    refused.box_type = kBoxError;
    return refused;
}

// The picker edits a USB key reaction only: any other reaction stays as it is.
EditOutcome click_slot_picker_key(ConfigState& state, std::size_t slot, std::string_view key_name) {
    if (slot >= kSlotCount || !slot_picker_view(state, slot).usb_reaction ||
        !click_picker_key(reaction_bytes(state, slot), key_name))
        return outcome(false, EditOutcome::Redraw::Nothing);
    return outcome(true, EditOutcome::Redraw::Page);
}

EditOutcome enter_slot_picker_code(ConfigState& state, std::size_t slot, PickerField field, std::string_view text) {
    if (slot >= kSlotCount || !slot_picker_view(state, slot).usb_reaction)
        return outcome(false, EditOutcome::Redraw::Nothing);
    enter_picker_code(reaction_bytes(state, slot), field, text);
    return outcome(true, EditOutcome::Redraw::Page);
}

PickerView slot_picker_view(const ConfigState& state, std::size_t slot) {
    if (slot >= kSlotCount) return {};
    return picker_view(state.record.slot(slot).subspan<kReactionFirstByte, kReactionSize>());
}

}  // namespace ztv
