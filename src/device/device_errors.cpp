#include "device/device_errors.h"

#include "common/format.h"

namespace ztv {

Text error_text(int code) {
    static constexpr TextPair kCommunication{"Не удалось связаться с контроллером",
                                             "Failed to communicate with the controller"};
    switch (code) {
        case kOk: return to_text({"Нет ошибок", "No errors"});
        case kErrDriverLoad: return to_text({"Ошибка загрузки драйвера HID.DLL", "Error loading driver HID.DLL"});
        case kErrDriverFunction:
            return to_text({"Нет функции в драйвере HID.DLL", "There is no function in the driver HID.DLL"});
        case kErrGetFeature:
        case kErrSetFeature:
        case kErrProductString:
        case kErrManufacturerString:
        case kErrShortRead:
        case kErrWriteNotConfirmed:
        case kErrReadMismatch:
        case kErrBadReply:
        case kErrBadReportId: return to_text(kCommunication);
        case kErrDisconnected: return to_text({"Контроллер отключён", "Controller is disconnected"});
        case kErrAccessDenied:
            return to_text({"Контроллер найден, но открыть его нельзя (нет доступа): установите правило udev "
                            "70-zeb-tervio-v4.rules и подключите контроллер заново",
                            "Found the controller but cannot open it (permission denied): install the udev rule "
                            "70-zeb-tervio-v4.rules and plug it in again"});
        case kErrTimeout: return to_text({"Превышено время ожидания ответа", "Out of the timeout response"});
        case kErrParameters: return to_text({"Ошибка в параметрах", "Error in parameters"});
        case kErrFailedResult: return to_text({"Неудачный результат", "Failed result"});
        default: return format_pair({"Неизвестная ошибка USB: %d", "Unknown error USB: %d"}, code);
    }
}

Text with_error_text(const TextPair& format, int code) {
    const Text error = error_text(code);
    std::string en;
    if (format.en != nullptr && format.en[0] != '\0') en = strprintf(format.en, error.in(Lang::English).c_str());
    return Text(strprintf(format.ru, error.ru.c_str()), std::move(en));
}

}  // namespace ztv
