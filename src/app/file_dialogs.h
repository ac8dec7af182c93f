// The window's file dialogs: each kind of file starts in the folder used last for it, the
// dialog opens at the size the user last left it and is kept centred on the window while it
// settles. Tests and unattended runs answer through a chooser instead of a dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <string>

class QSize;
class QTimer;
class QWidget;

namespace ztv {

class Host;
class IniDocument;
class SettingsFile;

enum class FileDialogKind { OpenConfig, SaveConfig, OpenFirmware, SaveCanLog };

using FileChooser = std::function<QString(FileDialogKind kind, const QString& title, const QString& folder,
                                          const QString& filter)>;

class FileDialogs : public QObject {
    Q_OBJECT
public:
    // Boxes, log lines and the language come from `host`; folders and sizes are kept in the
    // settings file; without a remembered folder a dialog starts in default_folder.
    FileDialogs(QWidget& window, Host& host, std::string settings_path, std::string default_folder);

    // A file of that kind chosen by the user; empty when cancelled. A proposed name (the file
    // opened last, for a save) is offered in the folder the dialog starts in.
    QString ask(FileDialogKind kind, const QString& proposed_name = {});
    // Where a dialog starts when no folder is remembered: the user's documents folder, or the
    // home folder when there is none (the program's own folder is rarely writable).
    static QString documents_folder();
    void remember_folder(FileDialogKind kind, const QString& path);
    void set_chooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    // The CAN log page's "Highlight changes", read from and stored in the settings file.
    bool can_highlight() const;
    void remember_can_highlight(bool on);

    // Settings that cannot be written are not worth a box (the file operation itself
    // succeeded, or the program is closing), but they must not vanish unnoticed either: the
    // terminal log and standard error both say so.
    void save_settings_file(const SettingsFile& file, const IniDocument& doc);

private:
    QString start_folder(FileDialogKind kind, bool* ok);
    QSize dialog_size() const;
    void remember_dialog_size(const QSize& size);
    void place_dialog();

    QWidget& window_;
    Host& host_;
    std::string settings_path_;
    std::string default_folder_;
    FileChooser chooser_;
    QTimer* place_timer_ = nullptr;
    int place_countdown_ = 0;
    QPointer<QWidget> placed_;
};

}  // namespace ztv
