// Texts of the main window and its services.
#pragma once

#include "common/program_version.h"
#include "common/text.h"

namespace ztv::msg {

inline constexpr const char* kProgramVersion = kProgramVersionText;
inline constexpr TextPair kWindowTitle{"Программа настройки ZEB TERVIO V4. Версия %s",
                                       "Setup program ZEB TERVIO V4. Version %s"};
// Shown by a second copy before the language is known, so it has one text only.
inline constexpr const char* kAlreadyRunning = "Setup programm ZEBTV_ZORA4 is already running";
// No place could hold the single-instance lock; %s lists each place and the system's reason.
inline constexpr TextPair kInstanceLockFailed{
    "Не удалось создать файл блокировки, который не даёт запустить вторую копию программы:\n%s",
    "Cannot create the lock file that keeps a second copy of the program from starting:\n%s"};

// The current-source panel beside the event editor's source choice: the source the controller
// reports (1 to 8), or none known.
inline constexpr TextPair kSelectedSource{"Выбрано: %u", "Selected: %u"};
inline constexpr TextPair kNoSelectedSource{"Выбрано: ?", "Selected: ?"};

inline constexpr TextPair kTitleError{"Ошибка", "Error"};
inline constexpr TextPair kTitleQuestion{"Вопрос", "Question"};
inline constexpr TextPair kTitleWarning{"Предупреждение", "Warning"};
inline constexpr TextPair kTitleInformation{"Информация", "Information"};

inline constexpr TextPair kSelectLanguage{"Выбор языка/Select language", "Выбор языка/Select language"};
inline constexpr TextPair kShowOnlyUsed{"Отображать только используемые события и реакции",
                                        "Display only used events and reactions"};
inline constexpr TextPair kShowAll{"Отображать все события и реакции", "Display all events and reactions"};

// The visible way to the main popup menu (the strip's right click is not discoverable).
inline constexpr TextPair kMainMenuHint{"Меню", "Menu"};

inline constexpr TextPair kAskWriteDevice{"Вы уверены, что хотите записать\nданные в контроллер?",
                                          "Are you sure you want to write\ndata to the controller?"};
inline constexpr TextPair kAskDefaults{"Вы уверены, что хотите сбросить\nконфигурацию устройства\nв исходное состояние?",
                                       "Are you sure you want to reset\nthe device configuration\nto its default state?"};
inline constexpr TextPair kErrorDefaults{"Не удалось сбросить конфигурацию устройства в исходное состояние\n%s",
                                         "Failed to reset the device configuration in its default state\n%s"};
inline constexpr TextPair kErrorRestart{"Не удалось перезагрузить устройство\n%s", "Failed to reset the device\n%s"};

inline constexpr TextPair kDialogFailed{"Не удалось создать диалог", "Failed to create the dialog"};
inline constexpr TextPair kOpenConfigTitle{"Выбор файла конфигурации устройства",
                                           "The choice of device configuration file"};
inline constexpr TextPair kSaveConfigTitle{"Сохранение файла конфигурации устройства",
                                           "Saving the Configuration File Devices"};
inline constexpr TextPair kOpenFirmwareTitle{"Выбор файла обновления прошивки устройства",
                                             "The choice of device firmware update file"};
inline constexpr TextPair kSaveCanLogTitle{"Сохранение файла CAN лога", "Saving the File CAN log"};

// Qt's Russian texts are a separate package; without it only the buttons of boxes and the file
// dialogs stay English, which is worth a line in the log but not a box.
inline constexpr TextPair kQtTextsMissing{
    "Русские тексты Qt (qtbase_ru.qm) не найдены: кнопки окон сообщений и диалоги файлов останутся на английском",
    "Qt's Russian texts (qtbase_ru.qm) were not found: message box buttons and file dialogs stay in English"};

inline constexpr TextPair kClearScreen{"Очистить экран", "Clear screen"};
inline constexpr TextPair kCopyAll{"Копировать всё", "Copy All"};

}  // namespace ztv::msg
