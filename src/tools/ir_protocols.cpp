#include "tools/ir_protocols.h"

namespace ztv {
namespace {

constexpr IrProtocol kProtocols[kIrProtocolCount] = {
    {"NONE", true, true},
    {"IR_NEC", true, true},
    {"IR_JVC", true, true},
    {"IR_RC5", true, true},
    {"IR_RC6", false, false},
    {"IR_SONY_12BITS", true, true},
    {"IR_SONY_15BITS", true, true},
    {"IR_SONY_20BITS", true, true},
    {"IR_SHARP", false, false},
    {"USER", false, true},
    {"IR_SAMSUNG", true, true},
    {"CAN AUTO", true, false},
    {"IR_JVC_TYPE2", true, true},
    {"IR_NEC_REP", true, true},
    {"IR_APPLE_TV2", true, true},
    {"IR_ALPINE", false, true},
};

// Description names by protocol number; nullptr where the description treats it as no code.
constexpr const char* kEventNames[kIrProtocolCount] = {
    nullptr, "NEC", "JVC", "RC5", nullptr, "SONY12", "SONY15", "SONY20",
    nullptr, "USER", "SAMSUNG", "CAN AUTO", "JVC TYPE2", "NEC REP", "APPLE TV2", nullptr};
constexpr const char* kReactionNames[kIrProtocolCount] = {
    nullptr, "NEC", "JVC", "RC5", nullptr, "SONY12", "SONY15", "SONY20",
    nullptr, "USER", "SAMSUNG", nullptr, "JVC_TYPE2", "NEC REP", "APPLE TV2", "IR_ALPINE"};

}  // namespace

std::span<const IrProtocol> ir_protocols() { return kProtocols; }

const char* ir_event_protocol_name(unsigned protocol) {
    return protocol < kIrProtocolCount ? kEventNames[protocol] : nullptr;
}

const char* ir_reaction_protocol_name(unsigned protocol) {
    return protocol < kIrProtocolCount ? kReactionNames[protocol] : nullptr;
}

bool ir_capture_fits_reaction(unsigned protocol) {
    switch (protocol) {
        case 1: case 2: case 5: case 6: case 7: case 10: case 11: case 12: case 13: case 14: return true;
        default: return false;
    }
}

}  // namespace ztv
