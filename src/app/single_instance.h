// Only one copy of the program may run per desktop: a second copy finds the lock taken.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

#include "common/file_lock.h"

namespace ztv {

// Where the lock may live, best first: the user's runtime folder, then a folder of the user's
// own in the temporary folder. Named after the program's old mutex "ZEBTV_ZORA4". Empty when
// neither folder is known.
QStringList default_instance_lock_paths();

enum class InstanceStatus { Acquired, AlreadyRunning, Failed };

class SingleInstanceGuard {
public:
    explicit SingleInstanceGuard(QStringList lock_paths) : paths_(std::move(lock_paths)) {}
    explicit SingleInstanceGuard(const QString& lock_path) : paths_{lock_path} {}

    // AlreadyRunning only while a live copy holds the lock: the system drops a lock with its
    // holder, so a crashed copy, an empty or garbled lock file and a foreign file's content
    // never count. A place where no lock can be made (a folder in its way, a read-only or
    // missing folder, a folder another user owns or may enter; a missing folder is made for
    // this user alone) passes to the next place; Failed when none is left.
    InstanceStatus acquire();
    // Each place tried and why it failed, one per line (after Failed).
    const QString& failure() const { return failure_; }
    // The lock file in use (after Acquired).
    QString held_path() const;
    // The lock file the running copy holds (after AlreadyRunning).
    const QString& busy_path() const { return busy_path_; }

private:
    QStringList paths_;
    std::unique_ptr<FileLock> lock_;
    QString failure_;
    QString busy_path_;
};

}  // namespace ztv
