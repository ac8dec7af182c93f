// Which functions hold which pins. The occupation is recomputed from the record at every page
// refresh: a held pin's list is disabled, its first entry names the holder, and a pin mode set
// before the function took the pin is reset to 0 (the change sender then tells the controller).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/text.h"
#include "config/field_table.h"
#include "config/pins.h"

namespace ztv {

// The functions that mark the pins they hold, in the order the occupation pass visits them
// (a later one overwrites an earlier one's name on a shared pin).
enum class Occupant : std::uint8_t {
    Touchpanel, IrInput, Encoder1, Encoder2, Gps, HeadUnit, Cap2Res, Bluetooth, Uart, Gazer, CarDsp
};
inline constexpr std::size_t kOccupantCount = 11;

FieldId occupant_field(Occupant occupant);
std::optional<Occupant> occupant_of(FieldId field);  // nullopt: the field marks no pins
TextPair occupant_name(Occupant occupant);           // the text shown on the pins it holds

// The pins that a value of the occupant's field holds (empty for "Disabled", for values that
// use no configurable pin and for values outside the field's list).
std::span<const Pin> occupied_pins(Occupant occupant, unsigned value);

// How one pin list is to be shown after the pass.
struct PinListState {
    bool enabled = true;                 // false while a function holds the pin
    std::optional<Occupant> occupant;    // the last occupant that holds it
    TextPair first_item{};               // text of entry 0: the occupant's name or the list's own
    std::uint8_t selected = 0;           // the pin mode to select (0 on a held pin)
};

struct PinOccupation {
    std::array<PinListState, kPinCount> pins{};
    std::vector<Pin> resets;  // held pins whose nonzero mode the pass sets to 0, in pin order

    const PinListState& operator[](Pin pin) const { return pins[pin_index(pin)]; }
    bool held(Pin pin) const { return !(*this)[pin].enabled; }
};

// The pass without touching the record: what the lists show and which modes it resets.
// Occupants named in `ignore` are left out (a field being changed does not block itself).
PinOccupation occupy(const Record& record, std::optional<Occupant> ignore = std::nullopt);
// The pass as a refresh runs it: computes the occupation and writes the resets.
PinOccupation run_occupation_pass(Record& record);

}  // namespace ztv
