// Random text through the configuration loader only (parsing and field reading, no save), so
// that the parsers get millions of inputs where the round-trip target gets thousands. What it
// looks for is what the sanitizers see: a read out of bounds, an overflow, a leak.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/config_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ztv;
    const IniDocument doc = IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (holds_configuration(doc)) (void)read_config(doc);
    return 0;
}
