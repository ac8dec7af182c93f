// describe: what each slot of a configuration file holds, as the editor would show it.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "config/config_file.h"
#include "events/slot_listing.h"

namespace ztv::cli {

int describe_command(const ToolOptions& options) {
    const std::string& path = options.arguments[0];
    ConfigState state;
    const ConfigFileStatus status = load_config_file(path, state);
    if (status != ConfigFileStatus::Ok) {
        std::fprintf(stderr, "%s\n", config_file_error(status, path).in(options.lang).c_str());
        return 1;
    }
    const std::string text = describe_slots(state, options.lang);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

}  // namespace ztv::cli
