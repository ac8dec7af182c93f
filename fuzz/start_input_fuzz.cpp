// Random bytes as what ztv-setup reads before its window opens: a settings file (every number
// must come out within its range) and a command line (NUL-separated arguments; a line that is
// taken must hold only values the program can use).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/settings_file.h"
#include "app/setup_options.h"
#include "common/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ztv;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const MainSettings s = read_main_settings(IniDocument::parse(text), 1033);
    if (s.tx_height < kMinTerminalInputHeight || s.tx_height > kMaxTerminalInputHeight) std::abort();
    if (s.speed_up < 0 || s.speed_up > kMaxReplyDelayMs) std::abort();
    if (s.lang != 0 && s.lang != 1) std::abort();
    if (s.key_visible != 0 && s.key_visible != 1) std::abort();
    for (const auto& place : {s.main_top, s.main_left, s.key_top, s.key_left})
        if (place && (*place < -kMaxWindowCoordinate || *place > kMaxWindowCoordinate)) std::abort();

    std::vector<std::string_view> args;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || text[i] == '\0') {
            args.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    const ParsedSetupOptions parsed = parse_setup_options(args);
    if (!parsed.error) {
        const SetupOptions& o = parsed.options;
        if (o.screenshot && o.screenshot->empty()) std::abort();
        if (o.after_ms && (*o.after_ms < 0 || *o.after_ms > kMaxScreenshotDelayMs || !o.screenshot)) std::abort();
        if (o.lang && *o.lang != 0 && *o.lang != 1) std::abort();
        if (o.page && (*o.page < 0 || *o.page > 2)) std::abort();
    }
    return 0;
}
