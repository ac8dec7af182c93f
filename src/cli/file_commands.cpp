// dump and convert: configuration files without a controller.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "common/cp1251.h"
#include "common/hex.h"
#include "config/config_file.h"

namespace ztv::cli {
int dump_command(const ToolOptions& options) {
    ConfigState state;
    if (!load_configuration(options.arguments[0], state, options.lang)) return 1;
    std::printf("touch: %s\n", to_hex(state.touch).c_str());
    std::printf("record: %s\n", to_hex(state.record.bytes()).c_str());
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        std::printf("name %zu: %s\n", slot + 1, cp1251_to_utf8(state.slot_name(slot)).c_str());
    return 0;
}

int convert_command(const ToolOptions& options) {
    ConfigState state;
    if (!load_configuration(options.arguments[0], state, options.lang)) return 1;
    return save_configuration(options.arguments[1], state, options.lang) ? 0 : 1;
}

}  // namespace ztv::cli
