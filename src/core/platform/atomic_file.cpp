#include "platform/atomic_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <random>

#include "platform/file_path.h"
#include "platform/regular_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace wb::platform {

namespace {

// A temporary file is ".NAME.<16 hex digits>.tmp" beside the file it will replace.
constexpr std::size_t kTempDigits = 16;
constexpr char kTempSuffix[] = ".tmp";
// A save still running has touched its temporary file more recently than this.
constexpr std::int64_t kStaleSeconds = 60;

std::string TempNameFor(const std::string& path) {
    static std::mt19937_64 rng{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx%s", static_cast<unsigned long long>(rng()),
                  kTempSuffix);
    return DirectoryOf(path) + "." + BaseNameOf(path) + suffix;
}

bool IsTempNameOf(const std::string& name, const std::string& base) {
    const std::string prefix = "." + base + ".";
    const std::size_t suffix = sizeof kTempSuffix - 1;
    if (name.size() != prefix.size() + kTempDigits + suffix ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix, suffix, kTempSuffix) != 0)
        return false;
    return std::all_of(name.begin() + prefix.size(), name.end() - suffix,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace

#ifdef _WIN32

namespace {

std::uint64_t Ticks(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// Saves killed half way leave their temporary files; only the user's own plain files of the
// pattern, old enough to belong to no save still running, go.
void RemoveStaleTemporaries(const std::string& path) {
    const std::string dir = DirectoryOf(path);
    const std::string base = BaseNameOf(path);
    const std::filesystem::path pattern = PathFromUtf8(dir + "." + base + ".*" + kTempSuffix);
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t staleTicks = static_cast<std::uint64_t>(kStaleSeconds) * 10000000u;
    do {
        const std::string name = WideToUtf8(found.cFileName);
        if (!IsTempNameOf(name, base) ||
            (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
            Ticks(now) < Ticks(found.ftLastWriteTime) + staleTicks)
            continue;
        const std::filesystem::path file = PathFromUtf8(dir + name);
        HANDLE h = CreateFileW(file.c_str(), READ_CONTROL | DELETE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h == INVALID_HANDLE_VALUE) continue;
        BY_HANDLE_FILE_INFORMATION info{};
        FILE_DISPOSITION_INFO gone{TRUE};
        if (GetFileInformationByHandle(h, &info) &&
            !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsOwnedByUser(h))
            SetFileInformationByHandle(h, FileDispositionInfo, &gone, sizeof gone);
        CloseHandle(h);
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

}  // namespace

CAtomicFileWriter::CAtomicFileWriter(const std::string& linkPath) {
    if (!ResolveWriteTarget(linkPath, m_path, m_refusedLink)) return;
    if (Utf8ToWide(m_path).empty()) return;
    RemoveStaleTemporaries(m_path);
    HANDLE h = INVALID_HANDLE_VALUE;
    // A name may be taken by the leftover of a save that was killed half way: try others.
    for (int tries = 0; h == INVALID_HANDLE_VALUE && tries < 16; ++tries) {
        m_tmp = TempNameFor(m_path);
        const std::wstring tmp = Utf8ToWide(m_tmp);
        if (tmp.empty()) break;
        // A new file, never anything that a link put in its place leads to.
        h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
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

SaveResult CAtomicFileWriter::Commit() {
    if (!m_handle) return SaveResult{false, m_refusedLink};
    if (!Flush() || !FlushFileBuffers(m_handle)) m_ok = false;
    CloseHandle(m_handle);
    m_handle = nullptr;
    const std::wstring tmp = Utf8ToWide(m_tmp), target = Utf8ToWide(m_path);
    if (m_ok)
        m_ok = MoveFileExW(tmp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!m_ok) Discard();
    m_tmp.clear();
    return SaveResult{m_ok, {}};
}

void CAtomicFileWriter::Discard() {
    if (m_handle) CloseHandle(m_handle);
    m_handle = nullptr;
    if (!m_tmp.empty()) DeleteFileW(Utf8ToWide(m_tmp).c_str());
    m_tmp.clear();
    m_ok = false;
}

SaveResult CheckReplaceable(const std::string& linkPath) {
    SaveResult result;
    std::string path;
    if (!ResolveWriteTarget(linkPath, path, result.refusedLink)) return result;
    const std::wstring target = Utf8ToWide(path);
    if (target.empty()) return result;
    const DWORD attrs = GetFileAttributesW(target.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES &&
        (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return result;
    const std::wstring probe = Utf8ToWide(TempNameFor(path));
    HANDLE h = CreateFileW(
        probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return result;
    CloseHandle(h);
    result.done = true;
    return result;
}
#else

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
    for (int tries = 0; m_fd < 0 && tries < 16; ++tries) {
        m_tmp = TempNameFor(m_path);
        m_fd = CreateTemporary(m_tmp);
        if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0) {
        m_tmp.clear();  // a name taken is someone else's file
        return;
    }
    // Keep the permissions of the file we replace, so a save does not change who may read
    // it; never its set-user-ID or set-group-ID bits, which the new content has not earned.
    struct stat st {};
    if (lstat(m_path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) fchmod(m_fd, st.st_mode & 0777);
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

SaveResult CAtomicFileWriter::Commit() {
    if (m_fd < 0) return SaveResult{false, m_refusedLink};
    if (!Flush() || fsync(m_fd) != 0) m_ok = false;
    if (close(m_fd) != 0) m_ok = false;
    m_fd = -1;
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
    if (!m_ok) return false;
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

SaveResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    CAtomicFileWriter writer(path);
    writer.Write(bytes);
    return writer.Commit();
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    return ReadRegularFile(path, bytes) == ReadResult::Read;
}

}  // namespace wb::platform
