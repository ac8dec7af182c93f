// The window's commands, one row each: what the toolbar and the main menu show of it (texts in
// both languages, hint, picture), its keys, when it may be used, and where it stands. The
// window builds one action per row from this table; ToolbarActions::run
// (app/toolbar_actions.cpp) gives each command its handler, the compiler checking that none is
// missing. Order matters: the toolbar and the main menu show their rows in the table's order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "app/shell_messages.h"
#include "app/toolbar_rules.h"
#include "common/text.h"
#include "session/safety_texts.h"

namespace ztv {

enum class Command : std::uint8_t {
    UpdateDevice, ReadConfig, WriteConfig, ReadDevice, WriteDevice, ToDefault, Reset,
    Undo, Redo, CompareFile, CompareController, Backups, Debug, Log,
    OnlyUsed, BackgroundPulls, Language, LanguageMaker, MainMenu, WriteNow, Russian, English,
};

// Where a command shows: on the toolbar, in the main menu, in one of its submenus.
enum class Place : std::uint8_t { Toolbar, Menu, ToolbarAndMenu, CompareMenu, LanguageMenu };

namespace command_flag {
inline constexpr std::uint8_t kCheckable = 1;
inline constexpr std::uint8_t kHidden = 2;           // kept for its state, not shown
inline constexpr std::uint8_t kGapBefore = 4;        // on the toolbar, a gap before it
inline constexpr std::uint8_t kStripBefore = 8;      // on the toolbar, the message strip before it
inline constexpr std::uint8_t kSeparatorBefore = 16; // in the menu, a line before it (or its submenu)
inline constexpr std::uint8_t kOwned = 32;           // shown once the part that runs it takes it
}  // namespace command_flag

struct CommandRow {
    Command command;
    // Object name for tests; a name ending in "x" is set by code, so no translation row has it.
    const char* name;
    TextPair caption;   // the menu entry or the text button; empty: its owner writes it
    TextPair hint;      // the toolbar hint; empty: written by code as the state changes
    const char* icon;   // the picture's file name without ".svg"; nullptr: none
    const char* keys;   // in the portable form, several separated by "; "; "" for none
    EnablingRule rule;
    Place place;
    std::uint8_t flags;

