// dump and convert: configuration files without a controller.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "common/cp1251.h"
#include "common/hex.h"
#include "config/config_file.h"

namespace ztv::cli {
namespace {

bool load(const std::string& path, ConfigState& state, Lang lang) {
    const ConfigFileStatus status = load_config_file(path, state);
    if (status == ConfigFileStatus::Ok) return true;
    std::fprintf(stderr, "%s\n", config_file_error(status, path).in(lang).c_str());
    return false;
}

}  // namespace

int dump_command(const ToolOptions& options) {
    ConfigState state;
    if (!load(options.arguments[0], state, options.lang)) return 1;
    std::printf("touch: %s\n", to_hex(state.touch).c_str());
    std::printf("record: %s\n", to_hex(state.record.bytes()).c_str());
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        std::printf("name %zu: %s\n", slot + 1, cp1251_to_utf8(state.slot_name(slot)).c_str());
    return 0;
}

int convert_command(const ToolOptions& options) {
    ConfigState state;
    if (!load(options.arguments[0], state, options.lang)) return 1;
    const std::string& out = options.arguments[1];
    const FileWriteStatus status = save_config_file(out, state);
    if (status != FileWriteStatus::Ok) {
        std::fprintf(stderr, "%s\n", config_file_error(status, out).in(options.lang).c_str());
        return 1;
    }
    return 0;
}

}  // namespace ztv::cli
