#include "platform/file_lock.h"

#include <system_error>
#include <thread>

#include "platform/file_path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace wb::platform {

namespace {

// Between two tries of a lock that another program holds.
constexpr std::chrono::milliseconds kRetryPause{20};
// How often a lock file replaced while it is being taken is tried again before giving up.
constexpr int kMaxReplaced = 100;

LockOutcome Failed(std::string reason) { return {LockStatus::Failed, std::move(reason)}; }

LockOutcome FailedWith(int code) { return Failed(std::system_category().message(code)); }

}  // namespace

LockOutcome FileLock::Lock(const std::string& utf8Path, const WaitNotice& longWait) {
    const auto start = std::chrono::steady_clock::now();
    bool told = false;
    while (true) {
        LockOutcome got = TryLock(utf8Path);
        if (got.status != LockStatus::Busy) return got;
        if (!told && std::chrono::steady_clock::now() - start >= kQuietWait) {
            told = true;
            if (longWait) longWait();
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

LockOutcome FileLock::TryLock(const std::string& utf8Path) {
    Unlock();
    for (int i = 0; i < kMaxReplaced; ++i) {
        LockOutcome got = TakeOnce(utf8Path);
        if (got.status != LockStatus::Locked) return got;
        m_path = utf8Path;
        if (StillNamed()) return got;
        // Removed or replaced between our open and our lock: whoever locks the file there now
        // would not be excluded by this one.
        Unlock();
    }
    return Failed("replaced again and again while being locked");
}

#ifdef _WIN32
LockOutcome FileLock::TakeOnce(const std::string& utf8Path) {
    const std::wstring path = Utf8ToWide(utf8Path);
    if (path.empty()) return FailedWith(ERROR_INVALID_NAME);
    // Without FILE_SHARE_DELETE nobody removes or renames the file while it is open here; a
    // reparse point (a link) is opened as itself and refused.
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return FailedWith(static_cast<int>(GetLastError()));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
        GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return Failed("not a regular file");
    }
    OVERLAPPED at{};
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const DWORD error = GetLastError();
        CloseHandle(h);
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
            return {LockStatus::Busy, {}};
        return FailedWith(static_cast<int>(error));
    }
    m_handle = reinterpret_cast<std::intptr_t>(h);
    return {LockStatus::Locked, {}};
}

void FileLock::Unlock() {
    if (m_handle == kNone) return;
    HANDLE h = reinterpret_cast<HANDLE>(m_handle);
    OVERLAPPED at{};
    UnlockFileEx(h, 0, 1, 0, &at);
    CloseHandle(h);
    m_handle = kNone;
}

// The file cannot be removed or renamed while our handle, opened without delete sharing,
// is open.
bool FileLock::StillNamed() const { return Held(); }

std::string FileLock::ReadNote() const {
    if (!Held()) return {};
    char buf[kMaxNote];
    OVERLAPPED at{};
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(m_handle), buf, sizeof buf, &got, &at)) return {};
    return std::string(buf, got);
}

bool FileLock::WriteNote(const std::string& note) {
    if (!Held() || note.size() > kMaxNote) return false;
    HANDLE h = reinterpret_cast<HANDLE>(m_handle);
    OVERLAPPED at{};
    DWORD put = 0;
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(note.size());
    return WriteFile(h, note.data(), static_cast<DWORD>(note.size()), &put, &at) &&
           put == note.size() && SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
}
#else
LockOutcome FileLock::TakeOnce(const std::string& utf8Path) {
    // Non-blocking opens: a FIFO put in the lock file's place must not hang us.
    constexpr int kOpen = O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    int fd = -1;
    errno = ENOENT;
    // Removed between the two opens: the next round creates it.
    for (int i = 0; i < kMaxReplaced && fd < 0 && errno == ENOENT; ++i) {
        fd = open(utf8Path.c_str(), O_RDWR | O_CREAT | O_EXCL | kOpen, 0600);
        if (fd >= 0 || errno != EEXIST) break;
        fd = open(utf8Path.c_str(), O_RDWR | kOpen);
        // A lock file that exists on a read-only file system still locks.
        if (fd < 0 && errno == EROFS) fd = open(utf8Path.c_str(), O_RDONLY | kOpen);
    }
    if (fd < 0) return errno == ELOOP ? Failed("a symbolic link") : FailedWith(errno);
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
        const bool regular = S_ISREG(st.st_mode);
        close(fd);
        return Failed(regular ? "owned by another user" : "not a regular file");
    }
    // A lock file that others may open can be held by them: one made open by an older
    // version is closed now.
    if ((st.st_mode & 077) != 0) fchmod(fd, 0600);
    int rc;
    do {
        rc = flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK) return {LockStatus::Busy, {}};
        return FailedWith(error);
    }
    m_handle = fd;
    return {LockStatus::Locked, {}};
}

void FileLock::Unlock() {
    if (m_handle == kNone) return;
    // Closing the only descriptor of the open file releases its lock.
    close(static_cast<int>(m_handle));
    m_handle = kNone;
}

bool FileLock::StillNamed() const {
    if (!Held()) return false;
    struct stat held {};
    struct stat named {};
    return fstat(static_cast<int>(m_handle), &held) == 0 && lstat(m_path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

std::string FileLock::ReadNote() const {
    if (!Held()) return {};
    char buf[kMaxNote];
    const ssize_t got = pread(static_cast<int>(m_handle), buf, sizeof buf, 0);
    return got > 0 ? std::string(buf, static_cast<std::size_t>(got)) : std::string();
}

bool FileLock::WriteNote(const std::string& note) {
    if (!Held() || note.size() > kMaxNote) return false;
    const int fd = static_cast<int>(m_handle);
    return pwrite(fd, note.data(), note.size(), 0) == static_cast<ssize_t>(note.size()) &&
           ftruncate(fd, static_cast<off_t>(note.size())) == 0;
}
#endif

}  // namespace wb::platform
