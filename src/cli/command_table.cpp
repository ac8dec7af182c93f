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
        {"show", "FILE.ZTV [--lang en|ru]",
         "print every parameter page as the program shows it: a heading per page, one line per control", run_show},
        {"get", "FILE.ZTV KEY...", "print KEY=VALUE for each key as the file stores it (also LONG_PRESS_MS, NAME1...NAME8)",
         run_get},
        {"set", "FILE.ZTV KEY=VALUE... [--lang en|ru]",
         "change parameters through the pages' own edits and checks, then save; a refusal saves nothing", run_set},
        {"diff", "A.ZTV B.ZTV | FILE.ZTV [--simulate [--sim-state FILE]] [--lang en|ru]",
         "print what differs from A to B, or what writing FILE would change in the controller; 0 equal, 1 different, 2 trouble",
         run_diff},
        {"backups", "", "list the automatic backups of controllers, newest first: PATH, SERIAL, DATE, REASON (tab-separated)",
         run_backups},
        {"info", "[--simulate [--sim-state FILE]] [--trace]",
         "print the device information of the first controller found (or of the simulated one)", run_info},
        {"backup", "OUT.ZTV [--simulate [--sim-state FILE]] [--trace]",
         "read the whole configuration from the controller and save it as a configuration file", run_backup},
        {"restore", "IN.ZTV [--no-backup] [--simulate [--sim-state FILE]] [--trace]",
         "back up the controller's configuration, then write a configuration file's record and touch block to it and "
         "restart it",
         run_restore},
        {"flash", "FILE.LDR [--yes] [--no-backup] [--simulate [--sim-state FILE]] [--trace]",
         "back up the controller's configuration, then update its firmware (without --yes, same or older versions are "
         "refused)",
         run_flash},
        {"canlog", "OUT.LOG [--tab] [--mode all|changed] [--seconds N] [--print] [--simulate [--sim-can FILE]]",
         "log the controller's CAN frames to OUT (for N seconds or until Ctrl+C), then print the identifier table",
         run_canlog},
    };
    return kCommands;
}

bool option_takes_value(std::string_view option) {
    return option == "--lang" || option == "--sim-state" || option == "--sim-can" || option == "--seconds" ||
           option == "--mode";
}

std::string_view command_name(std::span<const std::string_view> words, std::vector<std::string_view>& args) {
    std::string_view name;
    std::vector<std::string_view> before;
    args.clear();
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!name.empty()) {
            args.push_back(words[i]);
            continue;
        }
        if (words[i].starts_with("-")) {
            before.push_back(words[i]);
            if (option_takes_value(words[i]) && i + 1 < words.size()) before.push_back(words[++i]);
            continue;
        }
        name = words[i];
    }
    // Options given before the name follow the command's own arguments; every command reads
    // its options wherever they stand among its arguments.
    args.insert(args.end(), before.begin(), before.end());
    return name;
}

}  // namespace ztv::cli
