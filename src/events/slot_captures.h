// The editor's actions that fill a slot from the controller or from a small window: infrared
// capture for the event and for the reaction, touch-point capture, the IR code editor's "OK"
// and the key picker's clicks. Each stores into the slot and answers with an EditOutcome; the
// boxes and notices of the captures are shown on the way (tools/ir_capture.h, touch_capture.h).
#pragma once

#include <cstddef>
#include <string_view>

#include "common/control_view.h"
#include "config/config_state.h"
#include "device/protocol.h"
#include "tools/ir_code_editor.h"
#include "tools/key_picker.h"
#include "tools/touch_capture.h"

namespace ztv {

// A received code makes the slot an "IR code" event with that code (a disabled trigger becomes
// "Any"; every other byte is kept). Redraws unless the capture failed.
EditOutcome capture_ir_for_event(Protocol& protocol, bool connected, ConfigState& state, std::size_t slot);
// A received code of a protocol a reaction may send makes the slot's reaction "Send IR code"
// with it; any other protocol is refused with an information box and changes nothing.
EditOutcome capture_ir_for_reaction(Protocol& protocol, bool connected, ConfigState& state, std::size_t slot);

// "Get touch point": a caught point becomes X and Y of the slot's "USB Touch" reaction, held
// for 200 ms. Should the slot hold another reaction by the time the point arrives (the capture
// lets the window work for up to 10 s), nothing is stored.
EditOutcome capture_touch_for_reaction(Protocol& protocol, bool connected, ConfigState& state, std::size_t slot,
                                       const TouchCaptureDisplay& display);

// The IR code editor on the slot's event code (bytes 2-5) or reaction code (bytes 12-15).
IrCodeEditorView open_slot_ir_code(const ConfigState& state, std::size_t slot, IrCodeList which);
// "OK": stores as apply_ir_code_editor says; a field that is not a whole number gives the
// error box's message and no redraw.
EditOutcome apply_slot_ir_code(ConfigState& state, std::size_t slot, IrCodeList which, std::string_view protocol,
                               std::string_view address, std::string_view command);

// The key picker on the slot's reaction.
EditOutcome click_slot_picker_key(ConfigState& state, std::size_t slot, std::string_view key_name);
EditOutcome enter_slot_picker_code(ConfigState& state, std::size_t slot, PickerField field, std::string_view text);
PickerView slot_picker_view(const ConfigState& state, std::size_t slot);

}  // namespace ztv
