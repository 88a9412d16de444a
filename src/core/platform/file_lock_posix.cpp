#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/translate.h"
#include "file_lock_detail.h"

namespace wb::platform {

namespace {

// The lock file, opened or created, never through a link; -1 with errno set.
int OpenLockFile(const std::string& path) {
    // Non-blocking opens: a FIFO put in the lock file's place must not hang us.
    constexpr int kOpen = O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    int fd = -1;
    errno = ENOENT;
    // Removed between the two opens: the next round creates it.
    for (int i = 0; i < detail::kMaxReplaced && fd < 0 && errno == ENOENT; ++i) {
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | kOpen, 0600);
        if (fd >= 0 || errno != EEXIST) break;
        fd = open(path.c_str(), O_RDWR | kOpen);
        // A lock file that exists on a read-only file system still locks.
        if (fd < 0 && errno == EROFS) fd = open(path.c_str(), O_RDONLY | kOpen);
    }
    return fd;
}

}  // namespace

LockOutcome FileLock::TakeOnce(const std::string& utf8Path) {
    const int fd = OpenLockFile(utf8Path);
    if (fd < 0)
        return errno == ELOOP ? detail::LockFailed(WB_TR("wakeburst", "符号链接"))
                              : detail::LockFailedWith(errno);
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
        const bool regular = S_ISREG(st.st_mode);
        close(fd);
        return detail::LockFailed(regular ? WB_TR("wakeburst", "属于另一个用户")
                                          : WB_TR("wakeburst", "不是普通文件"));
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
        return detail::LockFailedWith(error);
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

}  // namespace wb::platform
