// Messages of the pin checks. Formats take the encoder number (%d) or module names (%s).
#pragma once

#include "common/text.h"

namespace ztv::msg {

inline constexpr TextPair kEncoderPinsOutput{
    "Нельзя использовать эти выводы для энкодера %d,\nтак как они уже используются как выходы",
    "You can not use those pins for encoder %d\nbecause as they are already used for output"};
inline constexpr TextPair kEncoderPinsTouch{
    "Нельзя использовать эти выводы для энкодера %d,\nтак как они уже используются тачпанелью",
    "You can not use those pins for encoder %d\nbecause as they are already used for touchpanel"};
inline constexpr TextPair kEncoderPinsGps{
    "Нельзя использовать эти выводы для энкодера %d,\nтак как к ним уже подключён модуль GPS UART",
    "You can not use those pins for encoder %d,\nbecause she already used to connect the GPS UART module"};
inline constexpr TextPair kEncoderPinsHead{
    "Нельзя использовать эти выводы для энкодера %d,\nтак как к ним уже подключено головное устройство",
    "You can not use those pins for encoder %d,\nbecause she already used to connect the HEAD UNIT"};
inline constexpr TextPair kEncoder1PinsEncoder2{
    "Нельзя использовать эти выводы для энкодера 1,\nтак как к ним уже подключён энкодер 2",
    "You can not use those pins for encoder 1,\nbecause she already used to connect the encoder 2"};
inline constexpr TextPair kEncoder2PinsEncoder1{
    "Нельзя использовать эти выводы для энкодера 2,\nтак как к ним уже подключён энкодер 1",
    "You can not use those pins for encoder 2,\nbecause she already used to connect the encoder 1"};

inline constexpr TextPair kTouchPinsInUse{"Нельзя использовать тачпанель,\nтак как её выводы уже заняты",
                                          "You can not use touchpanel,\nbecause her pins is already in use"};
inline constexpr TextPair kTouchPinsEncoder1{
    "Нельзя использовать тачпанель,\nтак как к её выводам уже подключён энкодер 1.",
    "You can not use touchpanel,\nbecause her pins are already used to connect the encoder 1."};
inline constexpr TextPair kTouchPinsEncoder2{
    "Нельзя использовать тачпанель,\nтак как к её выводам уже подключён энкодер 2.",
    "You can not use touchpanel,\nbecause her pins are already used to connect the encoder 2."};
inline constexpr TextPair kTouchPinsIrInput{
    "Нельзя использовать тачпанель,\nтак как к её выводам уже подключён ИК-вход.",
    "You can not use touchpanel,\nbecause her pins are already used to connect the IR input."};
inline constexpr TextPair kTouchFromHeadUnit{
    "Нельзя использовать тачпанель,\nтак как координаты берутся от головного устройства",
    "You can not use touchpanel,\nbecause HEADUNIT as used to obtain them"};
inline constexpr TextPair kTouchFromIebus{"Нельзя использовать тачпанель,\nтак как координаты берутся с шины IEBUS",
                                          "You can not use touchpanel,\nbecause IEBUS tire as used to obtain them"};

inline constexpr TextPair kIrPinInUse{"Нельзя использовать этот вывод как ИК-вход,\nтак как он уже занят",
                                      "You can not use this pin as IR input,\nbecause as it is already used"};
inline constexpr TextPair kIrPinTouch{
    "Нельзя использовать этот вывод как ИК-вход,\nтак как он уже используется тачпанелью",
    "You can not use this pin as IR input,\nbecause as it is already used for touchpanel"};
inline constexpr TextPair kIrPinEncoder1{
    "Нельзя использовать этот вывод как ИК-вход,\nтак как он уже используется энкодером 1",
    "You can not use this pin as IR input,\nbecause as it already used for encoder 1"};
inline constexpr TextPair kIrPinEncoder2{
    "Нельзя использовать этот вывод как ИК-вход,\nтак как он уже используется энкодером 2",
    "You can not use this pin as IR input,\nbecause as it already used for encoder 2"};
inline constexpr TextPair kIrPinGps{
    "Нельзя использовать этот вывод как ИК-вход,\nтак как к нему уже подключён модуль GPS UART",
    "You can not use this pin as IR input,\nbecause she already used to connect the GPS UART module"};
inline constexpr TextPair kIrPinHead{
    "Нельзя использовать этот вывод как ИК-вход,\nтак как к нему уже подключено головное устройство",
    "You can not use this pin as IR input,\nbecause she already used to connect the HEAD UNIT"};

inline constexpr TextPair kModulePinsInUse{
    "Нельзя использовать эти выводы для подключения модуля %s,\nтак как они уже используются для подключения: %s",
    "You can not use those pins to connect %s module\nbecause as they are already used to connect %s"};

inline constexpr TextPair kIebusTouchPanel{
    "Нельзя использовать координаты с шины IEBUS,\nтак как для их ввода используется тачпанель",
    "You can not use the coordinates from the bus IEBUS,\nbecause touchpanel used as input for their"};
inline constexpr TextPair kIebusHeadUnit{
    "Нельзя использовать координаты с шины IEBUS,\nтак как используются координаты головного устройства",
    "You can not use the coordinates from the bus IEBUS,\nbecause used as input the coordinates of HEADUNIT"};

inline constexpr TextPair kConfigurePinFirst{"Сначала настройте параметры вывода\nна странице \"Выводы\"",
                                             "First, configure the pin options\nin the \"Pins\""};

inline constexpr TextPair kEncoderEmulationTouch{
    "Нельзя использовать эти выводы для эмуляции энкодера,\nтак как они уже используются тачпанелью",
    "You can not use those pins for encoder emulation\nbecause as they are already used for touchpanel"};
inline constexpr TextPair kEncoderEmulationGps{
    "Нельзя использовать эти выводы для эмуляции энкодера,\nтак как к ним уже подключён модуль GPS UART",
    "You can not use those pins for encoder emulation,\nbecause she already used to connect the GPS UART module"};
inline constexpr TextPair kEncoderEmulationHead{
    "Нельзя использовать эти выводы для эмуляции энкодера,\nтак как к ним уже подключено головное устройство",
    "You can not use those pins for encoder emulation,\nbecause she already used to connect the HEAD UNIT"};

}  // namespace ztv::msg
