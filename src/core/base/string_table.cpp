#include "base/string_table.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

namespace wb {

namespace {

constexpr std::pair<int, std::string_view> kStrings[] = {
    {IDS_SOCKETS_INIT_FAILED, "Windows套接字初始化失败."},
    {IDS_APP_TITLE, kAppTitle},
    {IDP_ALARMS_NOT_SAVED, "无法创建文件 %1\n提醒设置未被保存."},
    {IDS_CANNOT_OPEN_READ, "\t无法以只读方式打开 %1 .\n"},
    {IDS_CANNOT_OPEN_WRITE, "\t无法以写入方式打开 %1.\n"},
    {IDS_BAD_ETHERNET, "不合法的以太网地址: %1\r\n\nWakeburst 未被发送."},
    {IDS_BAD_BROADCAST, "\t错误: %1是一个非法的IP 广播地址.\r\n\n\t文件: %2\r\n"},
    {IDS_FILE_NOT_FOUND, "文件 \r\n%1\n未被发现.  请查实后重试."},
};

}  // namespace

namespace {

// The length of the well-formed UTF-8 character at `i`, or 0 for a byte that starts none.
std::size_t Utf8CharLength(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char c = b(0);
    if (c < 0x80) return 1;
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) lo = 0xA0;  // overlong
        if (c == 0xED) hi = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (i + n > s.size() || b(1) < lo || b(1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if ((b(k) & 0xC0) != 0x80) return 0;
    return n;
}

}  // namespace

std::string EscapeControlChars(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    char buf[8];
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = Utf8CharLength(text, i);
        if (n == 0 || c < 0x20 || c == 0x7F) {
            // A control character, or a byte that is no text (a terminal may read a lone
            // 0x9B as the start of a control sequence).
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
            ++i;
        } else if (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned char>(text[i + 1]));
            out += buf;
            i += 2;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string_view LoadStringText(int id) {
    auto it = std::find_if(std::begin(kStrings), std::end(kStrings),
                           [id](const auto& e) { return e.first == id; });
    return it == std::end(kStrings) ? std::string_view() : it->second;
}

std::string FormatPlaceholders(std::string_view pattern, const std::string* args, int count) {
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            int k = pattern[i + 1] - '1';
            if (k < count) out += args[k];
            ++i;
            continue;
        }
        out += c;
    }
    return out;
}

std::string FormatString1(int id, const std::string& arg1) {
    return FormatPlaceholders(LoadStringText(id), &arg1, 1);
}

std::string SaveFailureText(const std::string& refusedLink, std::string otherwise) {
    if (refusedLink.empty()) return otherwise;
    return "拒绝经由其他用户的符号链接 " + EscapeControlChars(refusedLink) + " 写入.";
}

std::string LockWaitText(const std::string& path) {
    return "等待另一个程序释放 " + EscapeControlChars(path) + " ...";
}

std::string FormatString2(int id, const std::string& arg1, const std::string& arg2) {
    const std::string args[2] = {arg1, arg2};
    return FormatPlaceholders(LoadStringText(id), args, 2);
}

}  // namespace wb
