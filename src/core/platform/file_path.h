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

#ifdef _WIN32
// UTF-8 to UTF-16 and back; invalid input gives an empty result.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
#endif

}  // namespace wb::platform
