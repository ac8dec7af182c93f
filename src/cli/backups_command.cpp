// backups: the automatic backups that restore, flash and the program make before they
// overwrite a controller, newest first.
#include <cstdio>

#include "cli/commands.h"
#include "config/config_backups.h"

namespace ztv::cli {

int backups_command(const ToolOptions& /*options*/) {
    const BackupListing listing = list_backups(default_backup_folder());
    if (!listing.error.empty()) {
        std::fprintf(stderr, "%s\n", listing.error.in(Lang::English).c_str());
        return 1;
    }
    for (const BackupEntry& entry : listing.entries)
        std::printf("%s\t%s\t%s\t%s\n", entry.path.c_str(), entry.serial.c_str(), entry.date.c_str(),
                    entry.reason.c_str());
    return 0;
}

}  // namespace ztv::cli
