// Texts of the button grid, button learning and touch-panel calibration.
#pragma once

#include "common/text.h"

namespace ztv::msg {

// Button grid: headers, hints, popup items, naming.
inline constexpr TextPair kGridChannelHeader{"Кан %d", "Ch %d"};
inline constexpr TextPair kGridEncoderHeader{"Энкодер", "Encoder"};
inline constexpr TextPair kHintAutomaticButton{"Канал %u, код %u (допуск %u)", "Channel %u, code %u (limit %u)"};
inline constexpr TextPair kHintNamedButton{"Кнопка \"%s\" канал %u, код %u (допуск %u)",
                                           "Button \"%s\" channel %u, code %u (limit %u)"};
inline constexpr TextPair kHintEncoder1Up{"Увеличение значения энкодера 1", "Increasing the value of the encoder 1"};
inline constexpr TextPair kHintEncoder1Down{"Уменьшение значения энкодера 1", "Decreasing the value of the encoder 1"};
inline constexpr TextPair kHintEncoder2Up{"Увеличение значения энкодера 2", "Increasing the value of the encoder 2"};
inline constexpr TextPair kHintEncoder2Down{"Уменьшение значения энкодера 2", "Decreasing the value of the encoder 2"};
inline constexpr TextPair kDeleteThisKey{"Удалить эту кнопку", "Delete this key"};
inline constexpr TextPair kDeleteChannel{"Удалить все кнопки канала %d", "Delete all buttons of the channel %d"};
inline constexpr TextPair kUseAsButton{"Назначить как «Кнопка» слота %d", "Use as Button of slot %d"};
inline constexpr TextPair kUseAsMod{"Назначить как «Мод» слота %d", "Use as Mod of slot %d"};
inline constexpr TextPair kNameTaken{"Название \"%s\"\nуже используется\nВведите другое название",
                                     "The name \"%s\"\nis already assigned\nPlease enter a different name"};

// Button learning.
inline constexpr TextPair kAskLearning{"Вы действительно хотите запустить настройку кнопок?",
                                       "You really want to launch setup of keys?"};
inline constexpr TextPair kPressNothing{"Ничего не нажимайте", "Do not press anything"};
inline constexpr TextPair kPressEachButton{"Нажмите каждую кнопку и дайте ей название",
                                           "Press each button and give it a name"};
inline constexpr TextPair kQuietPhaseDisturbed{
    "Пока измерялся уровень покоя, была нажата кнопка (канал %s).\n"
    "Кнопки этого канала ниже нажатой будут потеряны.\n"
    "Повторить измерение? Ничего не нажимайте, пока оно идёт.",
    "A button was pressed while the idle levels were measured (channel %s).\n"
    "The buttons of that channel below it would be lost.\n"
    "Measure again? Press nothing while it runs."};
inline constexpr TextPair kWriteData{"Запись данных", "Write data"};
inline constexpr TextPair kLearningDone{"Настройка кнопок успешно завершена", "Customize Buttons completed successfully"};
inline constexpr TextPair kLearningRunningHint{
    "Идёт настройка кнопок. Нажмите эту кнопку ещё раз, чтобы закончить и записать найденные кнопки",
    "Setting up the buttons. Press this button again to finish and write the buttons found so far"};

// Touch-panel calibration.
inline constexpr TextPair kAskCalibration{"Вы действительно хотите запустить настройку тачпанели?",
                                          "You really want to launch setup of touchpanel?"};
inline constexpr TextPair kReleaseIt{"Отпустите", "Please release it"};
inline constexpr TextPair kPressTopLeft{"Нажмите в левом верхнем углу", "Press at top left corner"};
inline constexpr TextPair kPressTopRight{"Нажмите в правом верхнем углу", "Press at top right corner"};
inline constexpr TextPair kPressBottomRight{"Нажмите в правом нижнем углу", "Press at bottom right corner"};
inline constexpr TextPair kCalibrationRunningHint{
    "Идёт настройка тачпанели. Нажмите эту кнопку ещё раз, чтобы прервать её без записи",
    "Setting up the touch panel. Press this button again to stop it without writing anything"};
inline constexpr TextPair kCalibrationDone{"Настройка тачпанели успешно завершена",
                                           "Setting the touch panel is completed successfully"};
inline constexpr TextPair kCalibrationTimeout{"Настройка тачпанели завершена по тайм-ауту",
                                              "Setting the touch panel is completed by timeout"};

}  // namespace ztv::msg
