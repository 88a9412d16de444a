#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace wb::platform {

// File names travel through the system as UTF-8. POSIX takes those bytes as they are;
// Windows reads a narrow name in the ANSI code page, so there every name goes through
// these to reach the wide-character file calls.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// Files are opened for reading or appending through CRegularFile (regular_file.h) only.

// True when the file was removed.
bool RemoveFile(const std::string& utf8Path);

// The directory part of a path with its separator ("" for a bare name), and the last part.
std::string DirectoryOf(const std::string& utf8Path);
std::string BaseNameOf(const std::string& utf8Path);

// Where a write to `utf8Path` lands: its symbolic links followed only where the kernel
// itself would follow them for us (fs.protected_symlinks): in a world-writable sticky
// directory only a link that is ours or the directory owner's. On Windows a reparse point
// that is neither the user's nor its directory owner's is refused. False when a link is
// refused (`refusedLink` names it) or the chain cannot be walked (`refusedLink` empty).
// The target need not exist.
bool ResolveWriteTarget(const std::string& utf8Path, std::string& target, std::string& refusedLink);

// Windows only (defined there alone): UTF-8 to UTF-16 and back, invalid input giving an
// empty result; whether the open file (a HANDLE, opened with READ_CONTROL) is owned by the
// running user.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
bool IsOwnedByUser(void* handle);

}  // namespace wb::platform
