// The one reader and writer of the program's settings file. Every change is read, changed and
// written back at once, so what one part stores (a folder, the CAN log's highlight, the dialog
// size) survives what another stores later (the window's settings at close). Problems reach
// the user through the host: an unreadable file as a box where the user asked for something,
// a file that cannot be written as a log line and a line on standard error.
#pragma once

#include <optional>
#include <string>

#include "app/settings_file.h"

namespace ztv {

class Host;

class SettingsStore {
public:
    // default_folder: where a folder key without a stored path points; system_language_id
    // decides the language when the file names none.
    SettingsStore(Host& host, std::string path, std::string default_folder, int system_language_id);

    // The window's settings at start; an unreadable file says so and gives the defaults.
    MainSettings load();
    // What load() gave.
    const MainSettings& loaded() const { return loaded_; }
    // The window's settings at close, over whatever else the file holds now.
    void save(const MainSettings& settings);

    // The folder a file dialog of that key starts in; nothing (after a box) when the file
    // cannot be read.
    std::optional<std::string> folder(FolderKey key);
    void remember_folder(FolderKey key, const std::string& path);
    // The CAN log page's "Highlight changes"; on when the file cannot be read.
    bool can_highlight() const;
    void remember_can_highlight(bool on);
    DialogSize file_dialog_size() const;
    void remember_file_dialog_size(DialogSize size);

private:
    // The file's text, or nothing after a box when `report` and the file cannot be read.
    std::optional<IniDocument> open(bool report);
    void write(const IniDocument& doc);

    Host& host_;
    SettingsFile file_;
    std::string default_folder_;
    int system_language_id_;
    MainSettings loaded_;
};

}  // namespace ztv
