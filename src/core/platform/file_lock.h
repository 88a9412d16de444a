#pragma once

#include <cstdint>
#include <string>

namespace wb::platform {

// An exclusive lock on a file of its own (`flock` on POSIX, `LockFileEx` on Windows), held
// until Unlock or destruction. The file is created when missing and is never written; the
// lock ends with the process too, so one that is killed leaves nothing to clean up. Two
// locks on one file exclude each other even within one process.
class FileLock final {
public:
    FileLock() = default;
    ~FileLock() { Unlock(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits until the lock is ours. False when the file cannot be opened or locked.
    bool Lock(const std::string& utf8Path) { return Take(utf8Path, true); }
    // Takes the lock only when nobody holds it; false at once otherwise.
    bool TryLock(const std::string& utf8Path) { return Take(utf8Path, false); }
    void Unlock();
    bool Held() const { return m_handle != kNone; }

private:
    bool Take(const std::string& utf8Path, bool wait);

    static constexpr std::intptr_t kNone = -1;
    std::intptr_t m_handle = kNone;  // a descriptor, or a HANDLE on Windows
};

}  // namespace wb::platform
