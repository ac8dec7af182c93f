// Windows-1251, the 8-bit code page of the controller and of configuration files.
#pragma once

#include <string>
#include <string_view>

namespace ztv {

// Every byte maps to a character; the one unassigned byte (0x98) becomes U+FFFD.
std::string cp1251_to_utf8(std::string_view bytes);

// Characters that Windows-1251 cannot hold become '?'; broken UTF-8 sequences likewise.
std::string utf8_to_cp1251(std::string_view utf8);
// The characters of utf8 that Windows-1251 cannot hold, each once in the order they come (a
// byte that is not UTF-8 as \xNN); empty when the text can be stored as it is.
std::string outside_cp1251(std::string_view utf8);

// Bytes of a fixed-size text field up to the first NUL (or all of them when there is none).
std::string_view field_text(const unsigned char* bytes, std::size_t size);

}  // namespace ztv
