#include "common/system_names.h"

#include <cstdlib>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace ztv {

#if defined(_WIN32)

std::wstring to_utf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), needed);
    return wide;
}

std::string to_utf8(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, narrow.data(), needed, nullptr, nullptr);
    return narrow;
}

std::string windows_error_text(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = length > 0 ? to_utf8(std::wstring_view(text, length)) : "error " + std::to_string(code);
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message;
}

std::filesystem::path system_path(std::string_view utf8) { return std::filesystem::path(to_utf16(utf8)); }
std::string utf8_path(const std::filesystem::path& path) { return to_utf8(path.native()); }

std::FILE* open_file(const std::string& utf8_name, const char* mode) {
    return _wfopen(to_utf16(utf8_name).c_str(), to_utf16(mode).c_str());
}

std::string environment_value(const char* name) {
    const wchar_t* value = _wgetenv(to_utf16(name).c_str());
    return value != nullptr ? to_utf8(value) : std::string();
}

#else

std::filesystem::path system_path(std::string_view utf8) { return std::filesystem::path(std::string(utf8)); }
std::string utf8_path(const std::filesystem::path& path) { return path.native(); }
std::FILE* open_file(const std::string& utf8_name, const char* mode) { return std::fopen(utf8_name.c_str(), mode); }

std::string environment_value(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

#endif

}  // namespace ztv
