#include "catalogues/key_captions.h"

#include <algorithm>

namespace ztv {
namespace {

constexpr const char* kModifiers[kModifierCount] = {"Ctrl", "Shift", "Alt", "Win", "Ctrl", "Shift", "Alt", "Win"};

constexpr KeyCaption kKeyboard[] = {
    {4, "A"},      {5, "B"},     {6, "C"},     {7, "D"},     {8, "E"},      {9, "F"},     {10, "G"},
    {11, "H"},     {12, "I"},    {13, "J"},    {14, "K"},    {15, "L"},     {16, "M"},    {17, "N"},
    {18, "O"},     {19, "P"},    {20, "Q"},    {21, "R"},    {22, "S"},     {23, "T"},    {24, "U"},
    {25, "V"},     {26, "W"},    {27, "X"},    {28, "Y"},    {29, "Z"},     {30, "1"},    {31, "2"},
    {32, "3"},     {33, "4"},    {34, "5"},    {35, "6"},    {36, "7"},     {37, "8"},    {38, "9"},
    {39, "0"},     {40, "Enter"}, {41, "Esc"},  {42, "Backspace"}, {43, "Tab"}, {44, "____"}, {45, "-"},
    {46, "="},     {47, "["},    {48, "]"},    {49, "\\"},   {51, ";"},     {52, "'"},    {53, "`"},
    {54, ","},     {55, "."},    {56, "/"},    {57, "Caps"}, {58, "F1"},    {59, "F2"},   {60, "F3"},
    {61, "F4"},    {62, "F5"},   {63, "F6"},   {64, "F7"},   {65, "F8"},    {66, "F9"},   {67, "F10"},
    {68, "F11"},   {69, "F12"},  {70, "PrScr"}, {71, "Scrl"}, {72, "Pause"}, {73, "Ins"},  {74, "Home"},
    {75, "PgUp"},  {76, "Del"},  {77, "End"},  {78, "PgDn"}, {79, ">"},     {80, "<"},    {81, "v"},
    {82, "^"},     {83, "Num"},  {84, "/"},    {85, "*"},    {86, "-"},     {87, "+"},    {88, "Enter"},
    {89, "1"},     {90, "2"},    {91, "3"},    {92, "4"},    {93, "5"},     {94, "6"},    {95, "7"},
    {96, "8"},     {97, "9"},    {98, "0"},    {99, "."},    {101, "Apps"}};

constexpr KeyCaption kConsumer[] = {
    {0x00B0, "PLAY"},       {0x00B1, "PAUSE"},      {0x00B2, "RECORD"},         {0x00B3, "FORWARD"},
    {0x00B4, "REWIND"},     {0x00B5, "NEXT TRACK"}, {0x00B6, "PREV TRACK"},     {0x00B7, "STOP"},
    {0x00CD, "PLAY/PAUSE"}, {0x00E2, "MUTE"},       {0x00E9, "VOL+"},           {0x00EA, "VOL-"},
    {0x0183, "MEDIA LIB"},  {0x018A, "EMAIL"},      {0x0192, "CALC"},           {0x0194, "MACHINE BROWSER"},
    {0x0196, "BROWSER"},    {0x0223, "HOME"},       {0x0224, "BACK"}};

constexpr TextPair kSystemControl[kSystemControlCount] = {
    {"Выключение", "Power Down"},         {"Сон", "Sleep"},
    {"Пробуждение", "Wake Up"},           {"Контекстное меню", "Context Menu"},
    {"Главное меню", "Main Menu"},        {"Меню приложения", "App Menu"},
    {"Справка меню", "Menu Help"},        {"Выход из меню", "Menu Exit"}};

const char* find_caption(std::span<const KeyCaption> keys, unsigned usage) {
    const auto it = std::lower_bound(keys.begin(), keys.end(), usage,
                                     [](const KeyCaption& key, unsigned value) { return key.usage < value; });
    return it != keys.end() && it->usage == usage ? it->caption : nullptr;
}

}  // namespace

const char* key_modifier_caption(unsigned bit) { return bit < kModifierCount ? kModifiers[bit] : ""; }

std::span<const KeyCaption> keyboard_keys() { return kKeyboard; }
const char* keyboard_key_caption(unsigned usage) { return find_caption(kKeyboard, usage); }

std::span<const KeyCaption> consumer_keys() { return kConsumer; }
const char* consumer_key_caption(unsigned usage) { return find_caption(kConsumer, usage); }

TextPair system_control_caption(unsigned bit) {
    return bit < kSystemControlCount ? kSystemControl[bit] : TextPair{"", ""};
}

}  // namespace ztv
