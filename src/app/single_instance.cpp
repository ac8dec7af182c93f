#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace ztv {

QStringList default_instance_lock_paths() {
    QStringList paths;
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) paths << QDir(runtime).filePath(QStringLiteral("ZEBTV_ZORA4.lock"));
#if defined(Q_OS_UNIX)
    const QString user = QString::number(::getuid());
#else
    QString user = qEnvironmentVariable("USERNAME");
    user.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
#endif
    // A temporary folder that is not a full path would put the lock wherever the program was
    // started from, where the other copy would not look.
    const QString temp = QDir::tempPath();
    if (QDir::isAbsolutePath(temp))
        paths << QDir(temp).filePath(QStringLiteral("ZEBTV_ZORA4-%1.lock").arg(user));
    return paths;
}

InstanceStatus SingleInstanceGuard::acquire() {
    if (lock_) return InstanceStatus::Acquired;
    failure_.clear();
    for (const QString& path : paths_) {
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
