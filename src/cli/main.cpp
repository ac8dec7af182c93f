// ztv-tool: the setup program's core on the command line.
#include <string_view>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    return ztv::cli::run_tool(words);
}
