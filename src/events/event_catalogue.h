// Every kind of event a slot can hold: its page title, the lists and numeric fields that give
// its parameter bytes a meaning, and the rule for its trigger type, "One time only", "Wake Up"
// and source mask. The kind code is slot byte 0 and the position of its page in the editor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/text.h"

namespace ztv {

inline constexpr std::uint8_t kEventKindCount = 27;

enum class EventKind : std::uint8_t {
    Button, IrCode, Source, Area, Timeout, BmwIbus, Intercept, Voltage, Usb, Iebus, Navi, Gestures, IDrive,
    GaNet, MercedesJoy, Serial, Pins, MdxJoy, Lin, Bluetooth, Uart, AudiMmi, RenaultJoy, HondaKeys, SwCan,
    MercedesCtrl, PorsheKeys,
};

// Slot bytes of the event half.
inline constexpr std::size_t kEventKindByte = 0;
inline constexpr std::size_t kSourceMaskByte = 1;
inline constexpr std::size_t kEventParamByte = 2;  // first of eight parameter bytes
inline constexpr std::size_t kEventParamCount = 8;
inline constexpr std::size_t kEventFlagsByte = 10;
inline constexpr unsigned kOnceBit = 4;
inline constexpr unsigned kWakeUpBit = 5;

// Trigger types (bits 0-3 of the flag byte), in list order.
enum TriggerType : unsigned { kTriggerDisabled = 0, kTriggerShort = 1, kTriggerLong = 2, kTriggerAny = 3 };
inline constexpr unsigned kTriggerTypeCount = 4;

// Which trigger types a kind admits.
enum class TriggerOffer : std::uint8_t {
    All,            // "Disabled", "Short", "Long", "Any"
    DisabledOrAny,  // single happenings
};

// How a kind treats "One time only".
enum class OnceRule : std::uint8_t {
    Free,               // the user decides (still cleared while the type is "Disabled" or "Short")
    ForcedOn,
    ForcedOff,
    OnForEntriesOrShort,  // forced on for the listed entries of byte 2 or a "Short" type, else free
    OnForEntries,         // forced on for the listed entries of byte 2, else free
};

// What the listed entries of byte 2 do to the trigger type.
enum class EntryTrigger : std::uint8_t {
    None,
    DisabledOrAny,  // entries that are single happenings (rotations, gestures)
    BecomesShort,   // any type but "Disabled" turns into "Short"
};

struct EventKindDef {
    TextPair title;
    TriggerOffer triggers;
    OnceRule once;
    bool wake_up_allowed;
    bool source_allowed;  // false: the mask is forced to 0 ("Any") and cannot be chosen
    std::span<const std::uint8_t> special_entries;  // byte-2 entries with their own rule
    EntryTrigger entry_trigger;
};

// The 27 kinds by code. The "Button" and "IR code" rules depend on what the slot holds; their
// entries give the rule with a resistive main button or a valid code.
std::span<const EventKindDef> event_kinds();
const EventKindDef& event_kind(std::uint8_t code);  // code below kEventKindCount
// The window's sheet that carries a kind's title, for the kinds that have one; else nullptr.
const char* event_kind_sheet(EventKind kind);

// "Disabled", "Short", "Long", "Any".
std::span<const TextPair> trigger_type_names();

// Parameter lists of the event pages, in page order within each kind.
enum class EventChoice : std::uint8_t {
    Area, TimeoutStart, Ibus, Intercept, VoltageInput, VoltageComparison, UsbState, Iebus, NaviMute,
    GestureStart, GestureEnd, IDrive, GaNet, MercedesJoy, PinInput, PinLevel, MdxJoy, Lin, BluetoothState,
    AudiMmi, RenaultJoy, HondaKeys, SwCan, MercedesCtrl, PorsheKeys,
};

struct EventChoiceDef {
    EventChoice id;
    std::uint8_t kind;
    std::uint8_t byte;  // slot byte holding the entry's position
    std::span<const TextPair> (*items)();
};

// Numeric fields of the event pages.
enum class EventNumber : std::uint8_t { TimeoutTime, VoltageThreshold, VoltageDuration, PinDuration };

struct EventNumberDef {
    EventNumber id;
    std::uint8_t kind;
    std::uint8_t byte;   // first slot byte of the little-endian value
    std::uint8_t width;  // 1, 2 or 4 bytes
    std::uint32_t min;
    std::uint32_t max;
};

// "Serial" and "UART" events: the text's characters, Windows-1251, in the parameter bytes.
inline constexpr std::uint8_t kEventTextSize = 8;

std::span<const EventChoiceDef> event_choices();
const EventChoiceDef& event_choice(EventChoice id);
std::span<const EventNumberDef> event_numbers();
const EventNumberDef& event_number(EventNumber id);

// The lists themselves (also read by the descriptions).
namespace event_lists {
std::span<const TextPair> areas();           // A: nine touch-panel areas
std::span<const TextPair> gesture_ends();    // G: four moves and the nine areas
std::span<const TextPair> timeout_starts();  // "On power up", "On response 1" ... "On response 80"
std::span<const TextPair> activation();      // "When activate", "When deactivate"
std::span<const TextPair> navi_mute();       // "When MUTE activate", "When MUTE deactivate"
std::span<const TextPair> voltage_inputs();  // V: six inputs
std::span<const TextPair> comparison();      // "<", ">"
std::span<const TextPair> pin_inputs();      // P: 19 pins
std::span<const TextPair> pin_levels();      // "log. 0", "log. 1"
}  // namespace event_lists

inline constexpr std::uint8_t kVoltageGazerInput = 5;  // measured in centimetres, not millivolts

// Texts the event pages set themselves.
namespace event_texts {
TextPair millivolts();       // "mV"
TextPair centimetres();      // "cm"
TextPair milliseconds();     // "mSec"
TextPair get_the_code();     // IR event without a code
TextPair from_uart();
TextPair from_bluetooth();
TextPair from_usb();
}  // namespace event_texts

}  // namespace ztv
