#include "tools/ir_capture.h"

#include <array>

#include "device/device_errors.h"

namespace ztv {

IrCaptureResult fetch_ir_code(Protocol& protocol, bool connected) {
    Host& host = protocol.host();
    IrCaptureResult result;
    if (!connected) {
        host.show_message(kBoxError, error_text(kErrDisconnected));
        return result;
    }
    std::array<std::uint8_t, 4> bytes{};
    std::size_t length = 0;
    if (const int error = protocol.read_area(block::kIrCapture, 0, bytes, length); error != 0) {
        host.show_message(kBoxError, with_error_text(kFailedToGetIrCode, error));
        return result;
    }
    // A reply shorter than the code word leaves its missing bytes 0 (read_area clears them).
    for (std::size_t i = 0; i < bytes.size(); ++i) result.code |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    if (result.code == 0) {
        host.flash_message(kNoIrCodeNoticeMs, kCaptureBlinkMs, to_text(kNoInfraredCode));
        result.status = IrCaptureResult::Status::NoCode;
        return result;
    }
    result.status = IrCaptureResult::Status::Code;
    return result;
}

}  // namespace ztv
