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

SaveResult WriteFileAtomically(const std::string& linkPath, std::string_view bytes) {
    SaveResult result;
    std::string path;
    if (!ResolveWriteTarget(linkPath, path, result.refusedLink)) return result;
    const std::wstring target = Utf8ToWide(path);
    if (target.empty()) return result;
    RemoveStaleTemporaries(path);
    std::wstring tmp;
    HANDLE h = INVALID_HANDLE_VALUE;
    // A name may be taken by the leftover of a save that was killed half way: try others.
    for (int tries = 0; h == INVALID_HANDLE_VALUE && tries < 16; ++tries) {
        tmp = Utf8ToWide(TempNameFor(path));
        if (tmp.empty()) return result;
        // A new file, never anything that a link put in its place leads to.
        h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (h == INVALID_HANDLE_VALUE) return result;
    DWORD written = 0;
    bool ok = bytes.empty() ||
              (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size());
    ok = FlushFileBuffers(h) && ok;
    CloseHandle(h);
    if (ok)
        ok = MoveFileExW(tmp.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileW(tmp.c_str());
    result.done = ok;
    return result;
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

SaveResult WriteFileAtomically(const std::string& linkPath, std::string_view bytes) {
    SaveResult result;
    std::string path;
    if (!ResolveWriteTarget(linkPath, path, result.refusedLink)) return result;
    RemoveStaleTemporaries(path);
    std::string tmp;
    int fd = -1;
    // A name may be taken by the leftover of a save that was killed half way: try others.
    for (int tries = 0; fd < 0 && tries < 16; ++tries) {
        tmp = TempNameFor(path);
        fd = CreateTemporary(tmp);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return result;
    // Keep the permissions of the file we replace, so a save does not change who may read
    // it; never its set-user-ID or set-group-ID bits, which the new content has not earned.
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) fchmod(fd, st.st_mode & 0777);
    bool ok = true;
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (ok && fsync(fd) != 0) ok = false;
    if (close(fd) != 0) ok = false;
    if (ok && rename(tmp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        unlink(tmp.c_str());
        return result;
    }
    std::string dir = DirectoryOf(path);
    int dfd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    result.done = true;
    return result;
}
#endif

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    return ReadRegularFile(path, bytes) == ReadResult::Read;
}

}  // namespace wb::platform
