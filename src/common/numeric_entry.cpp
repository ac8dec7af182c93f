#include "common/numeric_entry.h"

#include "common/format.h"

namespace ztv {

std::uint32_t width_mask(std::uint8_t width_bytes) {
    if (width_bytes == 1) return 0xFFu;
    if (width_bytes == 2) return 0xFFFFu;
    return 0xFFFFFFFFu;
}

NumericEntry check_numeric_entry(std::string_view text, const NumericField& field) {
    NumericEntry entry;
    bool digits_only = !text.empty();
    // Saturates instead of wrapping, so that twenty nines are out of range, not some small number.
    std::uint64_t number = 0;
    constexpr std::uint64_t kSaturated = std::uint64_t{1} << 40;
    for (char c : text) {
        if (c < '0' || c > '9') {
            digits_only = false;
            break;
        }
        if (number < kSaturated) number = number * 10 + static_cast<unsigned>(c - '0');
    }
    if (!digits_only) {
        entry.message = to_text(kEnterValueMessage);
        return entry;
    }
    if (number < field.min || number > field.max) {
        entry.message = format_pair(kValueRangeMessage, static_cast<long long>(field.min),
                                    static_cast<long long>(field.max));
        return entry;
    }
    entry.accepted = true;
    entry.value = static_cast<std::uint32_t>(number) & width_mask(field.width_bytes);
    return entry;
}

}  // namespace ztv
