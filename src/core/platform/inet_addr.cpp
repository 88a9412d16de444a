#include "platform/inet_addr.h"

#include <cstdio>
#include <cstring>

#include "base/string_text.h"

namespace wb::platform {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// One part of the classic form at `i`: decimal, octal after a leading 0, hexadecimal after
// 0x. False when no digit follows or the value passes 32 bits.
bool ReadPart(std::string_view text, std::size_t& i, std::uint64_t& value) {
    const std::size_t n = text.size();
    if (i >= n || !IsAsciiDigit(text[i])) return false;
    int base = 10;
    bool any = false;
    if (text[i] == '0') {
        base = 8;
        any = true;  // a lone "0" is a number
        ++i;
        if (i < n && (text[i] == 'x' || text[i] == 'X')) {
            base = 16;
            any = false;
            ++i;
        }
    }
    value = 0;
    for (; i < n; ++i) {
        const int d = HexValue(text[i]);
        if (d < 0 || d >= base || (base != 16 && !IsAsciiDigit(text[i]))) break;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFu) return false;
        any = true;
    }
    return any;
}

// The largest value of each part when there are `count` of them: the last part fills the
// bytes that the parts before it leave.
constexpr std::uint64_t kPartLimit[4][4] = {
    {0xFFFFFFFFu},
    {0xFF, 0xFFFFFF},
    {0xFF, 0xFF, 0xFFFF},
    {0xFF, 0xFF, 0xFF, 0xFF},
};

std::uint32_t NetworkOrder(std::uint64_t host) {
    // Network byte order, independent of the host's own order.
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(host >> 24), static_cast<std::uint8_t>(host >> 16),
        static_cast<std::uint8_t>(host >> 8), static_cast<std::uint8_t>(host)};
    std::uint32_t net = 0;
    static_assert(sizeof net == sizeof bytes);
    std::memcpy(&net, bytes, sizeof net);
    return net;
}

}  // namespace

std::uint32_t InetAddr(std::string_view text) {
    std::uint64_t parts[4] = {};
    int count = 0;
    std::size_t i = 0;
    for (;;) {
        if (count == 4 || !ReadPart(text, i, parts[count])) return kInetAddrNone;
        ++count;
        if (i >= text.size() || text[i] != '.') break;
        ++i;
    }
    for (; i < text.size(); ++i)
        if (!IsSpace(text[i])) return kInetAddrNone;

    std::uint64_t host = 0;
    for (int k = 0; k < count; ++k) {
        if (parts[k] > kPartLimit[count - 1][k]) return kInetAddrNone;
        host |= parts[k] << (k == count - 1 ? 0 : 24 - 8 * k);
    }
    return NetworkOrder(host);
}

std::string_view FormatInetAddr(std::uint32_t addrNet, char (&buf)[16]) {
    unsigned char b[4];
    std::memcpy(b, &addrNet, 4);
    int len = std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return std::string_view(buf, static_cast<std::size_t>(len));
}

bool ParseDottedQuad(std::string_view text, std::uint32_t& addrNet) {
    unsigned char bytes[4];
    std::size_t i = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && (i >= text.size() || text[i++] != '.')) return false;
        unsigned value = 0;
        std::size_t digits = 0;
        for (; i < text.size() && IsAsciiDigit(text[i]) && digits < 4; ++i, ++digits)
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (digits == 0 || digits > 3 || value > 255) return false;
        bytes[part] = static_cast<unsigned char>(value);
    }
    if (i != text.size()) return false;
    std::memcpy(&addrNet, bytes, 4);
    return true;
}

std::string CanonicalDottedQuad(std::string_view text) {
    std::uint32_t addrNet = 0;
    if (!ParseDottedQuad(text, addrNet)) return {};
    char buf[16];
    return std::string(FormatInetAddr(addrNet, buf));
}

}  // namespace wb::platform
