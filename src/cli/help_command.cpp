// help: the tool's overview, or one command's usage and options ("ztv-tool help flash" is
// "ztv-tool flash --help").
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "common/format.h"

namespace ztv::cli {

void print_tool_help() {
    std::printf("ztv-tool: command-line companion of the ZEB TERVIO V4 setup program\n\n");
    std::printf("usage: ztv-tool COMMAND [ARGS...]   (options may stand before or after COMMAND)\n\ncommands:\n");
    for (const auto& command : all_commands())
        std::printf("  %s\n      %s\n", command_usage(command).c_str(), command.summary);
    std::printf("\n  --help, -h     this text (COMMAND --help: that command's options)\n"
                "  --version, -V  the program version\n");
}

int help_command(const ToolOptions& options) {
    if (options.arguments.empty()) {
        print_tool_help();
        return 0;
    }
    const std::string& name = options.arguments.front();
    const Command* command = find_command(name);
    if (command == nullptr) return refuse_command_line("help", format_pair(kUnknownCommand, name.c_str()), options.lang);
    const std::string_view help[] = {"--help"};
    return run_command(*command, help);
}

}  // namespace ztv::cli
