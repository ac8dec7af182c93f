// The reaction pages as one table: each control of the 28 reaction pages with the page it is
// on, its metadata (the widget that draws it, how the value is shown and typed, its list and
// range, the captions around it) and where its value lives in the slot (first byte, bit shift
// and bit width of a little-endian field). Reading the record, writing it and building the
// page all use the same row.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "common/control_view.h"
#include "common/text.h"
#include "config/control_meta.h"
#include "config/record.h"
#include "events/reaction_catalogue.h"

namespace ztv {

// Lists whose entries depend on the slot or the record.
enum class ReactionListSource : std::uint8_t {
    Fixed,               // `items`
    EventManageTargets,  // "Power On", "1" ... "80"
    AmplifierActions,    // by the amplifier parameter
    CarDspParameters,    // by the CarDSP mode and type
    SwCanButtons,        // the button names the car type offers
};

// What choosing an entry does beyond storing it.
enum class ReactionRule : std::uint8_t {
    None,
    OutputPin,      // the pin must have an output mode on the "Pins" page
    PulsePin,       // likewise, for the IR output list
    EncoderPins,    // the pins must be free of the touch panel, GPS and head unit
    AmplifierTab,   // also selects the parameter's neutral action
    SwCanType,      // keeps the button list position under the new type
    SwCanButton,    // stores the code at the list position
};

// A control of a reaction page: its metadata (widget, codec, range, default, entries, texts)
// and where its value lives in the slot.
struct ReactionControlDef : ControlMeta {
    std::string_view name;
    ReactionControl control{};
    ReactionKind kind{};
    std::uint8_t byte = 0;   // first slot byte (12-16)
    std::uint8_t shift = 0;  // bit position within the little-endian field
    std::uint8_t width = 0;  // bits; 0 for controls without a value of their own
    ReactionListSource source = ReactionListSource::Fixed;
    ReactionRule rule = ReactionRule::None;
};

// Every reaction control, in page order within each kind.
std::span<const ReactionControlDef> reaction_control_defs();
const ReactionControlDef& reaction_control_def(ReactionControl control);
const ReactionControlDef* find_reaction_control(std::string_view name);
// The reaction kind whose page holds the control.
ReactionKind reaction_control_kind(ReactionControl control);

// The control's value as the table lays it out in the slot (Text and None give 0).
std::uint32_t read_reaction_field(std::span<const std::uint8_t, kSlotSize> slot, const ReactionControlDef& def);
// Writes the value into the field's bits; the other bits of its bytes are kept.
void write_reaction_field(std::span<std::uint8_t, kSlotSize> slot, const ReactionControlDef& def, std::uint32_t value);
std::uint32_t read_reaction_field(std::span<const std::uint8_t, kSlotSize> slot, ReactionControl control);
void write_reaction_field(std::span<std::uint8_t, kSlotSize> slot, ReactionControl control, std::uint32_t value);

// The entries of a list control for the slot as it stands.
std::vector<Text> reaction_list_items(const Record& record, std::size_t slot, const ReactionControlDef& def);

}  // namespace ztv
