#include "session/safety_texts.h"

#include "config/config_backups.h"

namespace ztv {

Text backup_reason_text(std::string_view reason) {
    struct Row {
        std::string_view reason;
        TextPair text;
    };
    static constexpr Row kReasons[] = {
        {backup_reason::kWrite, {"запись в контроллер", "write to the controller"}},
        {backup_reason::kRestore, {"восстановление файла", "file restored"}},
        {backup_reason::kDefaults, {"сброс в исходное состояние", "reset to defaults"}},
        {backup_reason::kFirmware, {"обновление прошивки", "firmware update"}},
    };
    for (const Row& row : kReasons)
        if (row.reason == reason) return to_text(row.text);
    return Text::same(std::string(reason));
}

}  // namespace ztv
