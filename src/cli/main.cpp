// ztv-tool: the setup program's core on the command line.
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "common/program_version.h"

namespace {

void print_help() {
    std::printf("ztv-tool: command-line companion of the ZEB TERVIO V4 setup program\n\n");
    std::printf("usage: ztv-tool COMMAND [ARGS...]\n\ncommands:\n");
    for (const auto& command : ztv::cli::all_commands())
        std::printf("  %s %s\n      %s\n", command.name, command.usage, command.summary);
    std::printf("\n  --help    this text\n  --version the program version\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        print_help();
        return argc < 2 ? 2 : 0;
    }
    const std::string_view name = argv[1];
    if (name == "--version") {
        std::printf("ztv-tool %s\n", ztv::kProgramVersionText);
        return 0;
    }
    std::vector<std::string_view> args(argv + 2, argv + argc);
    for (const auto& command : ztv::cli::all_commands())
        if (name == command.name) return command.run(args);
    std::fprintf(stderr, "ztv-tool: unknown command '%s' (see ztv-tool --help)\n", argv[1]);
    return 2;
}
