#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "atomic_file_detail.h"
#include "platform/file_path.h"

namespace wb::platform {

using detail::IsTempNameOf;
using detail::kStaleSeconds;
using detail::kTempSuffix;
using detail::TempNameFor;

namespace {

// Saves killed half way leave their temporary files; only the user's own regular files of
// the pattern, old enough to belong to no save still running, go. Each name is judged as it
// stands, never through a link.
void RemoveStaleTemporaries(const std::string& path) {
    const std::string dir = DirectoryOf(path);
    const std::string base = BaseNameOf(path);
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* e = readdir(d)) {
        if (!IsTempNameOf(e->d_name, base)) continue;
        struct stat st {};
        if (fstatat(dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == geteuid() && now - st.st_mtime >= kStaleSeconds)
            unlinkat(dirfd(d), e->d_name, 0);
    }
    closedir(d);
}

// A new file of our own: O_EXCL never opens what stands there already, a planted link
// included, and O_NOFOLLOW says so twice.
int CreateTemporary(const std::string& name) {
    return open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

}  // namespace

SaveResult CheckReplaceable(const std::string& linkPath) {
    SaveResult result;
    std::string target;
    if (!ResolveWriteTarget(linkPath, target, result.refusedLink)) return result;
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) {
        // Renaming over a read-only file would succeed in a writable directory; refuse it as
        // opening it for writing would be refused.
        if (!S_ISREG(st.st_mode) || access(target.c_str(), W_OK) != 0) return result;
    }
    // The name the save will create first, so that a name too long or a directory that is
    // missing or closed shows now.
    const std::string probe = TempNameFor(target);
    const int fd = CreateTemporary(probe);
    if (fd < 0) return result;
    close(fd);
    unlink(probe.c_str());
    result.done = true;
    return result;
}

CAtomicFileWriter::CAtomicFileWriter(const std::string& linkPath) {
    if (!ResolveWriteTarget(linkPath, m_path, m_refusedLink)) return;
    RemoveStaleTemporaries(m_path);
    // A name may be taken by the leftover of a save that was killed half way: try others.
    for (int tries = 0; m_file < 0 && tries < 16; ++tries) {
        m_tmp = TempNameFor(m_path);
        m_file = CreateTemporary(m_tmp);
        if (m_file < 0 && errno != EEXIST) break;
    }
    if (m_file < 0) {
        m_tmp.clear();  // a name taken is someone else's file
        return;
    }
    // Keep the permissions of the file we replace, so a save does not change who may read
    // it; never its set-user-ID or set-group-ID bits, which the new content has not earned.
    struct stat st {};
    if (lstat(m_path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) fchmod(Fd(), st.st_mode & 0777);
    m_ok = true;
}

bool CAtomicFileWriter::WriteOut(std::string_view bytes) {
    while (m_ok && !bytes.empty()) {
        const ssize_t n = write(Fd(), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) m_ok = false;
        if (n > 0) bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return m_ok;
}

SaveResult CAtomicFileWriter::Commit() {
    if (m_file < 0) return SaveResult{false, m_refusedLink};
    if (!Flush() || fsync(Fd()) != 0) m_ok = false;
    if (close(Fd()) != 0) m_ok = false;
    m_file = kNoFile;
    if (m_ok && rename(m_tmp.c_str(), m_path.c_str()) != 0) m_ok = false;
    if (!m_ok) {
        Discard();
        return SaveResult{};
    }
    m_tmp.clear();
    const std::string dir = DirectoryOf(m_path);
    const int dfd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return SaveResult{true, {}};
}

void CAtomicFileWriter::Discard() {
    if (m_file >= 0) close(Fd());
    m_file = kNoFile;
    if (!m_tmp.empty()) unlink(m_tmp.c_str());
    m_tmp.clear();
    m_ok = false;
}
}  // namespace wb::platform
