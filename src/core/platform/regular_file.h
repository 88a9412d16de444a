#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>

namespace wb::platform {

// Every file the system reads or appends to is opened here. Only a regular file is ever
// opened: the open itself cannot block (a FIFO with no writer), and the kind is judged on
// the opened descriptor, so a name swapped for a FIFO or a device after any earlier check
// is still refused rather than read for ever.
class CRegularFile final {
public:
    CRegularFile() = default;
    ~CRegularFile();
    CRegularFile(const CRegularFile&) = delete;
    CRegularFile& operator=(const CRegularFile&) = delete;

    // An existing regular file, for reading; false for anything else, with `notRegular`
    // telling a name that is there but no regular file from one that cannot be opened.
    bool OpenForReading(const std::string& utf8Path, bool* notRegular = nullptr);
    // A regular file for appending, created when missing; false for anything else, and for
    // a symbolic link that the kernel would not follow for us (ResolveWriteTarget).
    bool OpenForAppending(const std::string& utf8Path);
    // Waits for the exclusive lock of the open file that every appender takes (flock,
    // LockFileEx), held until Close. Anyone who may read the file may hold its lock, so the
    // wait is bounded: `longWait` is called once when it has lasted a few seconds, and after
    // `patience` it gives up. False when the file was not locked.
    bool LockExclusive(std::chrono::milliseconds patience,
                       const std::function<void()>& longWait = {});
    // The file's size now; false when it cannot be told.
    bool CurrentSize(std::uint64_t& size) const;

    bool IsOpen() const;
    // The file's size when it was opened.
    std::uint64_t SizeAtOpen() const { return m_size; }

    // Up to `n` bytes; 0 at the end, -1 on a read error.
    std::int64_t Read(char* buf, std::size_t n);
    bool WriteAll(std::string_view bytes);
    bool Truncate(std::uint64_t size);
    bool Close();

private:
    bool TryLockExclusive();

    // The descriptor, or the HANDLE as a number; -1 (INVALID_HANDLE_VALUE) when none.
    static constexpr std::intptr_t kNoFile = -1;
    int Fd() const { return static_cast<int>(m_handle); }

    std::intptr_t m_handle = kNoFile;
    bool m_locked = false;
    std::uint64_t m_size = 0;
};

// A regular file read as a stream (binary); the stream fails at once when the file cannot
// be opened as a regular file.
class CRegularFileStream final : public std::istream {
public:
    explicit CRegularFileStream(const std::string& utf8Path);
    ~CRegularFileStream() override;
    bool IsOpen() const { return m_file.IsOpen(); }

private:
    class Buffer;
    CRegularFile m_file;
    std::unique_ptr<Buffer> m_buffer;
};

enum class ReadResult {
    Read,
    NotOpened,   // missing, or not ours to read
    NotRegular,  // there, but a directory, FIFO, device or socket
    TooLarge,
    Failed,
};

// The whole file, when it is a regular file of at most `maxBytes`. A larger file is refused
// from its size, before any of it is read.
ReadResult ReadRegularFile(const std::string& utf8Path, std::string& bytes,
                           std::uint64_t maxBytes = UINT64_MAX);

}  // namespace wb::platform
