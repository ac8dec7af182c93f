// The commands' handlers: configuration files here, device operations through the link, each
// run as a toolbar operation of the window (the toolbar locked while it runs), and the
// language switch through the pages.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

#include "app/command_table.h"
#include "config/config_history.h"

namespace ztv {

class FileDialogs;
class PageHost;
class ShellHost;
class ShellTimer;
class WindowOperations;
struct ConfigState;

// What the handlers use of the window: boxes, the strip and the window to bring to the front,
// the pages (their refresh and pending edits), the toolbar lock, the controller and the undo
// history, and the file dialogs.
struct ToolbarActionsShell {
    ShellHost& host;
    PageHost& pages;
    WindowOperations& operations;
    FileDialogs& files;
};

class ToolbarActions : public QObject {
    Q_OBJECT
public:
    ToolbarActions(const ToolbarActionsShell& shell, ConfigState& state);

    // Runs a command of the command table as its button, menu entry or keys do. Commands that
    // another part runs are bound there when it takes them.
    void run(Command command);

    void open_config();
    // Opens a configuration file as the "open" button does once its dialog has a file. The
    // path's bytes are kept as the system gave them: a name need not be UTF-8.
    void open_config_file(const QByteArray& path);
    // A file handed over by a second copy: the window comes to the front and opens it as the
    // open button would, once no other operation, box or dialog is in the way.
    void open_handed_over_file(const QByteArray& path);
    void save_config();
    void read_device();
    void write_device();
    void to_default();
    void reset();
    void update_device();

private:
    void load_config(const QByteArray& path, bool changed_meanwhile = false);
    void open_pending_file();

    ToolbarActionsShell shell_;
    ConfigState& state_;
    QString file_name_;           // of the file opened or saved last: a save proposes it
    QByteArray pending_open_;     // handed over while something else was running
    bool pending_retry_ = false;  // a later try is already planned
    // The configuration when a handed-over file first had to wait: an operation that changes
    // it meanwhile (a learning run writing its buttons) makes the file ask before it replaces.
    std::optional<ConfigSnapshot> shown_when_handed_over_;
    ShellTimer* retry_ = nullptr;
};

}  // namespace ztv
