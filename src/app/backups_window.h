// The controller backups in the user's data folder: controller, date, reason and whether each
// differs from the configuration shown; one of them is opened or compared with that.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "config/config_backups.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace ztv {

class ShellHost;
class WindowOperations;
struct ConfigState;

class BackupsWindow : public QDialog {
    Q_OBJECT
public:
    // Boxes and comparisons through `host`; what a backup is compared with is `shown`.
    BackupsWindow(ShellHost& host, const ConfigState& shown, std::string folder);
    QTreeWidget* list() const { return list_; }
    // The backup chosen to open, once the window closed with "Open"; empty otherwise.
    const std::string& chosen() const { return chosen_; }
    // Lists the folder anew (newest first).
    void reload();

private:
    void compare_selected();
    const BackupEntry* selected() const;

    ShellHost& host_;
    const ConfigState& shown_;
    std::string folder_;
    std::vector<BackupEntry> entries_;
    QTreeWidget* list_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* compare_ = nullptr;
    std::string chosen_;
};

// Shows the window; a backup chosen with "Open" is opened as a configuration file.
void open_backups_window(ShellHost& host, const ConfigState& shown, WindowOperations& operations);

}  // namespace ztv
