#include "platform/atomic_file.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "platform/file_path.h"
#include "platform/regular_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#endif

namespace wb::platform {

namespace {

std::string DirectoryOf(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return std::string();
    return path.substr(0, slash + 1);
}

std::string TempNameFor(const std::string& path) {
    static std::mt19937_64 rng{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(rng()));
    auto slash = path.find_last_of("/\\");
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    return DirectoryOf(path) + "." + base + suffix;
}

}  // namespace

#ifdef _WIN32
CAtomicFileWriter::CAtomicFileWriter(const std::string& path) : m_path(path) {
    if (Utf8ToWide(path).empty()) return;
    HANDLE h = INVALID_HANDLE_VALUE;
    // A name may be taken by the leftover of a save that was killed half way: try others.
    for (int tries = 0; h == INVALID_HANDLE_VALUE && tries < 16; ++tries) {
        m_tmp = TempNameFor(path);
        const std::wstring tmp = Utf8ToWide(m_tmp);
        if (tmp.empty()) break;
        h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (h == INVALID_HANDLE_VALUE) {
        m_tmp.clear();  // a name taken is someone else's file
        return;
    }
    m_handle = h;
    m_ok = true;
}

bool CAtomicFileWriter::WriteOut(std::string_view bytes) {
    while (m_ok && !bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(m_handle, bytes.data(), chunk, &written, nullptr) || written == 0)
            m_ok = false;
        bytes.remove_prefix(written);
    }
    return m_ok;
}

bool CAtomicFileWriter::Commit() {
    if (!Flush() || !FlushFileBuffers(m_handle)) m_ok = false;
    if (m_handle) CloseHandle(m_handle);
    m_handle = nullptr;
    const std::wstring tmp = Utf8ToWide(m_tmp), target = Utf8ToWide(m_path);
    if (m_ok)
        m_ok = MoveFileExW(tmp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!m_ok) Discard();
    m_tmp.clear();
    return m_ok;
}

void CAtomicFileWriter::Discard() {
    if (m_handle) CloseHandle(m_handle);
    m_handle = nullptr;
    if (!m_tmp.empty()) DeleteFileW(Utf8ToWide(m_tmp).c_str());
    m_ok = false;
}

bool CheckReplaceable(const std::string& path) {
    const std::wstring target = Utf8ToWide(path);
    if (target.empty()) return false;
    const DWORD attrs = GetFileAttributesW(target.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES &&
        (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    const std::wstring probe = Utf8ToWide(TempNameFor(path));
    HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}
#else

namespace {

// Where a save through `path` lands: a symbolic link is followed to the file it names (which
// need not exist yet), so that the link stays and its target is replaced.
std::string ResolveLinks(const std::string& path) {
    std::string at = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = readlink(at.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return at;
        target.resize(static_cast<std::size_t>(n));
        at = target.front() == '/' ? target : DirectoryOf(at) + target;
    }
    return at;
}

}  // namespace

bool CheckReplaceable(const std::string& path) {
    const std::string target = ResolveLinks(path);
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) {
        // Renaming over a read-only file would succeed in a writable directory; refuse it as
        // opening it for writing would be refused.
        if (!S_ISREG(st.st_mode) || access(target.c_str(), W_OK) != 0) return false;
    }
    // The name the save will create first, so that a name too long or a directory that is
    // missing or closed shows now.
    const std::string probe = TempNameFor(target);
    const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    close(fd);
    unlink(probe.c_str());
    return true;
}

CAtomicFileWriter::CAtomicFileWriter(const std::string& linkPath) : m_path(ResolveLinks(linkPath)) {
    // A name may be taken by the leftover of a save that was killed half way: try others.
    for (int tries = 0; m_fd < 0 && tries < 16; ++tries) {
        m_tmp = TempNameFor(m_path);
        m_fd = open(m_tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0) {
        m_tmp.clear();
        return;
    }
    // Keep the permissions of the file we replace, so a save does not change who may read
    // it; never its set-user-ID or set-group-ID bits, which the new content has not earned.
    struct stat st {};
    if (stat(m_path.c_str(), &st) == 0) fchmod(m_fd, st.st_mode & 0777);
    m_ok = true;
}

bool CAtomicFileWriter::WriteOut(std::string_view bytes) {
    while (m_ok && !bytes.empty()) {
        const ssize_t n = write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) m_ok = false;
        if (n > 0) bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return m_ok;
}

bool CAtomicFileWriter::Commit() {
    if (!Flush() || fsync(m_fd) != 0) m_ok = false;
    if (m_fd >= 0 && close(m_fd) != 0) m_ok = false;
    m_fd = -1;
    if (m_ok && rename(m_tmp.c_str(), m_path.c_str()) != 0) m_ok = false;
    if (!m_ok) {
        Discard();
        return false;
    }
    m_tmp.clear();
    const std::string dir = DirectoryOf(m_path);
    const int dfd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return true;
}

void CAtomicFileWriter::Discard() {
    if (m_fd >= 0) close(m_fd);
    m_fd = -1;
    if (!m_tmp.empty()) unlink(m_tmp.c_str());
    m_tmp.clear();
    m_ok = false;
}
#endif

namespace {
constexpr std::size_t kWriteBuffer = 64 * 1024;
}  // namespace

CAtomicFileWriter::~CAtomicFileWriter() { Discard(); }

bool CAtomicFileWriter::Write(std::string_view bytes) {
    if (m_buffer.size() + bytes.size() > kWriteBuffer && !Flush()) return false;
    if (bytes.size() >= kWriteBuffer) return WriteOut(bytes);
    m_buffer.append(bytes);
    return m_ok;
}

bool CAtomicFileWriter::Flush() {
    WriteOut(m_buffer);
    m_buffer.clear();
    return m_ok;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    CAtomicFileWriter writer(path);
    return writer.Write(bytes) && writer.Commit();
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    return ReadRegularFile(path, bytes) == ReadResult::Read;
}

}  // namespace wb::platform
