// Random text as the program's settings file: every value read is within its range, and what
// the program writes back reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/settings_file.h"
#include "common/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ztv;
    IniDocument doc = IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const MainSettings s = read_main_settings(doc, 1033);
    if (s.tx_height < kMinTerminalInputHeight || s.tx_height > kMaxTerminalInputHeight) std::abort();
    if (s.speed_up < 0 || s.speed_up > kMaxReplyDelayMs) std::abort();
    if (s.lang != 0 && s.lang != 1) std::abort();
    if (s.key_visible != 0 && s.key_visible != 1) std::abort();
    for (const auto& place : {s.main_top, s.main_left, s.key_top, s.key_left})
        if (place && (*place < -kMaxWindowCoordinate || *place > kMaxWindowCoordinate)) std::abort();
    const DialogSize dialog = read_file_dialog_size(doc);
    if (dialog.width < kMinFileDialogSize.width || dialog.width > kMaxFileDialogSide) std::abort();
    const std::string folder = read_folder_path(doc, FolderKey::Config, "/opt/ztv");
    (void)folder_of(folder);

    write_main_settings(doc, s);
    const MainSettings again = read_main_settings(IniDocument::parse(doc.serialize()), 1033);
    if (again.tx_height != s.tx_height || again.lang != s.lang || again.speed_up != s.speed_up ||
        again.main_top != s.main_top || again.key_left != s.key_left)
        std::abort();
    return 0;
}
