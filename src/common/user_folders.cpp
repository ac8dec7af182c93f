#include "common/user_folders.h"

#include <filesystem>

#include "common/system_names.h"

#if defined(_WIN32)
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#endif

namespace ztv {

#if defined(_WIN32)

namespace {

// Asked of the system, not of the environment: the known-folder call is what Explorer and
// every other program use, and it follows a folder the user or an administrator moved.
std::string known_folder(const KNOWNFOLDERID& id) {
    wchar_t* path = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path) == S_OK && path != nullptr) folder = to_utf8(path);
    CoTaskMemFree(path);
    return folder;
}

}  // namespace

std::string user_settings_folder() { return known_folder(FOLDERID_RoamingAppData); }
std::string user_data_folder() { return known_folder(FOLDERID_LocalAppData); }

#else

namespace {

// An XDG folder variable, or the home folder with the given tail; the XDG rules ignore a
// relative path.
std::string xdg_folder(const char* variable, const char* home_tail) {
    const std::string set = environment_value(variable);
    if (!set.empty() && set.front() == '/') return set;
    const std::string home = environment_value("HOME");
    return home.empty() ? std::string() : utf8_path(std::filesystem::path(home) / home_tail);
}

}  // namespace

#if defined(__APPLE__)
std::string user_settings_folder() { return xdg_folder("", "Library/Preferences"); }
std::string user_data_folder() { return xdg_folder("", "Library/Application Support"); }
#else
std::string user_settings_folder() { return xdg_folder("XDG_CONFIG_HOME", ".config"); }
std::string user_data_folder() { return xdg_folder("XDG_DATA_HOME", ".local/share"); }
#endif

#endif

}  // namespace ztv
