// The names of undo steps and the questions that guard the configuration shown: texts of the
// core, so that the menu entries follow a language switch.
#pragma once

#include <cstddef>
#include <string_view>

#include "common/text.h"

namespace ztv {

namespace step {
// An edit no control names (the button grid, a finished procedure).
inline constexpr TextPair kEdit{"Изменение", "Edit"};
inline constexpr TextPair kOpenFile{"Открытие файла", "Opening a file"};
inline constexpr TextPair kSlot{"Слот %d", "Slot %d"};
}  // namespace step

// A parameter control's step: its caption, or the generic name when it has none.
Text parameter_step_name(std::string_view control);
// A slot editor step: "Slot N" (N counted from 1).
Text slot_step_name(std::size_t slot);

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
