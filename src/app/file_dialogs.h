// The window's file dialogs: each kind of file starts in the folder used last for it, the
// dialog opens at the size the user last left it and is kept centred on the window while it
// settles. Tests and unattended runs answer through a chooser instead of a dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QSize;
class QTimer;
class QWidget;

namespace ztv {

class Host;
class SettingsStore;

enum class FileDialogKind { OpenConfig, SaveConfig, OpenFirmware, SaveCanLog };

using FileChooser = std::function<QString(FileDialogKind kind, const QString& title, const QString& folder,
                                          const QString& filter)>;

class FileDialogs : public QObject {
    Q_OBJECT
public:
    // The language comes from `host`; folders and sizes are kept in the settings store.
    FileDialogs(QWidget& window, Host& host, SettingsStore& settings);

    // A file of that kind chosen by the user; empty when cancelled. A proposed name (the file
    // opened last, for a save) is offered in the folder the dialog starts in.
    QString ask(FileDialogKind kind, const QString& proposed_name = {});
    // Where a dialog starts when no folder is remembered: the user's documents folder, or the
    // home folder when there is none (the program's own folder is rarely writable).
    static QString documents_folder();
    void remember_folder(FileDialogKind kind, const QString& path);
    void set_chooser(FileChooser chooser) { chooser_ = std::move(chooser); }

private:
    QSize dialog_size() const;
    void place_dialog();

    QWidget& window_;
    Host& host_;
    SettingsStore& settings_;
    FileChooser chooser_;
    QTimer* place_timer_ = nullptr;
    int place_countdown_ = 0;
    QPointer<QWidget> placed_;
};

}  // namespace ztv
