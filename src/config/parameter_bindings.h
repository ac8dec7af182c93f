// The parameter pages as data: the 25 pages in tab order and one binding row per control,
// saying which part of the record the control shows, how a shown value becomes a stored one,
// what an edit checks and what the page refresh decides about it. The refresh, the edits, the
// language switch, the Qt pages and ztv-tool all read these rows, so a control is one row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/text.h"
#include "config/control_meta.h"
#include "config/field_table.h"
#include "config/pins.h"

namespace ztv {

enum class ParamPage : std::uint8_t {
    Pins, Sources, Keys, Touchpanel, IrInput, Control, Encoders, GpsPort, HeadUnit, ExternalNavi, Iebus, CanBus,
    IDrive, IBus, Cap2Res, GaNet, Lin, Bluetooth, Ps2, Uart, AudiMmi, CarDsp, ResEmul, GazerPa, MercedesCtrl,
};
inline constexpr std::size_t kParamPageCount = 25;

struct ParamPageDef {
    ParamPage id;
    const char* sheet;  // the page's name ("TabSheetPINS") in views, tests and the translation table
    TextPair caption;   // a fixed caption carries the same text twice
    bool translated;    // false: the caption is a product name, the same in both languages
};

// The pages in tab order (position = ParamPage value).
std::span<const ParamPageDef> parameter_pages();
const ParamPageDef& parameter_page(ParamPage page);

// What a control does beyond the plain rule of its value codec.
enum class BindingKind : std::uint8_t {
    Plain,        // the codec alone: lists, tick boxes, edits, spins, check lists, buttons, notes
    SourceMask,   // "Any" / a second entry that asks for the sources (0 and 255 store 0)
    SourceNames,  // eight rows "1" ... "8" of at most five characters
    PinMode,      // a pin's own list on the "Pins" page
    FixedList,    // shows its only entry and stores nothing (data bits "8", stop bits "1")
};

// What an edit passes before the value is stored.
enum class BindingCheck : std::uint8_t {
    None,
    PinRule,         // the pin and module checks (check_pin_change)
    IebusFunctions,  // the IEBUS function exclusions
};

// What a control is bound to when it is not a record field.
enum class BindingTarget : std::uint8_t {
    Field,        // `field`
    LongPress,    // the long-press time-out, header word 0
    SourceNames,  // record offsets 1966-2005
    PinMode,      // `pin`'s mode byte
    TouchOffset,  // "Offset 10% when setting": PC-side, read by the touch calibration
    None,
};

// When the refresh enables (or shows) a control; Always for most.
enum class Dependency : std::uint8_t {
    Always,
    Encoder1Used,        // encoder 1 mode not 0
    Encoder2Used,
    IrInputChosen,       // an IR input is chosen
    GpsConnected,
    GpsFormat,           // GPS connected and its rate is not "according to USB"
    HeadUnitConnected,
    ExtNaviConnected,
    SeveralSources,      // pulse source count index not 0
    PulsePinChosen,      // several sources and a pulse pin chosen
    GanetInspire,        // GaNet mode "INSPIRE"
    UartConnected,
    AmplifierControls,   // IEBUS "Amplifier controls" ticked
    IebusCoordinates,    // one of the IEBUS functions 0, 5, 7, 8, 9 set
    IdriveOffline,       // iDrive mode "Offline"
    CarDspConnected,
    SendNames,           // "Send the Name" ticked
    NoCap2Res,           // CAP2RES module not connected
    Cap2Res,             // CAP2RES module connected
};

// A control of a page: its metadata (widget, codec, range, default, entries, texts; a label of
// a list, an edit or a spin is a caption of its own, `label_name`, while a tick box, a button or
// a note carries its text itself) and what it is bound to.
struct ParamBinding : ControlMeta {
    ParamPage page = ParamPage::Pins;
    const char* control = "";  // the control's name, as the program names it ("ComboBoxGPSNUM")
    BindingKind kind = BindingKind::Plain;
    BindingTarget target = BindingTarget::None;
    FieldId field = FieldId::Count;  // Field target
    Pin pin = Pin::X2_2;             // PinMode target
    bool refresh = true;             // the edit ends with the page refresh
    BindingCheck check = BindingCheck::None;
    Dependency enabled_when = Dependency::Always;
    Dependency visible_when = Dependency::Always;
    std::uint8_t group = 0;  // layout: rows with the same group share a box, in table order

    // The entries the control offers (its own, or its field's or pin's).
    std::span<const TextPair> entries() const { return items; }
};

// One box of a page's layout; a group without a caption is drawn as a plain box.
struct ParamGroup {
    ParamPage page;
    std::uint8_t group;
    const char* name;  // the caption's control name, nullptr when there is none
    TextPair caption;
};

// Every control of every page, pages in tab order, controls in page order.
std::span<const ParamBinding> parameter_bindings();
std::span<const ParamBinding> page_bindings(ParamPage page);
const ParamBinding* find_binding(std::string_view control);  // nullptr for an unknown or empty name
// The control bound to a record field, nullptr when no page shows it.
const ParamBinding* binding_of(FieldId field);
std::span<const ParamGroup> parameter_groups();

}  // namespace ztv
