// An exclusive lock between processes, held on a lock file of its own (never renamed or
// removed, so that every process locks the same file even while the data beside it is being
// replaced atomically). The operating system drops the lock when its holder ends, so a
// process that crashed leaves nothing behind that blocks the next one.
#pragma once

#include <cstdint>
#include <string>

namespace ztv {

enum class FileLockResult { Locked, Busy, Failed };

class FileLock {
public:
    explicit FileLock(std::string lock_path) : path_(std::move(lock_path)) {}
    ~FileLock() { release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Creates the lock file when needed and takes the lock, trying for up to wait_ms of real
    // time while another holder has it (Busy once that time is up). Failed when the lock file
    // cannot be opened or created at all.
    FileLockResult acquire(int wait_ms);
    void release();
    bool held() const { return handle_ != kNoHandle; }
    const std::string& path() const { return path_; }
    // Why the last acquire failed, in the system's words ("Permission denied", "Is a directory").
    const std::string& failure() const { return failure_; }

private:
    static constexpr std::intptr_t kNoHandle = -1;
    std::string path_;
    std::intptr_t handle_ = kNoHandle;
    std::string failure_;
};

}  // namespace ztv
