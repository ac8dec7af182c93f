// What the reaction page does with the user's input: each call stores one control's new value
// into the slot (or refuses it) and says what to show. The editor then redraws the slot with
// display_slot(); it applies no rule of its own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/host.h"
#include "common/text.h"
#include "config/record.h"
#include "events/reaction_catalogue.h"
#include "tools/ir_capture.h"

namespace ztv {

struct ReactionEdit {
    bool accepted = true;          // false: refused; the slot keeps its value, or 0 where a rule says so
    Text message;                  // empty: nothing to show
    int box_type = kBoxError;      // message box type for the message
    bool show_pins_page = false;   // switch the parameter pages to "Pins" before showing it
    bool is_notice = false;        // show the message as a short notice, not a box
};

// The reaction kind whose page holds the control.
ReactionKind reaction_control_kind(ReactionControl control);

// A choice in one of the page's lists (or the amplifier's parameter tabs), by list position.
// Output pins and encoder connections are checked against the pins in use.
ReactionEdit choose_reaction_entry(Record& record, std::size_t slot, ReactionControl list, int position);

// Enter pressed in a field: numbers (digits only, range checked), voltages, autorepeat
// intervals, Serial/UART values and hexadecimal custom codes, each by its own rule.
ReactionEdit enter_reaction_text(Record& record, std::size_t slot, ReactionControl field, std::string_view utf8);

// A check box of the page.
ReactionEdit set_reaction_check(Record& record, std::size_t slot, ReactionControl check, bool checked);

// The encoder steps spin field, -100 to 100.
ReactionEdit set_encoder_steps(Record& record, std::size_t slot, int steps);

// The sources to skip of a "Source" reaction (from the source choice window).
ReactionEdit set_skip_mask(Record& record, std::size_t slot, std::uint8_t mask);

// The last infrared code the controller received (command, address low, address high,
// protocol/extra), to become the slot's "Send IR code" reaction. The output pin is kept.
ReactionEdit accept_captured_ir_reaction(Record& record, std::size_t slot, const std::array<std::uint8_t, 4>& code);

// A touch point captured on the panel: the slot's "USB Touch" reaction presses there for 200 ms.
ReactionEdit accept_captured_touch(Record& record, std::size_t slot, unsigned x, unsigned y);

}  // namespace ztv
