#pragma once

#include <string>
#include <string_view>

namespace wb::platform {

// Replaces the file at `path` with `bytes` as a whole: the bytes go to a temporary file in
// the same directory, are flushed to the disk, and the temporary file is renamed over the
// target. On any failure the old file is left as it was and the temporary file removed.
// A symbolic link is followed: its target is what gets replaced.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Whether WriteFileAtomically may replace `path`: an existing target (links followed) must
// be a regular file that we may write, and its directory must take a new file.
bool CheckReplaceable(const std::string& path);

// Reads a whole regular file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace wb::platform
