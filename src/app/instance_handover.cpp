#include "app/instance_handover.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <memory>

#include "app/open_request.h"
#include "common/private_folder.h"

namespace ztv {
namespace {

// A request must arrive whole within this time; a copy that connects and says nothing is cut off.
constexpr int kRequestTimeoutMs = 3000;
// Unix socket paths are limited to about 108 bytes.
constexpr qsizetype kMaxSocketPathBytes = 100;

}  // namespace

QString handover_channel_name(const QString& lock_path) {
#if defined(Q_OS_UNIX)
    // Only beside the lock, in the user's private folder: a bare name would put the socket in
    // the shared temporary folder.
    const QString beside = lock_path + QStringLiteral(".socket");
    if (QFileInfo(beside).isAbsolute() && beside.toLocal8Bit().size() <= kMaxSocketPathBytes) return beside;
    return QString();
#else
    // Named pipes are made for this user alone (QLocalServer::UserAccessOption).
    const QByteArray digest = QCryptographicHash::hash(lock_path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("ZEBTV_ZORA4-") + QString::fromLatin1(digest);
#endif
}

OpenRequestServer::OpenRequestServer(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &OpenRequestServer::take_connection);
}

bool OpenRequestServer::listen(QString* error) {
    if (name_.isEmpty()) {
        if (error) *error = QStringLiteral("the lock's folder has too long a name for a socket");
        return false;
    }
    if (server_.listen(name_)) return true;
    if (server_.serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(name_);
        if (server_.listen(name_)) return true;
    }
    if (error) *error = server_.errorString();
    return false;
}

void OpenRequestServer::take_connection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Another user's process never gets to ask (the folder should keep it out already).
        if (!socket_peer_is_this_user(static_cast<std::intptr_t>(socket->socketDescriptor()))) {
            socket->abort();
            continue;
        }
        QTimer::singleShot(kRequestTimeoutMs, socket, [socket] { socket->abort(); });
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
            // Never more than a request's worth is read, whatever the other side sends.
            const qint64 room = static_cast<qint64>(kMaxOpenRequestBytes) + 1 - received->size();
            if (room > 0) received->append(socket->read(room));
            const ParsedOpenRequest parsed =
                parse_open_request(std::string_view(received->constData(), static_cast<std::size_t>(received->size())));
            if (parsed.state == OpenRequestState::Incomplete && received->size() <= static_cast<qsizetype>(kMaxOpenRequestBytes))
                return;
            const bool taken = parsed.state == OpenRequestState::Complete;
            const std::string_view answer = taken ? kOpenRequestTaken : kOpenRequestRefused;
            QObject::disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
            socket->write(answer.data(), static_cast<qint64>(answer.size()));
            socket->flush();
            socket->disconnectFromServer();
            if (taken) emit open_requested(QByteArray::fromStdString(parsed.path));
        });
    }
}

bool hand_over_file(const QString& channel_name, const std::string& absolute_path, int timeout_ms) {
    const auto request = encode_open_request(absolute_path);
    if (!request || channel_name.isEmpty()) return false;
    QLocalSocket socket;
    // A copy that has just taken the lock opens its channel only once its window is up; a file
    // manager opening two files starts two copies together. So a channel not there yet is tried
    // again until the time is up.
    const QDeadlineTimer deadline(timeout_ms);
    for (;;) {
        socket.connectToServer(channel_name);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) break;
        const bool not_listening = socket.error() == QLocalSocket::ServerNotFoundError ||
                                   socket.error() == QLocalSocket::ConnectionRefusedError;
        if (!not_listening || deadline.hasExpired()) return false;
        socket.abort();
        QThread::msleep(100);
    }
    // The path goes only to a copy run by this user.
    if (!socket_peer_is_this_user(static_cast<std::intptr_t>(socket.socketDescriptor()))) return false;
    socket.write(request->data(), static_cast<qint64>(request->size()));
    if (!socket.waitForBytesWritten(timeout_ms)) return false;
    QByteArray answer;
    while (answer.size() < static_cast<qsizetype>(kOpenRequestTaken.size()) && socket.waitForReadyRead(timeout_ms))
        answer.append(socket.read(static_cast<qint64>(kOpenRequestTaken.size()) - answer.size()));
    return answer == QByteArray(kOpenRequestTaken.data(), static_cast<qsizetype>(kOpenRequestTaken.size()));
}

}  // namespace ztv
