// What the reaction page does with the user's input: each call stores one control's new value
// into the slot by the row of the reaction control table (or refuses it) and answers with an
// EditOutcome. Texts are UTF-8. The editor then redraws the slot with display_slot(); it
// applies no rule of its own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/control_view.h"
#include "config/record.h"
#include "events/reaction_catalogue.h"
#include "events/reaction_controls.h"

namespace ztv {

// A user's action on a control of the reaction page: the value goes through the control's
// metadata (config/control_dispatch.h) into its place in the slot. Lists take the position
// (the amplifier's parameter tabs too; output pins and encoder connections are checked against
// the pins in use), tick boxes 0 or 1, the steps spin the number, fields the typed text.
EditOutcome edit_reaction(Record& record, std::size_t slot, ReactionControl control, const ControlAction& action);

// The sources to skip of a "Source" reaction (from the source choice window).
EditOutcome set_skip_mask(Record& record, std::size_t slot, std::uint8_t mask);

// The last infrared code the controller received (command, address low, address high,
// protocol/extra), to become the slot's "Send IR code" reaction. The output pin is kept.
// A code whose protocol a reaction may not take is refused with the information message.
EditOutcome accept_captured_ir_reaction(Record& record, std::size_t slot, const std::array<std::uint8_t, 4>& code);

// A touch point captured on the panel: the slot's "USB Touch" reaction presses there for 200 ms.
EditOutcome accept_captured_touch(Record& record, std::size_t slot, unsigned x, unsigned y);

}  // namespace ztv
