// ztv-tool: the setup program's core on the command line.
#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "common/program_version.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    std::vector<std::string_view> args;
    const std::string_view name = ztv::cli::command_name(words, args);
    if (name.empty()) {
        bool help = false;
        bool version = false;
        for (std::string_view word : words) {
            help = help || word == "--help" || word == "-h";
            version = version || word == "--version";
        }
        if (version && !help) {
            std::printf("ztv-tool %s\n", ztv::kProgramVersionText);
            return 0;
        }
        ztv::cli::print_tool_help();
        return help ? 0 : 2;
    }
    if (const ztv::cli::Command* command = ztv::cli::find_command(name)) return ztv::cli::run_command(*command, args);
    std::fprintf(stderr, "ztv-tool: unknown command '%.*s' (see ztv-tool --help)\n", static_cast<int>(name.size()),
                 name.data());
    return 2;
}
