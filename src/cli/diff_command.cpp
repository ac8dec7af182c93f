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
bool load(const std::string& path, ConfigState& state, Lang lang) {
    const ConfigFileStatus status = load_config_file(path, state);
    if (status == ConfigFileStatus::Ok) return true;
    std::fprintf(stderr, "%s\n", config_file_error(status, path).in(lang).c_str());
    return false;
}

}  // namespace

int diff_command(const ToolOptions& options) {
    const Lang lang = options.lang;
    const std::vector<std::string>& files = options.arguments;
    // Two files compare with each other; the controller's options belong to one file.
    if (files.size() == 2 && (options.simulate || options.trace || !options.sim_state.empty())) {
        std::fprintf(stderr, "ztv-tool diff: two files are compared with each other, not with a controller\n"
                             "usage: ztv-tool %s\n", command_usage(*find_command("diff")).c_str());
        return kTrouble;
    }
    ConfigState before;
    ConfigState after;
    CompareScope scope;
    if (!load(files.back(), after, lang)) return kTrouble;
    scope.after = files.back();
    if (files.size() == 2) {
        if (!load(files.front(), before, lang)) return kTrouble;
        scope.before = files.front();
    } else {
        // What the controller holds is what writing the file changes; it keeps no slot names.
        if (read_controller(options, before) != 0) return kTrouble;
        scope.slot_names = false;
        scope.before = pick(kControllerSide, lang);
    }
    const Comparison comparison =
        compare_configurations(take_snapshot(before), take_snapshot(after), lang, scope);
    std::fwrite(comparison.text.data(), 1, comparison.text.size(), stdout);
    return comparison.differ ? kDifferent : kEqual;
}

}  // namespace ztv::cli
