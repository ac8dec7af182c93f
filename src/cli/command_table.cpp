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
        {"info", "[--simulate [--sim-state FILE]] [--trace]",
         "print the device information of the first controller found (or of the simulated one)", run_info},
        {"backup", "OUT.ZTV [--simulate [--sim-state FILE]] [--trace]",
         "read the whole configuration from the controller and save it as a configuration file", run_backup},
        {"restore", "IN.ZTV [--simulate [--sim-state FILE]] [--trace]",
         "write a configuration file's record and touch block to the controller, then restart it", run_restore},
        {"flash", "FILE.LDR [--yes] [--simulate [--sim-state FILE]] [--trace]",
         "update the controller's firmware (without --yes, same or older versions are refused)", run_flash},
        {"canlog", "OUT.LOG [--tab] [--mode all|changed] [--seconds N] [--print] [--simulate [--sim-can FILE]]",
         "log the controller's CAN frames to OUT (for N seconds or until Ctrl+C), then print the identifier table",
         run_canlog},
    };
    return kCommands;
}

}  // namespace ztv::cli
