// Random bytes as ztv-setup's command line (NUL-separated arguments): a line that is taken must
// hold only values the program can use. (The settings file has a target of its own.)
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/setup_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ztv;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

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
