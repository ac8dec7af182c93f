// diff: what differs between two configuration files, or between a file and the controller
// (what writing the file would change there). Exit status as diff(1): 0 equal, 1 different,
// 2 trouble.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "common/standard_streams.h"
#include "config/config_file.h"
#include "events/config_compare.h"

namespace ztv::cli {
namespace {

constexpr int kEqual = 0;
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

JsonWriter comparison_json(const Comparison& comparison, const CompareScope& scope) {
    JsonWriter json;
    json.begin_object().key("before").value(scope.before).key("after").value(scope.after);
    json.key("equal").value(!comparison.differ).key("groups").begin_array();
    for (const CompareGroup& group : comparison.groups) {
        json.begin_object().key("heading").value(group.heading).key("changes").begin_array();
        for (const CompareLine& line : group.lines) {
            json.begin_object().key("label").value(line.label);
            const bool noted = !line.note.empty();
            for (const auto& [name, text] : {std::pair{"before", &line.before}, std::pair{"after", &line.after}}) {
                json.key(name);
                if (noted) json.null();
                else json.value(*text);
            }
            json.key("note");
            if (noted) json.value(line.note);
            else json.null();
            json.end_object();
        }
        json.end_array().end_object();
    }
    json.end_array().end_object();
    return json;
}

}  // namespace

int diff_command(const ToolOptions& options) {
    const Lang lang = options.lang;
    const std::vector<std::string>& files = options.arguments;
    // Two files compare with each other; the controller's options belong to one file.
    if (files.size() == 2 && (options.simulate || options.trace || !options.sim_state.empty())) {
        static constexpr TextPair kTwoFiles{"два файла сравниваются друг с другом, а не с контроллером",
                                            "two files are compared with each other, not with a controller"};
        return refuse_command_line("diff", to_text(kTwoFiles), lang);
    }
    if (files.size() == 2 && names_standard_stream(files[0]) && names_standard_stream(files[1])) {
        static constexpr TextPair kInputTwice{"стандартный ввод можно прочитать только один раз",
                                              "standard input can be read only once"};
        return refuse_command_line("diff", to_text(kInputTwice), lang);
    }
    ConfigState before;
    ConfigState after;
    CompareScope scope;
    if (!load_configuration(files.back(), after, lang)) return kTrouble;
    // A side read from standard input is named as such in the line that says which way it goes.
    const auto side = [lang](const std::string& file) {
        return names_standard_stream(file) ? std::string(pick(kStandardInputName, lang)) : file;
    };
    scope.after = side(files.back());
    if (files.size() == 2) {
        if (!load_configuration(files.front(), before, lang)) return kTrouble;
        scope.before = side(files.front());
    } else {
        // What the controller holds is what writing the file changes; it keeps no slot names.
        if (read_controller(options, before) != 0) return kTrouble;
        scope.slot_names = false;
        scope.before = pick(kControllerSide, lang);
    }
    const Comparison comparison =
        compare_configurations(take_snapshot(before), take_snapshot(after), lang, scope);
    if (options.json) print_json(comparison_json(comparison, scope));
    else std::fwrite(comparison.text.data(), 1, comparison.text.size(), stdout);
    return comparison.differ ? kDifferent : kEqual;
}

}  // namespace ztv::cli
