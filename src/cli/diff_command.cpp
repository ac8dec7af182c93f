// diff: what differs between two configuration files, or between a file and the controller
// (what writing the file would change there). Exit status as diff(1): 0 equal, 1 different,
// 2 trouble.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "config/config_file.h"
#include "events/config_compare.h"

namespace ztv::cli {
namespace {

constexpr int kEqual = 0;
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;
constexpr const char* kUsage = "usage: ztv-tool diff A.ZTV B.ZTV [--lang en|ru]\n"
                               "       ztv-tool diff FILE.ZTV [--simulate [--sim-state FILE]] [--trace] [--lang en|ru]\n";

bool load(const std::string& path, ConfigState& state, Lang lang) {
    const ConfigFileStatus status = load_config_file(path, state);
    if (status == ConfigFileStatus::Ok) return true;
    std::fprintf(stderr, "%s\n", config_file_error(status, path).in(lang).c_str());
    return false;
}

}  // namespace

int run_diff(Args args) {
    Lang lang = Lang::English;
    std::vector<std::string> files;
    std::vector<std::string_view> device_args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang") {
            if (i + 1 >= args.size() || (args[i + 1] != "en" && args[i + 1] != "ru")) {
                std::fputs(kUsage, stderr);
                return kTrouble;
            }
            lang = args[++i] == "ru" ? Lang::Russian : Lang::English;
        } else if (args[i].starts_with("-")) {
            // The device options are checked where they are used.
            device_args.push_back(args[i]);
            if (args[i] == "--sim-state" && i + 1 < args.size()) device_args.push_back(args[++i]);
        } else {
            files.emplace_back(args[i]);
        }
    }
    if (files.empty() || files.size() > 2 || (files.size() == 2 && !device_args.empty())) {
        std::fputs(kUsage, stderr);
        return kTrouble;
    }
    ConfigState before;
    ConfigState after;
    CompareScope scope;
    if (!load(files.back(), after, lang)) return kTrouble;
    if (files.size() == 2) {
        if (!load(files.front(), before, lang)) return kTrouble;
    } else {
        // What the controller holds is what writing the file changes; it keeps no slot names.
        if (read_controller(device_args, before) != 0) return kTrouble;
        scope.slot_names = false;
    }
    const Comparison comparison =
        compare_configurations(take_snapshot(before), take_snapshot(after), lang, scope);
    std::fwrite(comparison.text.data(), 1, comparison.text.size(), stdout);
    return comparison.differ ? kDifferent : kEqual;
}

}  // namespace ztv::cli
