#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace ztv {

QString default_instance_lock_path() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("ZEBTV_ZORA4.lock"));
}

SingleInstanceGuard::SingleInstanceGuard(const QString& lock_path) : lock_(lock_path) {
    // The lock lives as long as the program; it never goes stale while its owner runs.
    lock_.setStaleLockTime(0);
}

bool SingleInstanceGuard::acquire() { return lock_.tryLock(0); }

}  // namespace ztv
