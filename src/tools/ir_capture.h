// Fetching the last infrared code the controller received (device block 19), with the messages
// of a capture that finds no controller, fails or finds no code. Storing the code in a slot is
// the slot editor's business (events/slot_captures.h).
#pragma once

#include <cstdint>

#include "common/text.h"
#include "device/protocol.h"

namespace ztv {

inline constexpr TextPair kFailedToGetIrCode{"Не удалось получить ИК-код\n%s", "Failed to get IR code\n%s"};
inline constexpr TextPair kNoInfraredCode{"Нет ИК-кода", "No Infrared code"};
inline constexpr TextPair kReactionProtocolMessage{"Для реакции поддерживаются только протоколы NEC, JVC или SONY",
                                                   "For the response is only supported protocol NEC, JVC or SONY"};
// A CAN AUTO code names a key of the car's bus; a reaction stored with it would send nothing.
inline constexpr TextPair kCanAutoReactionMessage{
    "Код CAN AUTO нельзя назначить реакции: контроллер не может передать этот протокол",
    "A CAN AUTO code cannot be a reaction: the controller cannot send this protocol"};
inline constexpr int kNoIrCodeNoticeMs = 2500;
inline constexpr int kCaptureBlinkMs = 250;

struct IrCaptureResult {
    enum class Status : std::uint8_t {
        Failed,  // no controller, or the read failed: the box was shown, nothing is to change
        NoCode,  // the controller has received no code: the notice was shown
        Code,
    };
    Status status = Status::Failed;
    std::uint32_t code = 0;  // command in the low byte, protocol in bits 24-27
};

// Without a controller: "Controller is disconnected" (error box). A failed read: "Failed to
// get IR code\n%s" with the error text (error box). A value of 0: the notice "No Infrared
// code" (blinking, 2.5 s).
IrCaptureResult fetch_ir_code(Protocol& protocol, bool connected);

}  // namespace ztv
