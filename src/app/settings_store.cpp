#include "app/settings_store.h"

#include <cstdio>

#include "common/host.h"

namespace ztv {

SettingsStore::SettingsStore(Host& host, std::string path, std::string default_folder, int system_language_id)
    : host_(host), file_(std::move(path)), default_folder_(std::move(default_folder)),
      system_language_id_(system_language_id) {}

std::optional<IniDocument> SettingsStore::open(bool report) {
    auto doc = file_.open();
    if (!doc && report) host_.show_message(kBoxError, to_text(kSettingsReadError));
    return doc;
}

MainSettings SettingsStore::load() {
    if (const auto doc = open(true)) {
        loaded_ = read_main_settings(*doc, system_language_id_);
    } else {
        loaded_ = MainSettings{};
        loaded_.lang = default_language(system_language_id_);
    }
    return loaded_;
}

void SettingsStore::save(const MainSettings& settings) {
    auto doc = open(true);
    if (!doc) return;
    write_main_settings(*doc, settings);
    write(*doc);
}

std::optional<std::string> SettingsStore::folder(FolderKey key) {
    const auto doc = open(true);
    if (!doc) return std::nullopt;
    return read_folder_path(*doc, key, default_folder_);
}

void SettingsStore::remember_folder(FolderKey key, const std::string& path) {
    if (path.empty()) return;
    auto doc = open(true);
    if (!doc) return;
    remember_folder_path(*doc, key, path);
    write(*doc);
}

bool SettingsStore::can_highlight() const {
    const auto doc = file_.open();
    return !doc || read_can_highlight(*doc);
}

void SettingsStore::remember_can_highlight(bool on) {
    auto doc = open(false);  // the settings' own read at start already said so
    if (!doc) return;
    write_can_highlight(*doc, on);
    write(*doc);
}

DialogSize SettingsStore::file_dialog_size() const {
    const auto doc = file_.open();
    return doc ? read_file_dialog_size(*doc) : kDefaultFileDialogSize;
}

void SettingsStore::remember_file_dialog_size(DialogSize size) {
    auto doc = open(false);  // the dialog's own read already said so
    if (!doc || read_file_dialog_size(*doc) == size) return;
    ztv::remember_file_dialog_size(*doc, size);
    write(*doc);
}

// Settings that cannot be written are not worth a box (what the user did succeeded, or the
// program is closing), but they must not vanish unnoticed either.
void SettingsStore::write(const IniDocument& doc) {
    const FileWriteStatus status = file_.save(doc);
    if (status == FileWriteStatus::Ok) return;
    const std::string message = settings_save_error(status, file_.path()).in(host_.language());
    std::fprintf(stderr, "%s\n", message.c_str());
    std::size_t begin = 0;
    while (begin <= message.size()) {
        const std::size_t end = std::min(message.find('\n', begin), message.size());
        host_.log_line(message.substr(begin, end - begin), LogSource::Program);
        begin = end + 1;
    }
}

}  // namespace ztv
