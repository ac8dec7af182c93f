// ztv-tool: the setup program's core on the command line.
#include <csignal>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "common/program_start.h"

int main(int argc, char** argv) {
#if defined(SIGPIPE)
    // A reader that went away (ztv-tool show car.ZTV | head) is a write error the command
    // reports and ends with, not a signal that ends the program without a word.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    ztv::ProgramStart start(argc, argv);
    const std::vector<std::string_view> words(start.argv() + 1, start.argv() + start.argc());
    return ztv::cli::run_tool(words);
}
