#include "platform/codepage.h"

#include <windows.h>

namespace wb::platform {

namespace {

constexpr UINT kGb18030 = 54936;
constexpr UINT kGbk = 936;

// Every Windows since Vista has GB18030; where it is missing (Wine, say) GBK carries every
// text of the system's own and refuses, rather than garbles, the rest.
UINT FileCodePage() {
    static const UINT cp = IsValidCodePage(kGb18030) ? kGb18030 : kGbk;
    return cp;
}

std::optional<std::wstring> Widen(UINT cp, std::string_view in) {
    if (in.empty()) return std::wstring();
    int n = MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()),
                                nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), w.data(),
                        n);
    return w;
}

std::optional<std::string> Narrow(UINT cp, const std::wstring& w) {
    if (w.empty()) return std::string();
    DWORD flags = cp == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0;
    // Only a code page without full Unicode cover can fall back on a default character,
    // and only there may it be asked whether it did.
    BOOL usedDefault = FALSE;
    BOOL* askDefault = cp == kGbk ? &usedDefault : nullptr;
    if (cp == kGbk) flags = WC_NO_BEST_FIT_CHARS;
    int n = WideCharToMultiByte(cp, flags, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, askDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(cp, flags, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        askDefault);
    return s;
}

std::optional<std::string> Convert(UINT from, UINT to, std::string_view in) {
    auto w = Widen(from, in);
    if (!w) return std::nullopt;
    return Narrow(to, *w);
}
}  // namespace

std::optional<std::string> Utf8ToGb18030(std::string_view utf8) {
    return Convert(CP_UTF8, FileCodePage(), utf8);
}

std::optional<std::string> Gb18030ToUtf8(std::string_view gb) {
    return Convert(FileCodePage(), CP_UTF8, gb);
}

}  // namespace wb::platform
