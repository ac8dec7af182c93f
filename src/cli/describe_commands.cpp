// describe: what each slot of a configuration file holds, as the editor would show it.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "config/config_file.h"
#include "events/slot_listing.h"

namespace ztv::cli {

int describe_command(const ToolOptions& options) {
    ConfigState state;
    if (!load_configuration(options.arguments[0], state, options.lang)) return 1;
    if (!options.json) {
        const std::string text = describe_slots(state, options.lang);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    JsonWriter json;
    json.begin_object().key("slots").begin_array();
    for (const UsedSlot& used : list_used_slots(state, options.lang)) {
        json.begin_object().key("slot").value(used.slot + 1).key("name").value(used.name);
        json.key("caption").value(used.listing.caption).key("lines").begin_array();
        for (const SlotLine& line : used.listing.lines)
            json.begin_object()
                .key("part")
                .value(line.reaction ? "reaction" : "event")
                .key("label")
                .value(line.label)
                .key("caption")
                .value(line.caption)
                .key("value")
                .value(line.value)
                .end_object();
        json.end_array().end_object();
    }
    print_json(json.end_array().end_object());
    return 0;
}

}  // namespace ztv::cli
