// The checks run when the user changes a pin-taking choice. Each check only reads the record
// and returns its verdict: whether the choice is accepted, the message to show, and the writes
// that carry the outcome into the record (a refused choice often still writes, e.g. stores
// "Disabled"). A view applies the writes, shows the message and refreshes; it needs no rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/host.h"
#include "common/text.h"
#include "config/field_table.h"
#include "config/pins.h"
#include "config/record.h"

namespace ztv {

// One change of the record: a named field, a pin-mode byte, or one byte of an event/reaction slot.
struct RecordWrite {
    enum class Target : std::uint8_t { Field, PinMode, SlotByte };

    Target target = Target::Field;
    FieldId field = FieldId::Count;  // Field
    Pin pin = Pin::X2_2;             // PinMode
    std::uint8_t slot = 0;           // SlotByte: slot index 0-79
    std::uint8_t byte = 0;           // SlotByte: byte within the slot 0-16
    std::uint32_t value = 0;

    static RecordWrite to_field(FieldId id, std::uint32_t value);
    static RecordWrite to_pin_mode(Pin pin, std::uint8_t mode);
    static RecordWrite to_slot(std::size_t slot, std::size_t byte, std::uint8_t value);
    void apply(Record& record) const;
    bool operator==(const RecordWrite&) const = default;
};

struct PinCheck {
    bool accepted = true;
    Text message;                       // empty: nothing to show
    int box_type = kBoxInformation;     // message box type for the message
    std::vector<RecordWrite> writes;    // to apply whether accepted or not
    bool show_pins_page = false;        // switch the parameter pages to "Pins" first
    bool ask_touch_sources = false;     // touch "Source...": ask for the sources, then finish_touch_sources
};

void apply(Record& record, const PinCheck& check);

// True for the parameter fields whose change is checked against the pins in use.
bool is_pin_checked(FieldId field);

// The check for a new list index (or box state) of a parameter field. Fields without a pin
// rule are accepted and stored as they are; a value beyond the field's list is refused
// without a message and changes nothing.
PinCheck check_pin_change(const Record& record, FieldId field, std::uint32_t new_value);

// A choice in a pin's own list on the "Pins" page: stored as it is, except that the list of a
// pin held by a function cannot change (refused without a message) and values beyond the list.
PinCheck check_pin_mode_change(const Record& record, Pin pin, std::uint8_t mode);

// Touch mode "Source..." once the sources were asked for: `chosen` is the confirmed mask, or
// nullopt when the user cancelled (the current interception mask stays). A nonzero mask
// stores mode 4 with it; a zero mask switches the touch panel off.
PinCheck finish_touch_sources(const Record& record, std::optional<std::uint8_t> chosen);

// Output pins chosen in a reaction need the pin configured on the "Pins" page first. A
// refusal stores 0 in the slot byte, switches to the "Pins" page and warns.
enum class OutputPinList : std::uint8_t {
    Pulse,   // "Disabled", X2/2 ... X4/3, X5/7, X5/8, X6/2 ... X6/6 (the IR-output pin)
    Output,  // "Not defined", "Power boost", X2/2 ... X4/3, X5/6, X5/7, X5/8, X6/2 ... X6/6, ...
};
PinCheck check_reaction_output_pin(const Record& record, OutputPinList list, std::size_t slot, std::size_t byte,
                                   std::uint8_t value);

// Encoder emulation connection (0 "Disabled", 1 X2/2+X2/3, 2 X2/4+X2/5, 3 X4/2+X4/3,
// 4 X5/7+X5/8, 5 X6/2+X6/3, 6 X6/5+X6/6). A refusal warns and leaves the slot unchanged.
PinCheck check_encoder_emulation(const Record& record, std::size_t slot, std::size_t byte, std::uint8_t value);

}  // namespace ztv
