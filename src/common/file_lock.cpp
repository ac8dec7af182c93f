#include "common/file_lock.h"

#include <chrono>
#include <system_error>
#include <thread>

#if defined(_WIN32)
#include <windows.h>

#include "common/system_names.h"
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ztv {
namespace {

enum class TryResult { Locked, Busy, Failed };

#if defined(_WIN32)
TryResult try_lock(const std::string& path, std::intptr_t& handle, std::string& failure) {
    // A lock file that may not be written (a read-only folder or file) can still be locked: the
    // lock lives in the open file, not in its content.
    const std::wstring name = to_utf16(path);
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, kShare, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
        file = CreateFileW(name.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        failure = windows_error_text(GetLastError());
        return TryResult::Failed;
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        failure = "not a regular file";
        return TryResult::Failed;
    }
    OVERLAPPED whole{};
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) {
        handle = reinterpret_cast<std::intptr_t>(file);
        return TryResult::Locked;
    }
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return TryResult::Busy;
    failure = windows_error_text(error);
    return TryResult::Failed;
}

void unlock(std::intptr_t handle) { CloseHandle(reinterpret_cast<HANDLE>(handle)); }
#else
TryResult try_lock(const std::string& path, std::intptr_t& handle, std::string& failure) {
    // Opened without waiting: a pipe or device in the lock's place must not hang the start.
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0644);
    // A lock file that exists but may not be written (another mode, a read-only folder) can
    // still be locked: the lock lives in the open file, not in its content.
    if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = ::open(path.c_str(), O_RDONLY | kFlags);
    if (fd < 0) {
        failure = std::generic_category().message(errno);
        return TryResult::Failed;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        failure = "not a regular file";
        return TryResult::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        handle = fd;
        return TryResult::Locked;
    }
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK || error == EINTR) return TryResult::Busy;
    failure = std::generic_category().message(error);
    return TryResult::Failed;
}

void unlock(std::intptr_t handle) { ::close(static_cast<int>(handle)); }  // closing drops the lock
#endif

}  // namespace

FileLockResult FileLock::acquire(int wait_ms) {
    if (held()) return FileLockResult::Locked;
    failure_.clear();
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
    for (;;) {
        switch (try_lock(path_, handle_, failure_)) {
            case TryResult::Locked: return FileLockResult::Locked;
            case TryResult::Failed: return FileLockResult::Failed;
            case TryResult::Busy: break;
        }
        if (std::chrono::steady_clock::now() >= give_up) {
            failure_ = "held by another process";
            return FileLockResult::Busy;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void FileLock::release() {
    if (!held()) return;
    unlock(handle_);
    handle_ = kNoHandle;
}

}  // namespace ztv
