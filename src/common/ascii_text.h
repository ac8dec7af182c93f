// Small text helpers for the ASCII-only names and numbers in files and on command lines.
#pragma once

#include <string>
#include <string_view>

namespace ztv {

// A-Z turned into a-z; every other byte stays.
constexpr char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
std::string ascii_lower(std::string_view text);
// The text without the blanks and tabs around it.
std::string_view trim_blanks(std::string_view text);

}  // namespace ztv
