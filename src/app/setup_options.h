// ztv-setup's command line: what a person (or a script taking pictures) may ask at start.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace ztv {

// Bounds of --after: long enough for any picture, short enough that a mistyped value does not
// leave an unattended run hanging for days.
inline constexpr int kMaxScreenshotDelayMs = 600000;
inline constexpr int kDefaultScreenshotDelayMs = 1500;
// Bounds of --size: the designed size is the least; beyond 8K no screen shows it.
inline constexpr int kMinWindowWidth = 1024;
inline constexpr int kMinWindowHeight = 720;
inline constexpr int kMaxWindowSide = 8192;

// The tool windows --window pictures, by index.
enum SetupWindow : int { kWindowKeyPicker = 0, kWindowIrCode = 1, kWindowCompare = 2, kWindowBackups = 3 };

struct SetupOptions {
    bool simulate = false;
    std::optional<std::string> screenshot;  // PNG of the main window, then exit
    std::optional<int> after_ms;            // delay before the screenshot
    std::optional<int> lang;                // 0 Russian, 1 English; nothing = as the settings say
    std::optional<int> page;                // 0 terminal, 1 parameters, 2 CAN log; nothing = as start-up picks
    std::optional<std::string> config_file; // a configuration file to open at start (FILE.ZTV)
    std::optional<std::string> sim_can;     // CAN frames the simulated controller replays
    std::optional<std::uint32_t> replay_speed;  // their pace in thousandths of real time; nothing = 1x
    std::optional<int> slot;                // event slot 1-80 the editor shows first; nothing = slot 1
    std::optional<int> window;              // with a screenshot: the slot's tool window to picture instead
    std::optional<int> param_page;          // parameter page 1-25 shown first; nothing = the first
    std::optional<int> width;               // window size; nothing = the designed 1024 x 720
    std::optional<int> height;
    bool help = false;
    bool version = false;

    bool unattended() const { return screenshot.has_value(); }
    int screenshot_delay_ms() const { return after_ms.value_or(kDefaultScreenshotDelayMs); }
};

struct ParsedSetupOptions {
    SetupOptions options;
    std::optional<Text> error;  // set when the command line is refused (exit 2)
};

ParsedSetupOptions parse_setup_options(std::span<const std::string_view> args);

// The command line without the options Qt's application object takes for itself (-platform X,
// -style X, -reverse...), so that ours can be read before that object exists: --help, --version
// and a refused command line then need no display.
std::vector<std::string_view> without_qt_options(std::span<const std::string_view> args);

// The answer of a box in an unattended run: the button a person pressing Enter would get, so
// that the run goes the way the box itself suggests (questions marked "No by default" get No).
// A box with Cancel asks to save before the configuration is dropped: nobody could answer
// the save dialog, so an unattended run goes on without saving.
int unattended_answer(int type);

// The usage text printed by --help.
std::string setup_usage();

// A refused command line: the problem on one line and where to read more, in lang; the text
// ends with a line break.
std::string setup_refusal(const Text& problem, Lang lang);

}  // namespace ztv
