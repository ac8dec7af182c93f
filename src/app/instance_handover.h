// A second start with a configuration file (what a file manager does) hands the file to the
// copy that already runs, over a local socket beside that copy's lock.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <string>

namespace ztv {

// The socket name for a lock file: beside the lock, in the user's own folder; empty (no
// hand-over) where the system allows no socket path that long.
QString handover_channel_name(const QString& lock_path);

// The running copy's side.
class OpenRequestServer : public QObject {
    Q_OBJECT
public:
    explicit OpenRequestServer(QString name, QObject* parent = nullptr);
    // Listens for second copies; a socket left behind by a copy that crashed is replaced (the
    // lock proves no live copy serves it). False with the reason when the socket cannot be made.
    bool listen(QString* error);
    QString full_name() const { return server_.fullServerName(); }

signals:
    // A second copy of this user asked for this file: an absolute path, its bytes as the
    // system gave them (a name need not be UTF-8); not yet checked otherwise.
    void open_requested(const QByteArray& path);

private:
    void take_connection();

    QString name_;
    QLocalServer server_;
};

// The second copy's side: true when the running copy, run by this user, answered that it takes
// the file (an absolute path, as bytes).
bool hand_over_file(const QString& channel_name, const std::string& absolute_path, int timeout_ms = 5000);

}  // namespace ztv
