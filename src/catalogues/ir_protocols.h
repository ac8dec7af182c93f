// Infrared code words and their protocols. A code word is 4 bytes: command, 16-bit address
// (little-endian), protocol number in the low four bits of the last byte (in reactions the
// high four bits are the repeat count). A protocol without a display name means "no code".
#pragma once

#include <cstdint>
#include <span>

namespace ztv {

using IrCodeBytes = std::span<const std::uint8_t, 4>;

inline constexpr unsigned kIrProtocolCount = 16;
inline constexpr unsigned kIrProtocolCanAuto = 11;

struct IrProtocol {
    const char* name;            // as the IR code editor lists it
    bool in_event_list;          // offered by the editor for an event code
    bool in_reaction_list;       // offered by the editor for a reaction code
    const char* event_name;      // in event descriptions; nullptr: the number means "no code"
    const char* reaction_name;   // in reaction descriptions; nullptr: a reaction cannot send it
    bool capture_fits_reaction;  // a captured code of this protocol may become a reaction
};

// The 16 protocols, indexed by protocol number.
std::span<const IrProtocol> ir_protocols();

inline unsigned ir_protocol(IrCodeBytes code) { return code[3] & 0x0Fu; }
inline unsigned ir_address(IrCodeBytes code) { return static_cast<unsigned>(code[1] | (code[2] << 8)); }
inline unsigned ir_command(IrCodeBytes code) { return code[0]; }

// Short names used in slot descriptions; nullptr when the protocol stands for "no code" there.
// An event names protocol 11 "CAN AUTO" (its keys have names of their own); a reaction cannot
// send it and names protocol 15 instead.
const char* ir_event_protocol_name(unsigned protocol);
const char* ir_reaction_protocol_name(unsigned protocol);

// A reaction code with this protocol is a code to send (otherwise the reaction has none).
inline bool ir_reaction_has_code(unsigned protocol) { return ir_reaction_protocol_name(protocol) != nullptr; }
// Protocols that a captured code may have to become a reaction.
bool ir_capture_fits_reaction(unsigned protocol);

}  // namespace ztv
