// ztv-tool: the setup program's core on the command line.
#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "common/program_version.h"

namespace {

void print_help() {
    std::printf("ztv-tool: command-line companion of the ZEB TERVIO V4 setup program\n\n");
    std::printf("usage: ztv-tool COMMAND [ARGS...]   (options may stand before or after COMMAND)\n\ncommands:\n");
    for (const auto& command : ztv::cli::all_commands())
        std::printf("  %s\n      %s\n", ztv::cli::command_usage(command).c_str(), command.summary);
    std::printf("\n  --help    this text (COMMAND --help: that command's options)\n  --version the program version\n");
}

}  // namespace

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
        print_help();
        return help ? 0 : 2;
    }
    if (const ztv::cli::Command* command = ztv::cli::find_command(name)) return ztv::cli::run_command(*command, args);
    std::fprintf(stderr, "ztv-tool: unknown command '%.*s' (see ztv-tool --help)\n", static_cast<int>(name.size()),
                 name.data());
    return 2;
}
