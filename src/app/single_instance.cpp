#include "app/single_instance.h"

#include <QDir>
#include <QFileInfo>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

#include "common/private_folder.h"

namespace ztv {

QStringList default_instance_lock_paths() {
    QStringList paths;
    // The user's runtime folder as the session made it (Qt's own fallback for a missing one is a
    // name in the shared temporary folder, which another user could make first).
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime)) paths << QDir(runtime).filePath(QStringLiteral("ZEBTV_ZORA4.lock"));
#if defined(Q_OS_UNIX)
    const QString user = QString::number(::getuid());
#else
    QString user = qEnvironmentVariable("USERNAME");
    user.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
#endif
    // Otherwise a folder of the user's own in the temporary folder. A temporary folder that is
    // not a full path would put the lock wherever the program was started from.
    const QString temp = QDir::tempPath();
    if (QDir::isAbsolutePath(temp))
        paths << QDir(temp).filePath(QStringLiteral("ZEBTV_ZORA4-%1/ZEBTV_ZORA4.lock").arg(user));
    return paths;
}

InstanceStatus SingleInstanceGuard::acquire() {
    if (lock_) return InstanceStatus::Acquired;
    failure_.clear();
    for (const QString& path : paths_) {
        // Only in a folder nobody else can enter: another user could otherwise hold the lock
        // (no start at all) or listen on the socket beside it (and learn the files opened).
        const std::string unsafe = make_private_folder(QFileInfo(path).path().toStdString());
        if (!unsafe.empty()) {
            if (!failure_.isEmpty()) failure_ += QLatin1Char('\n');
            failure_ += QFileInfo(path).path() + QStringLiteral(": ") + QString::fromStdString(unsafe);
            continue;
        }
        auto lock = std::make_unique<FileLock>(path.toStdString());
        switch (lock->acquire(0)) {
            case FileLockResult::Locked: lock_ = std::move(lock); return InstanceStatus::Acquired;
            case FileLockResult::Busy: busy_path_ = path; return InstanceStatus::AlreadyRunning;
            case FileLockResult::Failed:
                if (!failure_.isEmpty()) failure_ += QLatin1Char('\n');
                failure_ += path + QStringLiteral(": ") + QString::fromStdString(lock->failure());
                break;
        }
    }
    if (paths_.isEmpty()) failure_ = QStringLiteral("no runtime or temporary folder is available");
    return InstanceStatus::Failed;
}

QString SingleInstanceGuard::held_path() const { return lock_ ? QString::fromStdString(lock_->path()) : QString(); }

}  // namespace ztv
