// Random lines through rewriteDebugLine in both languages: it must never read or write out of
// bounds, must leave a line it does not rewrite untouched, and may only put one name (and
// take at most ten digits) after one " EV:" marker that was already there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "events/debug_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kLongestName = 32;
    const std::string original(reinterpret_cast<const char*>(data), size);
    for (const ztv::Lang lang : {ztv::Lang::English, ztv::Lang::Russian}) {
        std::string line = original;
        const bool changed = ztv::rewriteDebugLine(line, lang);
        if (!changed) {
            if (line != original) std::abort();
            continue;
        }
        if (original.find(" EV:") == std::string::npos) std::abort();
        if (line.size() > original.size() + kLongestName || line.size() + 10 < original.size()) std::abort();
        // Everything up to the first marker that the rule used is kept.
        const std::size_t kept = original.find(" EV:");
        if (line.compare(0, kept, original, 0, kept) != 0) std::abort();
    }
    return 0;
}
