#pragma once

#include <string>
#include <string_view>

namespace wb::platform {

// Replaces the file at `path` with `bytes` as a whole: the bytes go to a temporary file in
// the same directory, are flushed to the disk, and the temporary file is renamed over the
// target. On any failure the old file is left as it was and the temporary file removed.
// A symbolic link is followed: its target is what gets replaced.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// WriteFileAtomically for content made a piece at a time, so that a file of any size costs
// no more memory than the buffer: the pieces go to the temporary file as they come, and
// Commit() renames it over the target. Destroyed without a successful Commit(), it removes
// the temporary file and leaves the target as it was.
class CAtomicFileWriter final {
public:
    explicit CAtomicFileWriter(const std::string& path);
    ~CAtomicFileWriter();
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    bool Write(std::string_view bytes);
    // Everything written reaches the disk and replaces the target; false on any failure.
    bool Commit();

private:
    bool Flush();
    bool WriteOut(std::string_view bytes);
    void Discard();

    std::string m_path;  // links followed
    std::string m_tmp;
    std::string m_buffer;
    bool m_ok = false;
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};

// Whether WriteFileAtomically may replace `path`: an existing target (links followed) must
// be a regular file that we may write, and its directory must take a new file.
bool CheckReplaceable(const std::string& path);

// Reads a whole regular file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace wb::platform
