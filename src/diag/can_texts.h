// Everything the CAN log shows as text: the columns of its two lists, the popup menu, its
// messages, the cells of an identifier row and of a detail row, and the terminal line of a
// frame. The page, the language switch, the log file and ztv-tool all read them from here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/text.h"
#include "diag/can_frame.h"
#include "diag/can_tables.h"

namespace ztv {

struct CanColumn {
    TextPair caption;
    int width;
    int min_width;  // 0: none
    int max_width;  // 0: none
};

// Identifier list: a hidden first column, then the six visible ones; all centred.
enum class CanIdColumn : std::size_t { Hidden, Number, Id, Dlc, Data, Cycle, Count };
inline constexpr std::size_t kCanIdColumns = 7;
inline constexpr std::array<CanColumn, kCanIdColumns> kCanIdColumnTable{{
    {{"", ""}, 0, 0, 0},
    {{"№", "No."}, 60, 0, 0},
    {{"ID Hex(Dec)", "ID Hex(Dec)"}, 170, 170, 0},
    {{"DLC", "DLC"}, 40, 0, 40},
    {{"Данные Hex", "Data Hex"}, 220, 220, 0},
    {{"Период, мс", "Cycle, mS"}, 100, 0, 0},
    {{"Количество", "Count"}, 80, 0, 0},
}};

// Detail list: a hidden first column, then one row per data byte.
// The last column holds each byte's graph of the last 60 s.
enum class CanDetailColumn : std::size_t { Hidden, Index, Hex, Bin, Dec, Ascii, Value, History };
inline constexpr std::size_t kCanDetailColumns = 8;
inline constexpr std::array<CanColumn, kCanDetailColumns> kCanDetailColumnTable{{
    {{"", ""}, 0, 0, 0},
    {{"Инд", "Idx"}, 50, 0, 70},
    {{"Hex", "Hex"}, 60, 0, 80},
    {{"Bin", "Bin"}, 100, 0, 120},
    {{"Dec", "Dec"}, 60, 0, 80},
    {{"Ascii", "Ascii"}, 60, 0, 80},
    {{"Значение", "Value"}, 200, 0, 0},
    {{"История, 60 с", "History, 60 s"}, 260, 120, 0},
}};

// The popup menu of the identifier list, in its order; `control` is the item's name in the
// main window's translation table.
enum class CanMenuItem : std::size_t {
    Start, StartSave, StartSaveTab, StartSaveCandump, Stop, Clear, HideDetails, HideThis, HideAllExcept,
    HideAccumulated, HideNotChanged, ShowAll, LearnBackground, StopLearning, ShowNewChanges, HighlightChanges
};
inline constexpr std::size_t kCanMenuItems = 16;
struct CanMenuEntry {
    const char* control;
    TextPair caption;
};
inline constexpr std::array<CanMenuEntry, kCanMenuItems> kCanMenuTable{{
    {"CANLOG_BEGIN", {"Старт", "Start"}},
    {"CANLOG_SAVE", {"Старт с записью в файл", "Start and save to file"}},
    {"CANLOG_SAVE_TAB", {"Старт с записью в файл через TAB", "Start and save to file with a TAB"}},
    {"CANLOG_SAVE_CANDUMP", {"Старт с записью в лог candump", "Start and save to a candump log"}},
    {"CANLOG_END", {"Стоп", "Stop"}},
    {"CANLOG_CLEAR", {"Очистить лог", "Clear log"}},
    {"CANLOG_HIDEDATA", {"Скрыть подробности", "Hide details"}},
    {"CANLOG_HIDETHIS", {"Скрыть этот пакет", "Hide this packet"}},
    {"CANLOG_HIDEALLNOTHIS", {"Скрыть все, кроме этого", "Hide all except this"}},
    {"CANLOG_HIDECURRENTID", {"Скрыть накопленные", "Hide accumulated"}},
    {"CANLOG_HIDENOTCHANGED", {"Скрыть неизменяемые", "Hide not changed"}},
    {"CANLOG_SHOWALLID", {"Показать все", "Show all"}},
    {"CANLOG_LEARN", {"Изучить фон", "Learn background"}},
    {"CANLOG_LEARN_STOP", {"Остановить изучение", "Stop learning"}},
    {"CANLOG_SHOWNEW", {"Показывать только новые изменения", "Show only new changes"}},
    {"CANLOG_HIGHLIGHT", {"Подсвечивать изменения", "Highlight changes"}},
}};
inline const CanMenuEntry& can_menu_entry(CanMenuItem item) { return kCanMenuTable[static_cast<std::size_t>(item)]; }

namespace can_msg {
inline constexpr TextPair kListHint{"Выберите параметры в меню, нажав правую кнопку мыши",
                                    "Select Options from the menu after clicking the right mouse button"};
inline constexpr TextPair kNotSupported{"Эта операция\nдля данной прошивки\nне поддерживается",
                                        "This operation\nfor this firmware\nis not supported"};
inline constexpr TextPair kCannotCreate{"Не удалось создать файл CAN лога\n%s",
                                        "The CAN log file could not be created\n%s"};
inline constexpr TextPair kLearning{
    "Изучение фона: %lu с. Не трогайте органы управления автомобиля; «Остановить изучение» в меню завершает его.",
    "Learning the background: %lu s. Leave the car's controls alone; \"Stop learning\" in the menu ends it."};
inline constexpr TextPair kLearned{
    "Фон изучен; битов, меняющихся сами по себе: %lu. Нажмите кнопку и выберите «Показывать только новые изменения».",
    "Background learned; bits that change by themselves: %lu. Press the button, then choose \"Show only new changes\"."};
inline constexpr TextPair kShowingNew{
    "Показаны только идентификаторы с изменениями вне фона, новые биты отмечены. «Показать все» возвращает все.",
    "Only identifiers with changes outside the background are shown, their new bits marked. \"Show all\" returns."};
inline constexpr TextPair kPauseGraphs{"Пауза графиков", "Pause graphs"};
inline constexpr TextPair kGraphsPaused{"Графики остановлены: новые значения не рисуются",
                                        "Graphs paused: new values are not drawn"};
inline constexpr TextPair kGraphTip{"%u (0x%02X) в %lu.%03lu с", "%u (0x%02X) at %lu.%03lu s"};
inline constexpr TextPair kWriteFailed{"Ошибка записи в файл CAN лога, файл закрыт\n%s",
                                       "Error writing the CAN log file; the file was closed\n%s"};
}  // namespace can_msg

// "ID Hex(Dec)": a frame flagged extended, or a word with any of bits 0-17 set, shows the
// whole word in eight hexadecimal digits ("%08lX(%4lu)"), as candump writes an extended
// identifier, so that the list, the log files and a candump log of one frame can be matched;
// otherwise the standard identifier in bits 18-28 ("%03lX(%4lu)").
std::string can_id_text(const CanFrame& frame);
// "Data Hex": bytes as "%02X" separated by one space, three spaces for each missing byte up to
// eight, so the column stays aligned. `fill` false leaves the fill out (the tab-separated file).
std::string can_data_text(const CanFrame& frame, bool fill = true);
// "Cycle, mS": the cycle, or "-" for none.
std::string can_cycle_text(std::uint32_t cycle);
// One cell of identifier row `index` (0-based; the "No." cell shows it 1-based).
std::string can_row_cell(const CanRow& row, std::size_t index, CanIdColumn column);
// One cell of the detail row of data byte `index`; "Ascii" is UTF-8 (the byte read as
// Windows-1251), "Value" and "History" are empty (a gauge and a graph show the byte).
std::string can_detail_cell(std::uint8_t byte, std::size_t index, CanDetailColumn column);
// The frame's line on the terminal: "SSS.mmm CANRX ID [ B0 B1 ... ]".
std::string can_terminal_line(const CanFrame& frame);

}  // namespace ztv
