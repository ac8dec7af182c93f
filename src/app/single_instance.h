// Only one copy of the program may run per desktop: a second copy finds the lock taken.
#pragma once

#include <QLockFile>
#include <QString>

namespace ztv {

// The lock's place: the user's runtime folder (or the temporary folder), named after the
// program's old mutex "ZEBTV_ZORA4".
QString default_instance_lock_path();

class SingleInstanceGuard {
public:
    explicit SingleInstanceGuard(const QString& lock_path);
    // True when this copy now holds the lock; false when a running copy holds it. A lock left
    // behind by a copy that crashed is taken over.
    bool acquire();

private:
    QLockFile lock_;
};

}  // namespace ztv
