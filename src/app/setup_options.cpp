#include "app/setup_options.h"

#include <algorithm>

#include "common/command_line.h"
#include "common/host.h"
#include "diag/can_replay.h"

namespace ztv {
namespace {

using Error = OptionError;

constexpr TextPair kBadSlot{"--slot: нужен номер слота от 1 до 80, а не «%s»",
                            "--slot must be a slot number from 1 to 80, not '%s'"};
constexpr TextPair kBadParamPage{"--param-page: нужен номер страницы от 1 до 25, а не «%s»",
                                 "--param-page must be a page number from 1 to 25, not '%s'"};
constexpr TextPair kBadSize{"--size: нужно ШИРИНАxВЫСОТА от 1024x720 до 8192x8192, а не «%s»",
                            "--size must be WIDTHxHEIGHT from 1024x720 to 8192x8192, not '%s'"};
constexpr TextPair kBadAfter{"--after: нужно число миллисекунд от 0 до 600000, а не «%s»",
                             "--after must be a number of milliseconds from 0 to 600000, not '%s'"};
constexpr TextPair kSecondFile{"открыть можно только один файл конфигурации, а не ещё и «%s»",
                               "only one configuration file can be opened, not also '%s'"};

Error refused(const TextPair& pair, std::string_view value) { return format_pair(pair, std::string(value).c_str()); }

Error choose(std::string_view value, std::span<const std::string_view> names, std::optional<int>& out,
             std::string_view option) {
    int chosen = 0;
    if (auto error = ztv::choose(option, value, names, chosen)) return error;
    out = chosen;
    return std::nullopt;
}

constexpr std::string_view kLanguages[] = {"ru", "en"};       // index = language setting
constexpr std::string_view kPages[] = {"terminal", "parameters", "canlog"};  // index = page
constexpr std::string_view kWindows[] = {"keys", "ircode", "compare", "backups"};  // index = SetupWindow

constexpr OptionRow<SetupOptions> kRows[] = {
    {"--simulate", "", "attach the built-in simulated controller instead of USB",
     [](SetupOptions& o, std::string_view) -> Error {
         o.simulate = true;
         return std::nullopt;
     }},
    {"--sim-can", "FILE", "with --simulate: the CAN log replays the frames of FILE instead of the demo car bus",
     [](SetupOptions& o, std::string_view v) -> Error {
         o.sim_can = std::string(v);
         return std::nullopt;
     }},
    {"--replay-speed", "N",
     "with --sim-can: replay N times as fast as recorded (0 to 1000, default 1; 0: as fast as the frames are taken)",
     [](SetupOptions& o, std::string_view v) -> Error {
         const auto speed = parse_replay_speed(v);
         if (!speed) return replay_speed_refusal(v);
         o.replay_speed = *speed;
         return std::nullopt;
     }},
    {"--lang", "ru|en", "start in this language",
     [](SetupOptions& o, std::string_view v) { return choose(v, kLanguages, o.lang, "--lang"); }},
    {"--page", "terminal|parameters|canlog", "show this page first",
     [](SetupOptions& o, std::string_view v) { return choose(v, kPages, o.page, "--page"); }},
    {"--slot", "N", "show event slot N (1 to 80) in the event/reaction editor",
     [](SetupOptions& o, std::string_view v) -> Error {
         const auto slot = parse_bounded_number(v, 1, 80);
         if (!slot) return refused(kBadSlot, v);
         o.slot = static_cast<int>(*slot);
         return std::nullopt;
     }},
    {"--window", "keys|ircode|compare|backups",
     "with --screenshot: picture the key picker of the slot's reaction or the IR code editor of its IR code instead, "
     "or the differences from FILE.ZTV (which is then compared, not opened), or the backups window",
     [](SetupOptions& o, std::string_view v) { return choose(v, kWindows, o.window, "--window"); }},
    {"--param-page", "N", "show parameter page N (1 to 25, in tab order) on the \"Parameters\" page",
     [](SetupOptions& o, std::string_view v) -> Error {
         const auto page = parse_bounded_number(v, 1, 25);
         if (!page) return refused(kBadParamPage, v);
         o.param_page = static_cast<int>(*page);
         return std::nullopt;
     }},
    {"--size", "WxH", "open the window W pixels wide and H high (at least 1024x720, at most 8192 either way)",
     [](SetupOptions& o, std::string_view v) -> Error {
         const auto x = v.find_first_of("xX");
         const auto w = x == std::string_view::npos ? std::nullopt
                                                    : parse_bounded_number(v.substr(0, x), kMinWindowWidth, kMaxWindowSide);
         const auto h = x == std::string_view::npos
                            ? std::nullopt
                            : parse_bounded_number(v.substr(x + 1), kMinWindowHeight, kMaxWindowSide);
         if (!w || !h) return refused(kBadSize, v);
         o.width = static_cast<int>(*w);
         o.height = static_cast<int>(*h);
         return std::nullopt;
     }},
    {"--screenshot", "FILE", "save a PNG picture of the main window to FILE and exit; boxes take their default answer",
     [](SetupOptions& o, std::string_view v) -> Error {
         o.screenshot = std::string(v);
         return std::nullopt;
     }},
    {"--after", "MS", "take the screenshot after MS milliseconds (0 to 600000, default 1500)",
     [](SetupOptions& o, std::string_view v) -> Error {
         const auto ms = parse_bounded_number(v, 0, kMaxScreenshotDelayMs);
         if (!ms) return refused(kBadAfter, v);
         o.after_ms = static_cast<int>(*ms);
         return std::nullopt;
     }},
    {"--help", "", "this text",
     [](SetupOptions& o, std::string_view) -> Error {
         o.help = true;
         return std::nullopt;
     }},
    {"-h", "", "the same as --help",
     [](SetupOptions& o, std::string_view) -> Error {
         o.help = true;
         return std::nullopt;
     }},
    {"--version", "", "print the program version",
     [](SetupOptions& o, std::string_view) -> Error {
         o.version = true;
         return std::nullopt;
     }},
    {"-V", "", "the same as --version",
     [](SetupOptions& o, std::string_view) -> Error {
         o.version = true;
         return std::nullopt;
     }},
};

constexpr OptionNeed kNeeds[] = {
    {"--sim-can", "--simulate"},
    {"--replay-speed", "--sim-can"},
    {"--after", "--screenshot"},
    {"--window", "--screenshot"},
};

// The one argument that is not an option: the configuration file a file manager passes when
// the user opens a *.ZTV file with the program.
Error take_config_file(SetupOptions& o, std::string_view value) {
    if (o.config_file) return refused(kSecondFile, value);
    o.config_file = std::string(value);
    return std::nullopt;
}

}  // namespace

ParsedSetupOptions parse_setup_options(std::span<const std::string_view> args) {
    ParsedSetupOptions parsed;
    const OptionTable<SetupOptions> table{kRows, take_config_file, kNeeds};
    parsed.error = parse_command_line(args, table, parsed.options);
    return parsed;
}

std::vector<std::string_view> without_qt_options(std::span<const std::string_view> args) {
    static constexpr std::string_view kWithValue[] = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
        "qwindowtitle", "session", "display", "geometry", "style", "stylesheet"};
    static constexpr std::string_view kAlone[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    const auto is_one_of = [](std::string_view name, std::span<const std::string_view> names) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    std::vector<std::string_view> kept;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        if (name.size() < 2 || name[0] != '-') {
            kept.push_back(name);
            continue;
        }
        // Qt takes its options with one dash or two.
        name.remove_prefix(name.starts_with("--") ? 2 : 1);
        // Qt's widgets take their style (sheet) also as "-style=Fusion", the value in one word.
        if (name.starts_with("style=") || name.starts_with("stylesheet=")) continue;
        if (is_one_of(name, kWithValue)) {
            ++i;  // its value goes with it
        } else if (!is_one_of(name, kAlone) && !name.starts_with("qmljsdebugger=")) {
            kept.push_back(args[i]);
        }
    }
    return kept;
}

int unattended_answer(int type) {
    const int kind = type & 0xFF;
    if (kind != kBoxQuestion && kind != kBoxWarning) return kIdOk;
    if ((type & kBoxWithCancel) != 0) return kIdNo;
    return (type & kBoxDefaultSecond) != 0 ? kIdNo : kIdYes;
}

std::string setup_usage() {
    return "usage: ztv-setup [OPTIONS] [FILE.ZTV]\n\nFILE.ZTV is opened at start, as the \"open\" button would open it.\n\n"
           "options:\n" +
           options_help<SetupOptions>(kRows);
}

}  // namespace ztv

namespace ztv {

std::string setup_refusal(const Text& problem, Lang lang) {
    static constexpr TextPair kTryHelp{"Подробнее: «ztv-setup --help».", "Try 'ztv-setup --help' for more information."};
    return "ztv-setup: " + problem.in(lang) + "\n" + pick(kTryHelp, lang) + "\n";
}

}  // namespace ztv
