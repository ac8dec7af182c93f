#include "catalogues/ir_protocols.h"

namespace ztv {
namespace {

// One row per protocol number: the editor's name and lists, the short names of the slot
// descriptions (none where the description treats the number as "no code"), and whether a
// captured code of that protocol may become a reaction.
constexpr IrProtocol kProtocols[kIrProtocolCount] = {
    {"NONE", true, true, nullptr, nullptr, false},
    {"IR_NEC", true, true, "NEC", "NEC", true},
    {"IR_JVC", true, true, "JVC", "JVC", true},
    {"IR_RC5", true, true, "RC5", "RC5", false},
    {"IR_RC6", false, false, nullptr, nullptr, false},
    {"IR_SONY_12BITS", true, true, "SONY12", "SONY12", true},
    {"IR_SONY_15BITS", true, true, "SONY15", "SONY15", true},
    {"IR_SONY_20BITS", true, true, "SONY20", "SONY20", true},
    {"IR_SHARP", false, false, nullptr, nullptr, false},
    {"USER", false, true, "USER", "USER", false},
    {"IR_SAMSUNG", true, true, "SAMSUNG", "SAMSUNG", true},
    {"CAN AUTO", true, false, "CAN AUTO", nullptr, false},
    {"IR_JVC_TYPE2", true, true, "JVC TYPE2", "JVC_TYPE2", true},
    {"IR_NEC_REP", true, true, "NEC REP", "NEC REP", true},
    {"IR_APPLE_TV2", true, true, "APPLE TV2", "APPLE TV2", true},
    {"IR_ALPINE", false, true, nullptr, "IR_ALPINE", false},
};

}  // namespace

std::span<const IrProtocol> ir_protocols() { return kProtocols; }

const char* ir_event_protocol_name(unsigned protocol) {
    return protocol < kIrProtocolCount ? kProtocols[protocol].event_name : nullptr;
}

const char* ir_reaction_protocol_name(unsigned protocol) {
    return protocol < kIrProtocolCount ? kProtocols[protocol].reaction_name : nullptr;
}

bool ir_capture_fits_reaction(unsigned protocol) {
    return protocol < kIrProtocolCount && kProtocols[protocol].capture_fits_reaction;
}

}  // namespace ztv
