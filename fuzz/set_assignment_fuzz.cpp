// Random bytes as the KEY=VALUE assignments of `ztv-tool set` (NUL-separated), applied through
// the pages' own edits: each is applied, refused with a message or named unknown or malformed,
// and every key that exists reads back afterwards.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/parameter_keys.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ztv;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ConfigState state;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i != size && text[i] != '\0') continue;
        const std::string_view assignment = text.substr(start, i - start);
        start = i + 1;
        const std::size_t equals = assignment.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = assignment.substr(0, equals);
        const AssignResult result = assign_key(state, key, assignment.substr(equals + 1), std::nullopt);
        if (result.status != AssignStatus::Applied && result.message.empty()) std::abort();
        if (result.status == AssignStatus::Applied && !key_value(state, key)) std::abort();
    }
    return 0;
}
