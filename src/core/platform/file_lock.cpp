#include "platform/file_lock.h"

#include "platform/file_path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace wb::platform {

#ifdef _WIN32
bool FileLock::Take(const std::string& utf8Path, bool wait) {
    Unlock();
    const std::wstring path = Utf8ToWide(utf8Path);
    if (path.empty()) return false;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    OVERLAPPED at{};
    const DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    if (!LockFileEx(h, flags, 0, 1, 0, &at)) {
        CloseHandle(h);
        return false;
    }
    m_handle = reinterpret_cast<std::intptr_t>(h);
    return true;
}

void FileLock::Unlock() {
    if (m_handle == kNone) return;
    HANDLE h = reinterpret_cast<HANDLE>(m_handle);
    OVERLAPPED at{};
    UnlockFileEx(h, 0, 1, 0, &at);
    CloseHandle(h);
    m_handle = kNone;
}
#else
bool FileLock::Take(const std::string& utf8Path, bool wait) {
    Unlock();
    // Non-blocking open: a FIFO put in the lock file's place must not hang us.
    int fd = open(utf8Path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    // A lock file that exists on a read-only file system still locks.
    if (fd < 0) fd = open(utf8Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    int rc;
    do {
        rc = flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        close(fd);
        return false;
    }
    m_handle = fd;
    return true;
}

void FileLock::Unlock() {
    if (m_handle == kNone) return;
    // Closing the only descriptor of the open file releases its lock.
    close(static_cast<int>(m_handle));
    m_handle = kNone;
}
#endif

}  // namespace wb::platform
