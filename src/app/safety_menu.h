// The main menu's "Compare with..." (a configuration file or the connected controller) and
// "Backups..." entries.
#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace ztv {

class ConfigSession;
class FileDialogs;
class ShellHost;
class WindowOperations;
struct ConfigState;

// What the safety menu uses of the window: boxes and comparisons, the busy state, the file
// dialogs, its three menu entries and the configuration shown.
struct SafetyMenuShell {
    ShellHost& host;
    WindowOperations& operations;
    FileDialogs& files;
    QAction& compare_file;
    QAction& compare_controller;
    QAction& backups;
    ConfigState& state;
};

class SafetyMenu : public QObject {
    Q_OBJECT
public:
    SafetyMenu(const SafetyMenuShell& shell, ConfigSession& session);
    ~SafetyMenu() override;

    QAction* compare_file_item() const { return compare_file_; }
    QAction* compare_controller_item() const { return compare_controller_; }
    QAction* backups_item() const { return backups_; }

    void compare_with_file();
    void compare_with_file(const QString& path);
    void compare_with_controller();

private:
    SafetyMenuShell shell_;
    ConfigSession& session_;
    QAction* compare_file_ = nullptr;
    QAction* compare_controller_ = nullptr;
    QAction* backups_ = nullptr;
};

}  // namespace ztv
