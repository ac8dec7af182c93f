// How names cross between the core, which keeps every text in UTF-8, and the system: on Windows
// paths and environment values are UTF-16 (the narrow calls would go through the ANSI code page
// and lose every character outside it); elsewhere a name's bytes pass unchanged.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace ztv {

// The path a UTF-8 name stands for (on Windows built from UTF-16, never from the code page).
std::filesystem::path system_path(std::string_view utf8);
// A path's name in UTF-8.
std::string utf8_path(const std::filesystem::path& path);

// fopen for a UTF-8 name; errno says why on failure.
std::FILE* open_file(const std::string& utf8_name, const char* mode);

// An environment variable's value in UTF-8; empty when it is not set.
std::string environment_value(const char* name);

#if defined(_WIN32)
// The system's words for a Windows error code, in UTF-8 (std::system_category's text comes in
// the ANSI code page).
std::string windows_error_text(unsigned long code);
std::wstring to_utf16(std::string_view utf8);
std::string to_utf8(std::wstring_view utf16);
#endif

}  // namespace ztv
