// describe: what each slot of a configuration file holds, as the editor would show it.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "config/config_file.h"
#include "events/slot_listing.h"

namespace ztv::cli {

int run_describe(Args args) {
    std::string path;
    Lang lang = Lang::English;
    bool usage_error = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang" && i + 1 < args.size()) {
            const std::string_view value = args[++i];
            if (value == "en") lang = Lang::English;
            else if (value == "ru") lang = Lang::Russian;
            else usage_error = true;
        } else if (path.empty() && !args[i].starts_with("--")) {
            path = std::string(args[i]);
        } else {
            usage_error = true;
        }
    }
    if (usage_error || path.empty()) {
        std::fprintf(stderr, "usage: ztv-tool describe FILE.ZTV [--lang en|ru]\n");
        return 2;
    }
    ConfigState state;
    const ConfigFileStatus status = load_config_file(path, state);
    if (status != ConfigFileStatus::Ok) {
        std::fprintf(stderr, "%s\n", config_file_error(status, path).in(lang).c_str());
        return 1;
    }
    const std::string text = describe_slots(state, lang);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

}  // namespace ztv::cli
