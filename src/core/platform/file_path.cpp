#include "platform/file_path.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace wb::platform {

#ifdef _WIN32
std::wstring Utf8ToWide(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                      static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        w.data(), n);
    return w;
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n,
                        nullptr, nullptr);
    return s;
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    std::wstring wide = Utf8ToWide(utf8);
    // Not UTF-8 at all: the bytes are most likely in the ANSI code page already.
    if (wide.empty() && !utf8.empty()) return std::filesystem::path(std::string(utf8));
    return std::filesystem::path(std::move(wide));
}

std::string PathToUtf8(const std::filesystem::path& path) { return WideToUtf8(path.native()); }
#else
std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::string(utf8));
}

std::string PathToUtf8(const std::filesystem::path& path) { return path.native(); }
#endif

bool RemoveFile(const std::string& utf8Path) {
    std::error_code ec;
    return std::filesystem::remove(PathFromUtf8(utf8Path), ec);
}

}  // namespace wb::platform