    bool has(std::uint8_t flag) const { return (flags & flag) != 0; }
    bool on_toolbar() const { return place == Place::Toolbar || place == Place::ToolbarAndMenu; }
    bool in_menu() const { return !on_toolbar() || place == Place::ToolbarAndMenu; }
};

// The two submenus of the main menu, each placed where its first row stands.
struct Submenu {
    Place place;
    const char* name;
    TextPair title;
};
inline constexpr std::array<Submenu, 2> kSubmenus{{
    {Place::CompareMenu, "MenuCompare", kCompareWith},
    {Place::LanguageMenu, "MenuItemLanguagex", {"Язык/Language", "Язык/Language"}},
}};

namespace command_rows {
using namespace command_flag;
using R = EnablingRule;
using P = Place;
inline constexpr TextPair kNone{"", ""};
// Resetting the configuration and restarting the controller have no key: one stray press must
// not be all it takes. A key runs its command only while the command may be used.
inline constexpr auto kRows = std::to_array<CommandRow>({
    {Command::UpdateDevice, "SpeedButtonUpdateDevice", kNone, {"Обновление прошивки", "Firmware update"},
     "update_device", "Ctrl+U", R::Controller, P::Toolbar, 0},
    {Command::ReadConfig, "SpeedButtonReadConfig", kNone,
     {"Открыть файл конфигурации устройства", "Open the device configuration file"}, "read_config", "Ctrl+O",
     R::Idle, P::Toolbar, 0},
    {Command::WriteConfig, "SpeedButtonWriteConfig", kNone,
     {"Сохранить файл конфигурации устройства", "Save device configuration file"}, "write_config", "Ctrl+S",
     R::Idle, P::Toolbar, 0},
    {Command::ReadDevice, "SpeedButtonReadDevice", kNone,
     {"Прочитать конфигурацию из устройства", "Read configuration from the device"}, "read_device", "Ctrl+R",
     R::Controller, P::Toolbar, 0},
    {Command::WriteDevice, "SpeedButtonWriteDevice", kNone,
     {"Записать конфигурацию в устройство", "Write configuration to the device"}, "write_device", "Ctrl+W",
     R::Controller, P::Toolbar, 0},
    {Command::ToDefault, "SpeedButtonToDefault", kNone,
     {"Сбросить конфигурацию устройства в исходное состояние", "Reset the device configuration to its default state"},
     "to_default", "", R::Controller, P::Toolbar, 0},
    {Command::Reset, "SpeedButtonReset", kNone, {"Перезагрузить устройство", "Reset device"}, "reset", "",
     R::Controller, P::Toolbar, 0},
    {Command::Undo, "MenuItemUndo", kNone, kNone, nullptr, "Ctrl+Z", R::Owner, P::Menu, kOwned},
    {Command::Redo, "MenuItemRedo", kNone, kNone, nullptr, "Ctrl+Shift+Z; Ctrl+Y", R::Owner, P::Menu, kOwned},
    {Command::CompareFile, "MenuItemCompareFile", kCompareWithFile, kNone, nullptr, "", R::Always, P::CompareMenu,
     kOwned | kSeparatorBefore},
    {Command::CompareController, "MenuItemCompareController", kCompareWithController, kNone, nullptr, "", R::Always,
     P::CompareMenu, kOwned},
    {Command::Backups, "MenuItemBackups", kBackupsItem, kNone, nullptr, "", R::Always, P::Menu, kOwned},
    {Command::Debug, "MenuItemDebug", {"Отладка", "Debug"}, kNone, nullptr, "", R::Always, P::Menu,
     kCheckable | kSeparatorBefore},
    {Command::Log, "MenuItemLog", {"Журнал обмена", "Communication log"}, kNone, nullptr, "", R::Always, P::Menu,
     kCheckable | kHidden},
    // One state for the toolbar toggle and the menu entry; the hint says what a click does.
    {Command::OnlyUsed, "MenuItemOnlyUsed", msg::kShowOnlyUsed, kNone, "only_used", "", R::Always,
     P::ToolbarAndMenu, kCheckable | kGapBefore},
    {Command::BackgroundPulls, "SpeedButton1", {"N", "N"}, kNone, nullptr, "", R::Always, P::Toolbar, kHidden},
    {Command::Language, "SpeedButtonLangx", kNone, msg::kSelectLanguage, nullptr, "", R::Always, P::Toolbar, 0},
    {Command::LanguageMaker, "SpeedButtonLanguageMakerx", {"L", "L"}, kNone, nullptr, "", R::Always, P::Toolbar,
     kHidden | kGapBefore},
    {Command::MainMenu, "SpeedButtonMenu", kNone, msg::kMainMenuHint, "menu", "F10", R::Always, P::Toolbar,
     kStripBefore},
    {Command::WriteNow, "MenuItemWriteNow", {"Применять настройки сразу", "Apply settings immediately"}, kNone,
     nullptr, "", R::Always, P::Menu, kCheckable | kHidden},
    {Command::Russian, "MenuItemRussianx", {"Русский", "Русский"}, kNone, nullptr, "", R::Always, P::LanguageMenu,
     kCheckable},
    {Command::English, "MenuItemEnglishx", {"English", "English"}, kNone, nullptr, "", R::Always, P::LanguageMenu,
     kCheckable},
});

// Each command's row is found by its number.
constexpr bool rows_in_command_order() {
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (static_cast<std::size_t>(kRows[i].command) != i) return false;
    return true;
}
static_assert(rows_in_command_order(), "the rows follow the Command enumeration");
}  // namespace command_rows

inline constexpr const auto& kCommands = command_rows::kRows;
inline constexpr std::size_t kCommandCount = kCommands.size();

inline const CommandRow& command_row(Command command) { return kCommands[static_cast<std::size_t>(command)]; }

}  // namespace ztv
