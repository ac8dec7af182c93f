// ztv-tool: the setup program's core on the command line.
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "common/program_start.h"

int main(int argc, char** argv) {
    ztv::ProgramStart start(argc, argv);
    const std::vector<std::string_view> words(start.argv() + 1, start.argv() + start.argc());
    return ztv::cli::run_tool(words);
}
