#include "platform/regular_file.h"

#include <filesystem>

#include <windows.h>

#include "platform/file_path.h"

namespace wb::platform {

namespace {

HANDLE AsHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

// A disk file and not a directory; pipes, consoles and devices are other types.
bool IsPlainDiskFile(HANDLE h, std::uint64_t& size, bool* notRegular) {
    if (notRegular) *notRegular = true;
    if (GetFileType(h) != FILE_TYPE_DISK) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info)) return false;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (notRegular) *notRegular = false;
    return true;
}

}  // namespace

CRegularFile::~CRegularFile() { Close(); }

bool CRegularFile::IsOpen() const { return AsHandle(m_handle) != INVALID_HANDLE_VALUE; }

bool CRegularFile::OpenForReading(const std::string& utf8Path, bool* notRegular) {
    Close();
    if (notRegular) *notRegular = false;
    const std::filesystem::path path = PathFromUtf8(utf8Path);
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        // Callers tell the reason as on POSIX, from errno.
        switch (GetLastError()) {
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND:
            case ERROR_INVALID_NAME:
                errno = ENOENT;
                break;
            case ERROR_ACCESS_DENIED:
            case ERROR_SHARING_VIOLATION:
                errno = EACCES;
                break;
            default:
                errno = EIO;
        }
        return false;
    }
    if (!IsPlainDiskFile(h, m_size, notRegular)) {
        CloseHandle(h);
        return false;
    }
    m_handle = reinterpret_cast<std::intptr_t>(h);
    return true;
}

bool CRegularFile::OpenForAppending(const std::string& utf8Path) {
    Close();
    std::string target, refusedLink;
    if (!ResolveWriteTarget(utf8Path, target, refusedLink)) return false;
    const std::filesystem::path path = PathFromUtf8(target);
    HANDLE h = CreateFileW(path.c_str(), FILE_APPEND_DATA | GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    if (!IsPlainDiskFile(h, m_size, nullptr)) {
        CloseHandle(h);
        return false;
    }
    m_handle = reinterpret_cast<std::intptr_t>(h);
    return true;
}

std::int64_t CRegularFile::Read(char* buf, std::size_t n) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n, 1u << 30));
    if (!ReadFile(AsHandle(m_handle), buf, want, &got, nullptr)) return -1;
    return got;
}

bool CRegularFile::WriteAll(std::string_view bytes) {
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(AsHandle(m_handle), end, nullptr, FILE_END)) return false;
    while (!bytes.empty()) {
        DWORD put = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(AsHandle(m_handle), bytes.data(), want, &put, nullptr) || put == 0)
            return false;
        bytes.remove_prefix(put);
    }
    return true;
}

bool CRegularFile::Truncate(std::uint64_t size) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(AsHandle(m_handle), at, nullptr, FILE_BEGIN) &&
           SetEndOfFile(AsHandle(m_handle));
}

namespace {

// A byte far past any real end: locking it keeps appenders apart without barring anybody
// from reading or writing the file's bytes.
OVERLAPPED LockRange() {
    OVERLAPPED at{};
    at.OffsetHigh = 0x7FFFFFFF;
    return at;
}

}  // namespace

bool CRegularFile::TryLockExclusive() {
    OVERLAPPED at = LockRange();
    m_locked = LockFileEx(AsHandle(m_handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY,
                          0, 1, 0, &at) != 0;
    return m_locked;
}

bool CRegularFile::CurrentSize(std::uint64_t& size) const {
    LARGE_INTEGER n{};
    if (!GetFileSizeEx(AsHandle(m_handle), &n)) return false;
    size = static_cast<std::uint64_t>(n.QuadPart);
    return true;
}

bool CRegularFile::Close() {
    if (!IsOpen()) return true;
    if (m_locked) {
        OVERLAPPED at = LockRange();
        UnlockFileEx(AsHandle(m_handle), 0, 1, 0, &at);
        m_locked = false;
    }
    const bool ok = CloseHandle(AsHandle(m_handle)) != 0;
    m_handle = kNoFile;
    return ok;
}

}  // namespace wb::platform
