#include "cli/commands.h"

namespace ztv::cli {

std::span<const Command> all_commands() {
    static const Command kCommands[] = {
        {"dump", "FILE.ZTV", "print the touch block, the record and the slot names a configuration file loads as",
         run_dump},
        {"convert", "IN.ZTV OUT.ZTV", "load IN and save it to OUT as the program does (OUT keeps its other sections)",
         run_convert},
        {"decode-debug", "[--lang en|ru]",
         "copy debug lines from standard input to standard output with bus event numbers named",
         run_decode_debug},
        {"describe", "FILE.ZTV [--lang en|ru]", "print what every slot that is not empty holds, as the editor shows it",
         run_describe},
    };
    return kCommands;
}

}  // namespace ztv::cli
