// The reaction catalogue: the 28 kinds of reaction a slot can hold (slot byte 11), the meaning
// of their parameter bytes 12-16, the choice lists that give those bytes their texts, and the
// ranges the editor enforces. Lists are Russian/English pairs; names that read the same in both
// languages (pins, bus identifiers) carry the same text twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/text.h"

namespace ztv {

inline constexpr std::size_t kReactionKindCount = 28;
inline constexpr std::size_t kReactionKindByte = 11;   // slot byte holding the kind
inline constexpr std::size_t kReactionFirstByte = 11;  // the reaction half: bytes 11-16
inline constexpr std::size_t kReactionSize = 6;

enum class ReactionKind : std::uint8_t {
    UsbKey = 0,
    SendIr = 1,
    Pin = 2,
    Control = 3,
    Source = 4,
    UsbTouch = 5,
    EventManage = 6,
    Amplifier = 7,
    UsbMouse = 8,
    Encoder = 9,
    Iebus = 10,
    Idrive = 11,
    Ibus = 12,
    Serial = 13,
    CursorMove = 14,
    MdxJoy = 15,
    Uart = 16,
    Lin = 17,
    AudiMmi = 18,
    CarDsp = 19,
    Panacea = 20,
    ResEmul = 21,
    RCanJoy = 22,
    SwCan = 23,
    Ganet = 24,
    CruiseBmwDme = 25,
    MercedesCtrl = 26,
    PorsheKeys = 27,
};

// Page titles in code order: the reaction page tabs and the reaction-kind menu.
std::span<const TextPair> reaction_kind_titles();
// The window's sheet that carries a kind's title, for the kinds that have one; else nullptr.
const char* reaction_kind_sheet(ReactionKind kind);

// Every control a reaction page can show. The editor maps each to its widget; the rules that
// fill and change them live in the core.
enum class ReactionControl : std::uint8_t {
    UsbKeyText, UsbKeyDuration,                                   // 0 USB key
    IrCode, IrRepeats, IrOutput,                                  // 1 Send IR code
    PinOutput, PinMode, PinDuration,                              // 2 Pin
    ControlVoltage1, ControlVoltage2, ControlAction1, ControlAction2,
    ControlSave1, ControlSave2, ControlDuration,                  // 3 Control
    SourceSelect, SourceSkip, SourceSave,                         // 4 Source
    TouchX, TouchY, TouchDuration, TouchCapture,                  // 5 USB Touch
    EventManageAction, EventManageTarget,                         // 6 Event manage
    AmplifierParameter, AmplifierAction,                          // 7 Amplifier control
    MouseAction,                                                  // 8 USB mouse
    EncoderConnection, EncoderSteps, EncoderRepeat,               // 9 Encoder
    IebusAction,                                                  // 10 IEBUS
    IdriveAction, IdriveParameter,                                // 11 iDrive
    IbusAction,                                                   // 12 iBus
    SerialValue, SerialChannel, SerialPreview,                    // 13 Serial
    CursorDirection, CursorPoints, CursorPress,                   // 14 Cursor Move
    MdxJoyMode,                                                   // 15 MDX JOY
    UartChannel, UartValue,                                       // 16 UART
    LinAction, LinTrigger,                                        // 17 LIN
    MmiMode, MmiParameter,                                        // 18 AUDI MMI
    DspMode, DspParameter, DspRepeat,                             // 19 CarDSP
    PanaceaMode,                                                  // 20 Panacea
    ResEmulX, ResEmulY,                                           // 21 ResEmul
    RJoyAction,                                                   // 22 R CAN Joy
    SwCanCarType, SwCanButton, SwCanCode,                         // 23 SW CAN
    GanetAction, GanetCode,                                       // 24 GaNet
    CruiseKey,                                                    // 25 CRUISE_BMW_DME
    MctrlAction,                                                  // 26 Mercedes Ctrl
    PorsheMode,                                                   // 27 Porshe Keys
};

// Fixed choice lists, in list-index order (index = stored value unless a kind says otherwise).
namespace reaction_lists {
extern const std::span<const TextPair> ir_output_pins;        // kind 1, byte 16
extern const std::span<const TextPair> output_pins;           // kind 2, byte 12
extern const std::span<const TextPair> pin_modes;             // kind 2, byte 13
extern const std::span<const TextPair> control_actions;       // kind 3, byte 16 (3 bits per channel)
extern const std::span<const TextPair> source_selection;      // kind 4, byte 12
extern const std::span<const TextPair> event_manage_actions;  // kind 6, byte 12
extern const std::span<const TextPair> amplifier_parameters;  // kind 7, byte 12 (tabs)
extern const std::span<const TextPair> mouse_actions;         // kind 8, byte 12
extern const std::span<const TextPair> encoder_connections;   // kind 9, byte 12
extern const std::span<const TextPair> iebus;                 // kind 10 (R-IEBUS)
extern const std::span<const TextPair> idrive;                // kind 11 (R-IDRIVE)
extern const std::span<const TextPair> ibus;                  // kind 12 (R-IBUS)
extern const std::span<const TextPair> cursor_directions;     // kind 14, byte 12
extern const std::span<const TextPair> mdx_joy;               // kind 15
extern const std::span<const TextPair> lin;                   // kind 17 (R-LIN)
extern const std::span<const TextPair> mmi;                   // kind 18 (R-MMI)
extern const std::span<const TextPair> dsp;                   // kind 19 (R-DSP)
extern const std::span<const TextPair> panacea;               // kind 20
extern const std::span<const TextPair> rjoy;                  // kind 22 (R-RJOY)
extern const std::span<const TextPair> swcan_car_types;       // kind 23, byte 15
extern const std::span<const TextPair> swcan_buttons;         // kind 23 button names by code
extern const std::span<const TextPair> ganet;                 // kind 24 (R-GANET)
extern const std::span<const TextPair> cruise;                // kind 25
extern const std::span<const TextPair> mctrl;                 // kind 26 (R-MCTRL)
extern const std::span<const TextPair> porshe;                // kind 27
}  // namespace reaction_lists

// "Event manage" targets: "Power On", then the slot numbers "1" to "80".
std::vector<Text> event_manage_targets();

// "Amplifier control": the action list of parameter 0-6 (VOL ... ASL) and the entry that
// choosing that parameter's tab selects.
inline constexpr unsigned kAmplifierParameterCount = 7;
std::vector<Text> amplifier_actions(unsigned parameter);
std::size_t amplifier_action_count(unsigned parameter);
std::uint8_t amplifier_neutral_action(unsigned parameter);

// "CarDSP": which parameter list a mode offers and whether its autorepeat field is shown.
struct CarDspLayout {
    unsigned first = 0;         // the number at list position 0
    unsigned count = 0;         // entries; 0 = no list and byte 13 holds 0
    bool repeat_shown = false;  // autorepeat bytes 14-15 in use; otherwise they hold 0
};
CarDspLayout cardsp_layout(unsigned mode, unsigned cardsp_type);
std::vector<Text> cardsp_parameters(const CarDspLayout& layout);

// "SW CAN": the button codes a car type offers, in list order (empty above type 12).
std::span<const std::uint8_t> swcan_codes(unsigned car_type);
// The list position of code within the type's list, or -1 when the type does not offer it.
int swcan_position(unsigned car_type, unsigned code);


// Limits and conversions the editor applies.
inline constexpr std::uint32_t kAutorepeatLimit = 10000;      // kinds 9 and 19
inline constexpr std::uint16_t kAutorepeatFallback = 500;     // stored for a larger entry
inline constexpr int kEncoderStepsMin = -100;
inline constexpr int kEncoderStepsMax = 100;
inline constexpr std::uint16_t kCapturedTouchDurationMs = 200;
inline constexpr std::size_t kReactionTextSize = 5;           // Serial and UART values

}  // namespace ztv
