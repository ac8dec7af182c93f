// The names of undo steps and the questions that guard the configuration shown: texts of the
// core, so that the menu entries follow a language switch.
#pragma once

#include <cstddef>
#include <string_view>

#include "common/text.h"

namespace ztv {

namespace step {
inline constexpr TextPair kOpenFile{"Открытие файла", "Opening a file"};
inline constexpr TextPair kSaveFile{"Сохранение файла", "Saving a file"};
inline constexpr TextPair kSlot{"Слот %d", "Slot %d"};
inline constexpr TextPair kSlotName{"Имя слота %d", "Slot %d name"};
inline constexpr TextPair kButtonLearning{"Обучение кнопок", "Button learning"};
inline constexpr TextPair kTouchCalibration{"Калибровка сенсорной панели", "Touch calibration"};
inline constexpr TextPair kButtonName{"Имя кнопки", "Button name"};
inline constexpr TextPair kButtonDeleted{"Удаление кнопки", "Button deleted"};
inline constexpr TextPair kChannelDeleted{"Удаление канала", "Channel deleted"};
}  // namespace step

// A parameter control's step: its caption, or its page's when it has none.
Text parameter_step_name(std::string_view control);
// A slot editor step: "Slot N", and "Slot N name" for its name (N counted from 1).
Text slot_step_name(std::size_t slot);
Text slot_name_step_name(std::size_t slot);

// The close, or another file opened, while the configuration shown is neither saved nor held
// by the controller. Yes saves, No discards, Cancel stays.
inline constexpr TextPair kAskSaveChanges{
    "Конфигурация изменена и не сохранена ни в файле, ни в контроллере.\nСохранить изменения?",
    "The configuration has changed and is held neither by a file nor by the controller.\nSave the changes?"};

// A controller connects while the window shows a configuration opened or edited since the last
// read or write. Yes writes it (and keeps the user's data), No reads the controller's.
inline constexpr TextPair kAskConnectChoice{
    "Подключён контроллер, а окно показывает конфигурацию, открытую или изменённую после последнего "
    "чтения или записи.\n\nДа: Записать показанную конфигурацию в контроллер\n"
    "Нет: Прочитать конфигурацию контроллера (показанная будет заменена; вернуть её можно отменой)",
    "A controller is connected while the window shows a configuration opened or edited since the last "
    "read or write.\n\nYes: Write the configuration shown to the controller\n"
    "No: Read the controller's configuration (it replaces the one shown; Undo brings that back)"};

// No backup of the controller could be made before an overwrite (%s: why). No stops.
inline constexpr TextPair kAskGoOnWithoutBackup{
    "Не удалось сделать резервную копию конфигурации контроллера:\n%s\n\nПродолжить без резервной копии?",
    "No backup of the controller's configuration could be made:\n%s\n\nGo on without a backup?"};

}  // namespace ztv
