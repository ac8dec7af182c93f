// printf-style formatting into std::string (the toolchain has no <format>).
#pragma once

#include <cstdarg>
#include <string>

#include "common/text.h"

#if defined(__GNUC__)
#define ZTV_PRINTF(fmt_index, first_arg) __attribute__((format(printf, fmt_index, first_arg)))
#else
#define ZTV_PRINTF(fmt_index, first_arg)
#endif

namespace ztv {

std::string strprintf(const char* format, ...) ZTV_PRINTF(1, 2);
std::string vstrprintf(const char* format, std::va_list args);

// Formats both texts of a pair with the same arguments. An empty English text stays empty so
// that the Russian fall-back keeps working on the result.
Text format_pair(TextPair pair, ...);

}  // namespace ztv
