#include "platform/regular_file.h"

#include <algorithm>
#include <filesystem>
#include <thread>
#include <vector>

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

#ifdef _WIN32

namespace {

HANDLE AsHandle(void* h) { return static_cast<HANDLE>(h); }

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
    m_handle = h;
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
    m_handle = h;
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
    m_handle = INVALID_HANDLE_VALUE;
    return ok;
}

#else

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

bool CRegularFile::IsOpen() const { return m_fd >= 0; }

bool CRegularFile::OpenForReading(const std::string& utf8Path, bool* notRegular) {
    Close();
    m_fd = OpenRegular(utf8Path, O_RDONLY, m_size, notRegular);
    return m_fd >= 0;
}

bool CRegularFile::OpenForAppending(const std::string& utf8Path) {
    Close();
    // The links are followed here, by the kernel's rule; the file itself is then opened with
    // O_NOFOLLOW, so a link planted after that walk is not followed either.
    std::string target, refusedLink;
    if (!ResolveWriteTarget(utf8Path, target, refusedLink)) return false;
    m_fd = OpenRegular(target, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW, m_size, nullptr);
    return m_fd >= 0;
}

bool CRegularFile::TryLockExclusive() { return flock(m_fd, LOCK_EX | LOCK_NB) == 0; }

bool CRegularFile::CurrentSize(std::uint64_t& size) const {
    struct stat st {};
    if (fstat(m_fd, &st) != 0) return false;
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

std::int64_t CRegularFile::Read(char* buf, std::size_t n) {
    for (;;) {
        const ssize_t got = read(m_fd, buf, n);
        if (got < 0 && errno == EINTR) continue;
        return got;
    }
}

bool CRegularFile::WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = write(m_fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

bool CRegularFile::Truncate(std::uint64_t size) {
    return ftruncate(m_fd, static_cast<off_t>(size)) == 0;
}

bool CRegularFile::Close() {
    if (m_fd < 0) return true;
    const bool ok = close(m_fd) == 0;
    m_fd = -1;
    return ok;
}

#endif

class CRegularFileStream::Buffer final : public std::streambuf {
public:
    explicit Buffer(CRegularFile& file) : m_file(file), m_data(64 * 1024) {}

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        const std::int64_t got = m_file.Read(m_data.data(), m_data.size());
        // A read error surfaces as an exception, which the stream turns into badbit.
        if (got < 0) throw std::ios_base::failure("read error");
        if (got == 0) return traits_type::eof();
        setg(m_data.data(), m_data.data(), m_data.data() + got);
        return traits_type::to_int_type(*gptr());
    }

private:
    CRegularFile& m_file;
    std::vector<char> m_data;
};

CRegularFileStream::CRegularFileStream(const std::string& utf8Path) : std::istream(nullptr) {
    if (m_file.OpenForReading(utf8Path)) {
        m_buffer = std::make_unique<Buffer>(m_file);
        rdbuf(m_buffer.get());
    } else {
        setstate(std::ios::failbit);
    }
}

CRegularFileStream::~CRegularFileStream() = default;

ReadResult ReadRegularFile(const std::string& utf8Path, std::string& bytes,
                           std::uint64_t maxBytes) {
    CRegularFile file;
    bool notRegular = false;
    if (!file.OpenForReading(utf8Path, &notRegular))
        return notRegular ? ReadResult::NotRegular : ReadResult::NotOpened;
    if (file.SizeAtOpen() > maxBytes) return ReadResult::TooLarge;
    std::string read;
    read.reserve(static_cast<std::size_t>(file.SizeAtOpen()));
    char buf[64 * 1024];
    for (;;) {
        const std::int64_t got = file.Read(buf, sizeof buf);
        if (got < 0) return ReadResult::Failed;
        if (got == 0) break;
        // The file may grow while it is read.
        if (read.size() + static_cast<std::uint64_t>(got) > maxBytes) return ReadResult::TooLarge;
        read.append(buf, static_cast<std::size_t>(got));
    }
    bytes = std::move(read);
    return ReadResult::Read;
}

bool CRegularFile::LockExclusive(std::chrono::milliseconds patience,
                                 const std::function<void()>& longWait) {
    constexpr std::chrono::milliseconds kRetryPause{20};
    constexpr std::chrono::seconds kQuietWait{3};
    const auto start = std::chrono::steady_clock::now();
    bool told = false;
    while (!TryLockExclusive()) {
        const auto waited = std::chrono::steady_clock::now() - start;
        if (waited >= patience) return false;
        if (!told && waited >= kQuietWait) {
            told = true;
            if (longWait) longWait();
        }
        std::this_thread::sleep_for(kRetryPause);
    }
    return true;
}

}  // namespace wb::platform
