// The short texts that name what a slot holds: button labels, infrared codes, CAN keys, USB
// keys, the skip mask of a "Source" reaction and the Serial preview. They are built when a slot
// is shown and never stored in the record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "catalogues/ir_protocols.h"
#include "common/text.h"
#include "config/record.h"

namespace ztv {

using SlotBytes = std::span<const std::uint8_t, kSlotSize>;
using ReactionBytes = std::span<const std::uint8_t, kSlotSize - kSlotEventSize>;  // slot bytes 11-16

// Label of a learned button (channel 0-3, key 1-15) or encoder direction (channel 4, key 1-4):
// the button grid's text, or "Enc1+ ?" ... / "%d.[%d] ?" (channel + 1, key) when it has none.
std::string button_label(const Record& record, unsigned key_number, unsigned channel);

// "%s %u/%u" (protocol, address, command) of an event code; CAN AUTO codes name the car key;
// "Get the code" for a protocol that is no code.
Text ir_event_text(IrCodeBytes code);
// The same for a reaction code, with the reaction's protocol names.
Text ir_reaction_text(IrCodeBytes code);

// The line that summarises a "USB key" reaction; empty for another kind or when nothing is set.
Text usb_key_text(ReactionBytes reaction);
// The text box of the "USB key" page: two lines of two blanks, then the summary or
// "Not specified".
Text usb_key_box_text(ReactionBytes reaction);

// "Skip: " and the sources, or "Skip:  no" for an empty mask. (The event's source list text is
// slots::source_list_text.)
Text skip_text(std::uint8_t mask);

// The Serial reaction's read-only preview: "on press <press:VALUE>", or with "event%02d" of the
// slot number (1-80) when the value is empty.
Text serial_preview(SlotBytes slot, std::size_t slot_index);

}  // namespace ztv
