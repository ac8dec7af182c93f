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

// A choice in one of the page's lists (or the amplifier's parameter tabs), by list position.
// Output pins and encoder connections are checked against the pins in use.
EditOutcome choose_reaction_entry(Record& record, std::size_t slot, ReactionControl list, int position);

// Enter pressed in a field: numbers (digits only, range checked), voltages, autorepeat
// intervals, Serial/UART values and hexadecimal custom codes, each by its codec.
EditOutcome enter_reaction_text(Record& record, std::size_t slot, ReactionControl field, std::string_view utf8);

// A check box of the page.
EditOutcome set_reaction_check(Record& record, std::size_t slot, ReactionControl check, bool checked);

// A spin field (the encoder steps, -100 to 100).
EditOutcome set_reaction_number(Record& record, std::size_t slot, ReactionControl spin, std::int64_t value);

// The sources to skip of a "Source" reaction (from the source choice window).
EditOutcome set_skip_mask(Record& record, std::size_t slot, std::uint8_t mask);

// The last infrared code the controller received (command, address low, address high,
// protocol/extra), to become the slot's "Send IR code" reaction. The output pin is kept.
// A code whose protocol a reaction may not take is refused with the information message.
EditOutcome accept_captured_ir_reaction(Record& record, std::size_t slot, const std::array<std::uint8_t, 4>& code);

// A touch point captured on the panel: the slot's "USB Touch" reaction presses there for 200 ms.
EditOutcome accept_captured_touch(Record& record, std::size_t slot, unsigned x, unsigned y);

}  // namespace ztv
