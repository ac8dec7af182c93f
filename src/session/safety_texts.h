// Texts of the comparison and backup windows.
#pragma once

#include <string_view>

#include "common/text.h"

namespace ztv {

inline constexpr TextPair kCloseWindow{"Закрыть", "Close"};
inline constexpr TextPair kCompareWith{"Сравнить с...", "Compare with..."};
inline constexpr TextPair kCompareWithFile{"Файлом конфигурации (*.ZTV)...", "A configuration file (*.ZTV)..."};
inline constexpr TextPair kCompareWithController{"Контроллером", "The connected controller"};
inline constexpr TextPair kCompareFileTitle{"Отличия от файла %s", "Differences from the file %s"};
inline constexpr TextPair kCompareControllerTitle{"Отличия от контроллера", "Differences from the controller"};
inline constexpr TextPair kCompareNeedsController{"Контроллер не подключён", "No controller is connected"};
// The button of the question before an overwrite, and the window it opens.
inline constexpr TextPair kShowChanges{"Показать изменения", "Show changes"};
inline constexpr TextPair kChangesTitle{"Что изменится в контроллере", "What the controller will change"};
inline constexpr TextPair kBackupsItem{"Резервные копии...", "Backups..."};
inline constexpr TextPair kBackupsTitle{"Резервные копии конфигурации контроллеров",
                                        "Backups of the controllers' configurations"};
inline constexpr TextPair kBackupColumns[] = {
    {"Контроллер", "Controller"}, {"Дата", "Date"}, {"Причина", "Reason"}, {"Отличается от показанной", "Differs from the one shown"}};
inline constexpr TextPair kYes{"да", "yes"};
inline constexpr TextPair kNo{"нет", "no"};
inline constexpr TextPair kUnreadable{"не читается", "unreadable"};
inline constexpr TextPair kOpenBackup{"Открыть", "Open"};
inline constexpr TextPair kCompareBackup{"Сравнить", "Compare"};
inline constexpr TextPair kBackupFileTitle{"Отличия от резервной копии %s", "Differences from the backup %s"};

// A backup's reason as its file name stores it, in words.
Text backup_reason_text(std::string_view reason);

// The status line after a backup (%s: the backup's file name).
inline constexpr TextPair kBackupMade{"Сделана резервная копия конфигурации контроллера: %s",
                                      "The controller's configuration was backed up: %s"};

}  // namespace ztv
