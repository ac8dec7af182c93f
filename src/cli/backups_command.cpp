// backups: the automatic backups that restore, flash and the program make before they
// overwrite a controller, newest first.
#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "common/format.h"
#include "config/config_backups.h"

namespace ztv::cli {
namespace {

// A tab or line break in a path would split or end the line it stands on.
bool breaks_the_listing(const std::string& path) {
    return std::any_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

}  // namespace

int backups_command(const ToolOptions& options) {
    const std::string folder = default_backup_folder();
    const BackupListing listing = list_backups(folder);
    if (!listing.error.empty()) {
        std::fprintf(stderr, "%s\n", listing.error.in(options.lang).c_str());
        return 1;
    }
    if (options.json) {
        JsonWriter json;
        json.begin_object().key("folder").value(folder).key("backups").begin_array();
        for (const BackupEntry& entry : listing.entries)
            json.begin_object()
                .key("path")
                .value(entry.path)
                .key("serial")
                .value(std::stoull(entry.serial))
                .key("date")
                .value(entry.date)
                .key("reason")
                .value(entry.reason)
                .end_object();
        print_json(json.end_array().end_object());
        return 0;
    }
    // The file names are the program's own; only the folder can hold such a character.
    if (breaks_the_listing(folder) && !listing.entries.empty()) {
        static constexpr TextPair kFolderBreaksListing{
            "ztv-tool backups: в имени папки резервных копий есть табуляция или перевод строки, а в списке по одной "
            "копии на строку их не показать: %s",
            "ztv-tool backups: the backup folder's name holds a tab or a line break, which a listing of one "
            "backup a line cannot show: %s"};
        std::fprintf(stderr, "%s\n", format_pair(kFolderBreaksListing, folder.c_str()).in(options.lang).c_str());
        return 1;
    }
    for (const BackupEntry& entry : listing.entries)
        std::printf("%s\t%s\t%s\t%s\n", entry.path.c_str(), entry.serial.c_str(), entry.date.c_str(),
                    entry.reason.c_str());
    return 0;
}

}  // namespace ztv::cli
