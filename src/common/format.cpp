#include "common/format.h"

#include <cstdio>
#include <vector>

namespace ztv {

std::string vstrprintf(const char* format, std::va_list args) {
    if (format == nullptr) return {};
    char small[256];
    std::va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (needed < 0) return {};
    if (static_cast<std::size_t>(needed) < sizeof small) return std::string(small, static_cast<std::size_t>(needed));
    std::vector<char> big(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(big.data(), big.size(), format, args);
    return std::string(big.data(), static_cast<std::size_t>(needed));
}

std::string strprintf(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::string result = vstrprintf(format, args);
    va_end(args);
    return result;
}

Text format_pair(TextPair pair, ...) {
    std::va_list args;
    va_start(args, pair);
    std::va_list copy;
    va_copy(copy, args);
    std::string ru = vstrprintf(pair.ru, args);
    std::string en = (pair.en != nullptr && pair.en[0] != '\0') ? vstrprintf(pair.en, copy) : std::string();
    va_end(copy);
    va_end(args);
    return Text(std::move(ru), std::move(en));
}

}  // namespace ztv
