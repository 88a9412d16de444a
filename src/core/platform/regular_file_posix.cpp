#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_path.h"

namespace wb::platform {

namespace {

// O_NONBLOCK keeps the open of a FIFO from waiting for a writer; the descriptor's own type
// then decides. Blocking is restored for the regular file that passed.
int OpenRegular(const std::string& path, int flags, std::uint64_t& size, bool* notRegular) {
    if (notRegular) *notRegular = false;
    const int fd = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (notRegular) *notRegular = true;
        close(fd);
        return -1;
    }
    const int fl = fcntl(fd, F_GETFL);
    if (fl != -1) fcntl(fd, F_SETFL, fl & ~O_NONBLOCK);
    size = static_cast<std::uint64_t>(st.st_size);
    return fd;
}

}  // namespace

CRegularFile::~CRegularFile() { Close(); }

bool CRegularFile::IsOpen() const { return m_handle >= 0; }

bool CRegularFile::OpenForReading(const std::string& utf8Path, bool* notRegular) {
    Close();
    m_handle = OpenRegular(utf8Path, O_RDONLY, m_size, notRegular);
    return m_handle >= 0;
}

bool CRegularFile::OpenForAppending(const std::string& utf8Path) {
    Close();
    // The links are followed here, by the kernel's rule; the file itself is then opened with
    // O_NOFOLLOW, so a link planted after that walk is not followed either.
    std::string target, refusedLink;
    if (!ResolveWriteTarget(utf8Path, target, refusedLink)) return false;
    m_handle = OpenRegular(target, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW, m_size, nullptr);
    return m_handle >= 0;
}

bool CRegularFile::TryLockExclusive() {
    m_locked = flock(Fd(), LOCK_EX | LOCK_NB) == 0;
    return m_locked;
}

bool CRegularFile::CurrentSize(std::uint64_t& size) const {
    struct stat st {};
    if (fstat(Fd(), &st) != 0) return false;
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

std::int64_t CRegularFile::Read(char* buf, std::size_t n) {
    for (;;) {
        const ssize_t got = read(Fd(), buf, n);
        if (got < 0 && errno == EINTR) continue;
        return got;
    }
}

bool CRegularFile::WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = write(Fd(), bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

bool CRegularFile::Truncate(std::uint64_t size) {
    return ftruncate(Fd(), static_cast<off_t>(size)) == 0;
}

bool CRegularFile::Close() {
    if (m_handle < 0) return true;
    // Closing the descriptor releases its lock.
    const bool ok = close(Fd()) == 0;
    m_handle = kNoFile;
    m_locked = false;
    return ok;
}

}  // namespace wb::platform
