// The program's own settings: window places, pane height, menu states, reply delay, language
// and the last folder of each kind of file, in one INI file of the user's.
#pragma once

#include <optional>
#include <string>

#include "common/file_io.h"
#include "common/ini_document.h"
#include "common/text.h"
#include "app/pane_split.h"
#include "diag/terminal_input_height.h"

namespace ztv {

inline constexpr TextPair kSettingsReadError{"Ошибка чтения файла настроек программы",
                                             "Error reading the configuration file of the program"};
inline constexpr TextPair kSettingsNotSaved{"Не удалось сохранить настройки программы в %s",
                                            "The program settings could not be saved to %s"};

// Windows language identifiers that make Russian the default language.
inline constexpr int kLangIdRussian = 1049;
inline constexpr int kLangIdUkrainian = 1058;

// Sane ranges of the numeric settings. A stored value outside its range was not written by
// this program (or by a version that knew better), and used as it stands it could leave a page
// blank or the link stalled; it reads as the key's default instead.
inline constexpr int kMaxWindowCoordinate = 100000;  // either sign; beyond that the window is centred
inline constexpr int kMaxReplyDelayMs = 1000;        // SpeedUp; the link gives a reply 200 ms

struct MainSettings {
    std::optional<int> main_top;   // nothing = centre the window
    std::optional<int> main_left;
    int tx_height = kDefaultTerminalInputHeight;  // terminal input pane
    // The parameter pages' share of the "Parameters" tab's height above the event editor, in
    // thousandths (ParamShare, this program's own key): a share, so that a split stored from a
    // maximised window suits a smaller start too. Nothing = the default split.
    std::optional<int> param_share;
    bool log = false;              // "Communication log" checked
    bool debug = false;            // "Debug" checked
    bool only_used = false;        // "Display only used events and reactions" checked
    int speed_up = 0;              // firmware-block reply delay in ms; 0 means 50 ms
    int lang = 1;                  // 0 Russian, 1 English (any other stored value reads as 0)
    std::optional<int> key_top;    // key picker window
    std::optional<int> key_left;
    int key_visible = 0;           // 0 or 1
};

enum class FolderKey { Config, CanLog, Firmware };

// Where the settings file lives: $XDG_CONFIG_HOME (or ~/.config) on Linux, %APPDATA% on
// Windows, ~/Library/Preferences on macOS; always "<dir>/zeb-tervio/ztv-setup.ini".
std::string default_settings_path();

class SettingsFile {
public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // The file's current text; a missing file reads as empty. Nothing when it cannot be read.
    std::optional<IniDocument> open() const;
    // Writes the document back (creating the folder). A text beyond what open() reads back is
    // refused, so the settings never lock themselves out.
    FileWriteStatus save(const IniDocument& doc) const;

private:
    std::string path_;
};

// "The program settings could not be saved to <file>" and the reason on a second line.
Text settings_save_error(FileWriteStatus status, const std::string& path);

// system_language_id decides the language when the file names none.
MainSettings read_main_settings(const IniDocument& doc, int system_language_id);
// Writes every key of MainSettings, in the order the program saves them at close.
void write_main_settings(IniDocument& doc, const MainSettings& settings);

// The stored path of a folder key, or default_folder when none is stored.
std::string read_folder_path(const IniDocument& doc, FolderKey key, const std::string& default_folder);
// Stores a non-empty path under the folder key; an empty one is ignored.
void remember_folder_path(IniDocument& doc, FolderKey key, const std::string& path);
// The folder part of a stored path (what a dialog starts in).
std::string folder_of(const std::string& path);

int default_language(int system_language_id);

// The CAN log page's "Highlight changes" tick (CanHighlight, this program's own key): on unless
// the user turned it off. Kept apart from MainSettings: the page stores it when it changes.
bool read_can_highlight(const IniDocument& doc);
void write_can_highlight(IniDocument& doc, bool on);

// The size the file dialogs open at. The default shows whole file names beside their sizes and
// dates; a stored size the user chose is kept within sane bounds (the view keeps it on screen).
struct DialogSize {
    int width;
    int height;
    bool operator==(const DialogSize&) const = default;
};
inline constexpr DialogSize kDefaultFileDialogSize{900, 560};
inline constexpr DialogSize kMinFileDialogSize{480, 320};
inline constexpr int kMaxFileDialogSide = 10000;
DialogSize read_file_dialog_size(const IniDocument& doc);
// Sizes out of bounds are not stored, so a broken window manager cannot shrink the dialog away.
void remember_file_dialog_size(IniDocument& doc, DialogSize size);

struct WindowPlace {
    int top;
    int left;
};
// Centres on the screen unless the stored place keeps the window's top on the screen and no
// more than half of it off the left or right edge.
WindowPlace place_window(int screen_width, int screen_height, int window_width, int window_height,
                         std::optional<int> stored_top, std::optional<int> stored_left);

}  // namespace ztv
