#include "app/settings_file.h"

#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <limits>

#include "common/file_io.h"
#include "common/format.h"
#include "common/profile_int.h"
#include "common/system_names.h"
#include "common/user_folders.h"

namespace ztv {
namespace {

constexpr const char* kMain = "MainSettings";
constexpr std::size_t kMaxSettingsFileSize = 256 * 1024;

// The stored integer when it is one and lies within [min, max]; nothing otherwise.
std::optional<int> read_int(const IniDocument& doc, const char* key, int min, int max) {
    const auto text = doc.get(kMain, key);
    if (!text) return std::nullopt;
    const auto value = parse_profile_int(*text);
    if (!value) return std::nullopt;
    const auto number = static_cast<std::int32_t>(*value);
    if (number < min || number > max) return std::nullopt;
    return number;
}

std::optional<int> read_coordinate(const IniDocument& doc, const char* key) {
    return read_int(doc, key, -kMaxWindowCoordinate, kMaxWindowCoordinate);
}

// Any value other than 0 reads as yes, garbage included; only a missing or unreadable one is no.
bool read_yes_no(const IniDocument& doc, const char* key) {
    return read_int(doc, key, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())
               .value_or(0) != 0;
}

struct FolderKeyName {
    const char* section;
    const char* key;
};

FolderKeyName folder_key(FolderKey key) {
    switch (key) {
        case FolderKey::Config: return {"DirectoryConfig", "ZEBTERVIO"};
        case FolderKey::CanLog: return {"DirectoryConfig", "ZEBTERVIOCANLOG"};
        case FolderKey::Firmware: return {"DirectoryProg", "PROG"};
    }
    return {"DirectoryConfig", "ZEBTERVIO"};
}

}  // namespace

std::string default_settings_path() {
    const std::string base = user_settings_folder();
#if defined(_WIN32)
    // Never the folder the program was started from: without the user's folder nothing is saved.
    if (base.empty()) return {};
    return utf8_path(system_path(base) / "zeb-tervio" / "ztv-setup.ini");
#else
    return (std::filesystem::path(base.empty() ? std::string(".") : base) / "zeb-tervio" / "ztv-setup.ini").string();
#endif
}

std::optional<IniDocument> SettingsFile::open() const {
    const FileReadResult file = read_file_bounded(path_, kMaxSettingsFileSize);
    if (file.status == FileReadStatus::NotFound) return IniDocument();
    if (file.status != FileReadStatus::Ok) return std::nullopt;
    return IniDocument::parse(file.content);
}

FileWriteStatus SettingsFile::save(const IniDocument& doc) const {
    std::error_code ec;
    const auto folder = system_path(path_).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    return replace_file(path_, doc.serialize(), kMaxSettingsFileSize);
}

Text settings_save_error(FileWriteStatus status, const std::string& path) {
    if (status == FileWriteStatus::Ok) return {};
    return join(format_pair(kSettingsNotSaved, path.c_str()), "\n", write_failure_reason(status));
}

int default_language(int system_language_id) {
    return system_language_id == kLangIdRussian || system_language_id == kLangIdUkrainian ? 0 : 1;
}

MainSettings read_main_settings(const IniDocument& doc, int system_language_id) {
    MainSettings s;
    s.main_top = read_coordinate(doc, "MainTop");
    s.main_left = read_coordinate(doc, "MainLeft");
    s.tx_height = read_int(doc, "TXHeight", kMinTerminalInputHeight, kMaxTerminalInputHeight)
                      .value_or(kDefaultTerminalInputHeight);
    // Earlier versions stored the split as "ParamHeight" in pixels; it is not read any more.
    s.param_share = read_int(doc, "ParamShare", 1, kSplitShareScale - 1);
    s.log = read_yes_no(doc, "Log");
    s.debug = read_yes_no(doc, "Debug");
    s.only_used = read_yes_no(doc, "OnlyUsed");
    s.speed_up = read_int(doc, "SpeedUp", 0, kMaxReplyDelayMs).value_or(0);
    // The language switch takes 1 as English and anything else as Russian, except -1, which
    // only asks; the file's value is settled here so that no stored value reaches it as -1.
    // Only a missing key leaves the choice to the desktop: an unreadable value is "not 1".
    const auto lang_text = doc.get(kMain, "Lang");
    const auto lang = lang_text ? parse_profile_int(*lang_text) : std::nullopt;
    s.lang = !lang_text ? default_language(system_language_id) : lang == 1 ? 1 : 0;
    s.key_top = read_coordinate(doc, "KeyTop");
    s.key_left = read_coordinate(doc, "KeyLeft");
    s.key_visible = read_yes_no(doc, "KeyVisible") ? 1 : 0;
    return s;
}

void write_main_settings(IniDocument& doc, const MainSettings& s) {
    const auto put = [&doc](const char* key, int value) { doc.set(kMain, key, std::to_string(value)); };
    if (s.main_top) put("MainTop", *s.main_top);
    if (s.main_left) put("MainLeft", *s.main_left);
    put("Lang", s.lang);
    put("Log", s.log ? 1 : 0);
    put("Debug", s.debug ? 1 : 0);
    put("OnlyUsed", s.only_used ? 1 : 0);
    put("SpeedUp", s.speed_up);
    if (s.key_top) put("KeyTop", *s.key_top);
    if (s.key_left) put("KeyLeft", *s.key_left);
    put("KeyVisible", s.key_visible);
    put("TXHeight", s.tx_height);
    if (s.param_share) put("ParamShare", *s.param_share);
}

bool read_can_highlight(const IniDocument& doc) {
    return !doc.get(kMain, "CanHighlight") || read_yes_no(doc, "CanHighlight");
}

void write_can_highlight(IniDocument& doc, bool on) { doc.set(kMain, "CanHighlight", on ? "1" : "0"); }

DialogSize read_file_dialog_size(const IniDocument& doc) {
    const auto width = read_int(doc, "FileDialogWidth", kMinFileDialogSize.width, kMaxFileDialogSide);
    const auto height = read_int(doc, "FileDialogHeight", kMinFileDialogSize.height, kMaxFileDialogSide);
    // Half a stored size is a size nobody chose.
    if (!width || !height) return kDefaultFileDialogSize;
    return {*width, *height};
}

void remember_file_dialog_size(IniDocument& doc, DialogSize size) {
    const auto within = [](int value, int min) { return value >= min && value <= kMaxFileDialogSide; };
    if (!within(size.width, kMinFileDialogSize.width) || !within(size.height, kMinFileDialogSize.height)) return;
    doc.set(kMain, "FileDialogWidth", std::to_string(size.width));
    doc.set(kMain, "FileDialogHeight", std::to_string(size.height));
}

std::string read_folder_path(const IniDocument& doc, FolderKey key, const std::string& default_folder) {
    const FolderKeyName name = folder_key(key);
    const auto value = doc.get(name.section, name.key);
    if (!value || value->empty()) return default_folder;
    return std::string(*value);
}

void remember_folder_path(IniDocument& doc, FolderKey key, const std::string& path) {
    if (path.empty()) return;
    const FolderKeyName name = folder_key(key);
    doc.set_text(name.section, name.key, path);
}

std::string folder_of(const std::string& path) {
    const std::filesystem::path p = system_path(path);
    if (std::filesystem::is_directory(p)) return utf8_path(p);
    return utf8_path(p.parent_path());
}

WindowPlace place_window(int screen_width, int screen_height, int window_width, int window_height,
                         std::optional<int> stored_top, std::optional<int> stored_left) {
    const int centred_top = screen_height / 2 - window_height / 2;
    const int centred_left = screen_width / 2 - window_width / 2;
    int top = stored_top.value_or(centred_top);
    if (top < 0 || top > screen_height - window_height / 2) top = centred_top;
    int left = stored_left.value_or(centred_left);
    if (left < -(window_width / 2) || left > screen_width - window_width / 2) left = centred_left;
    return {top, left};
}

}  // namespace ztv
