// Random text as a configuration file: loading must never fail or read out of bounds, every
// binary field must survive a save and a second load unchanged, and texts must reach a fixed
// point after one round (INI values lose enclosing blanks and quotes, as Windows reads them).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/config_file.h"

namespace {

ztv::ConfigImage round_trip(const ztv::ConfigImage& image) {
    ztv::IniDocument doc;
    ztv::write_config(doc, image.record, image.touch, image.slot_names);
    return ztv::read_config(ztv::IniDocument::parse(doc.serialize()));
}

bool is_source_name_byte(std::size_t offset) {
    return offset >= ztv::kSourceNamesOffset && offset < ztv::kSourceNamesOffset + ztv::kSourceCount * ztv::kSourceNameSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ztv;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ConfigImage first = read_config(IniDocument::parse(text));
    const ConfigImage second = round_trip(first);
    const ConfigImage third = round_trip(second);
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (!is_source_name_byte(i) && first.record.raw[i] != second.record.raw[i]) std::abort();
        if (second.record.raw[i] != third.record.raw[i]) std::abort();
    }
    if (first.touch != second.touch) std::abort();
    if (second.slot_names != third.slot_names) std::abort();
    return 0;
}
