#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace wb::platform {

enum class LockStatus {
    Locked,  // this lock holds the file now
    Busy,    // another lock holds it (TryLock only)
    Failed,  // the lock file cannot be had at all; the outcome's reason says why
};

struct LockOutcome {
    LockStatus status = LockStatus::Failed;
    // Why it failed: the system's reason, or why the file in the lock's place is refused.
    std::string reason;
    bool Locked() const { return status == LockStatus::Locked; }
};

// An exclusive lock on a file of its own (`flock` on POSIX, `LockFileEx` on Windows), held
// until Unlock or destruction. The lock ends with the process too, so one that is killed
// leaves nothing to clean up. Two locks on one file exclude each other even within one
// process.
// Nobody else may hold or remove what we lock: the file is created private (0600) and
// never opened through a link, one owned by another user is refused, and a lock whose file
// was replaced while it was being taken is taken again on the file that is there now.
class FileLock final {
public:
    // How long Lock waits before it says, once, what it waits for.
    static constexpr std::chrono::seconds kQuietWait{3};
    using WaitNotice = std::function<void()>;

    FileLock() = default;
    ~FileLock() { Unlock(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits until the lock is ours (Locked) or cannot be had (Failed). `longWait` is called
    // once when the wait has lasted kQuietWait.
    LockOutcome Lock(const std::string& utf8Path, const WaitNotice& longWait = {});
    // Takes the lock only when nobody holds it: Busy at once otherwise.
    LockOutcome TryLock(const std::string& utf8Path);
    void Unlock();
    bool Held() const { return m_handle != kNone; }
    // Whether the path the lock was taken through still names the file it holds. Once the
    // file was removed or replaced, another program can lock the new one: this lock then
    // excludes nobody.
    bool StillNamed() const;
    // A short note the holder keeps in the locked file for the next holder: empty when
    // there is none or it is not held; false when it could not be written.
    std::string ReadNote() const;
    bool WriteNote(const std::string& note);
    static constexpr std::size_t kMaxNote = 64;

private:
    LockOutcome TakeOnce(const std::string& utf8Path);

    static constexpr std::intptr_t kNone = -1;
    std::intptr_t m_handle = kNone;  // a descriptor, or a HANDLE on Windows
    std::string m_path;
};

}  // namespace wb::platform
