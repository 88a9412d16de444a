#include "platform/codepage.h"

#include <iconv.h>

#include <cerrno>

namespace wb::platform {

namespace {

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

}  // namespace

std::optional<std::string> Utf8ToGb18030(std::string_view utf8) {
    return Convert("UTF-8", "GB18030", utf8);
}

std::optional<std::string> Gb18030ToUtf8(std::string_view gb) {
    return Convert("GB18030", "UTF-8", gb);
}

}  // namespace wb::platform
