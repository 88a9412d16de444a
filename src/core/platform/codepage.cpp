#include "platform/codepage.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace wb::platform {

namespace {

#ifdef _WIN32
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
#else
std::optional<std::string> Convert(const char* from, const char* to, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::size_t done = 0;
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = out.data() + done;
        std::size_t dstLeft = out.size() - done;
        std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        done = out.size() - dstLeft;
        if (rc != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        ok = false;  // EILSEQ or EINVAL: not valid text in the source encoding
        break;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(done);
    return out;
}
#endif

}  // namespace

std::optional<std::string> Utf8ToGb18030(std::string_view utf8) {
#ifdef _WIN32
    return Convert(CP_UTF8, FileCodePage(), utf8);
#else
    return Convert("UTF-8", "GB18030", utf8);
#endif
}

std::optional<std::string> Gb18030ToUtf8(std::string_view gb) {
#ifdef _WIN32
    return Convert(FileCodePage(), CP_UTF8, gb);
#else
    return Convert("GB18030", "UTF-8", gb);
#endif
}

std::string ToFileText(std::string_view utf8) {
    auto gb = Utf8ToGb18030(utf8);
    return gb ? *gb : std::string(utf8);
}

std::string FromFileText(std::string_view gb) {
    auto utf8 = Gb18030ToUtf8(gb);
    return utf8 ? *utf8 : std::string(gb);
}

}  // namespace wb::platform
