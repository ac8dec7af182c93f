// Random bytes as what a second copy sends over the hand-over socket: a request is taken only
// as one absolute path without line breaks or NULs, and a taken path travels back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/open_request.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ztv;
    const std::string_view received(reinterpret_cast<const char*>(data), size);
    const ParsedOpenRequest parsed = parse_open_request(received);
    if (parsed.state != OpenRequestState::Complete) return 0;
    if (parsed.path.empty() || parsed.path.front() != '/' || parsed.path.size() >= kMaxOpenRequestBytes) std::abort();
    if (parsed.path.find_first_of(std::string_view("\0\r\n", 3)) != std::string::npos) std::abort();
    const auto again = encode_open_request(parsed.path);
    if (!again || *again != received) std::abort();
    return 0;
}
