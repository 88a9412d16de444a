#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wb::platform {

// What became of a save or of the check before one.
struct SaveResult {
    bool done = false;
    // Set when the save stopped at a symbolic link that the kernel itself would not follow
    // for us (ResolveWriteTarget): nothing was written. Empty for any other failure.
    std::string refusedLink;
    explicit operator bool() const { return done; }
};

// Replaces the file at `path` with `bytes` as a whole: the bytes go to a temporary file in
// the same directory, are flushed to the disk, and the temporary file is renamed over the
// target. On any failure the old file is left as it was and the temporary file removed.
// A symbolic link is followed where the kernel would follow it: its target is what gets
// replaced, and the link stays. The temporary files that killed saves of the same file left
// behind are removed on the way.
SaveResult WriteFileAtomically(const std::string& path, std::string_view bytes);

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
    // Everything written reaches the disk and replaces the target; not done on any failure.
    SaveResult Commit();

private:
    bool Flush();
    bool WriteOut(std::string_view bytes);
    void Discard();

    std::string m_path;  // links followed
    std::string m_tmp;
    std::string m_buffer;
    std::string m_refusedLink;
    bool m_ok = false;
    // The descriptor, or the HANDLE as a number; -1 when none.
    static constexpr std::intptr_t kNoFile = -1;
    int Fd() const { return static_cast<int>(m_file); }

    std::intptr_t m_file = kNoFile;
};

// Whether WriteFileAtomically may replace `path`: the links on the way must be ones it
// follows, an existing target must be a regular file that we may write, and its directory
// must take a new file.
SaveResult CheckReplaceable(const std::string& path);

// Reads a whole regular file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace wb::platform
