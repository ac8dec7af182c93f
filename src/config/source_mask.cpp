#include "config/source_mask.h"

#include "config/record.h"

namespace ztv {
namespace {

constexpr TextPair kSourceChoice[] = {kAnySource, kSelectSources};

}  // namespace

std::span<const TextPair> source_choice_entries() { return kSourceChoice; }

std::string source_numbers(std::uint8_t mask) {
    std::string text;
    for (unsigned bit = 0; bit < kSourceCount; ++bit)
        if ((mask >> bit) & 1u) text.append(" ").append(std::to_string(bit + 1));
    return text;
}

}  // namespace ztv
