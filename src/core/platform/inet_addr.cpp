#include "platform/inet_addr.h"

#include <cstdio>
#include <cstring>

namespace wb::platform {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::uint32_t InetAddr(std::string_view text) {
    std::uint64_t parts[4] = {};
    int count = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    for (;;) {
        if (i >= n || !IsDigit(text[i])) return kInetAddrNone;
        std::uint64_t value = 0;
        int base = 10;
        if (text[i] == '0') {
            base = 8;
            ++i;
            if (i < n && (text[i] == 'x' || text[i] == 'X')) {
                base = 16;
                ++i;
            }
        }
        bool any = base == 8;  // a lone "0" is a number
        for (; i < n; ++i) {
            int d = HexValue(text[i]);
            if (d < 0 || d >= base || (base != 16 && !IsDigit(text[i]))) break;
            value = value * base + d;
            if (value > 0xFFFFFFFFu) return kInetAddrNone;
            any = true;
        }
        if (!any) return kInetAddrNone;
        parts[count++] = value;
        if (i < n && text[i] == '.') {
            if (count == 4) return kInetAddrNone;
            ++i;
            continue;
        }
        break;
    }
    for (; i < n; ++i) {
        if (!IsSpace(text[i])) return kInetAddrNone;
    }

    std::uint64_t host = 0;
    switch (count) {
        case 1:
            host = parts[0];
            break;
        case 2:
            if (parts[0] > 0xFF || parts[1] > 0xFFFFFF) return kInetAddrNone;
            host = parts[0] << 24 | parts[1];
            break;
        case 3:
            if (parts[0] > 0xFF || parts[1] > 0xFF || parts[2] > 0xFFFF) return kInetAddrNone;
            host = parts[0] << 24 | parts[1] << 16 | parts[2];
            break;
        default:
            for (int k = 0; k < 4; ++k) {
                if (parts[k] > 0xFF) return kInetAddrNone;
            }
            host = parts[0] << 24 | parts[1] << 16 | parts[2] << 8 | parts[3];
            break;
    }
    // Network byte order, independent of the host's own order.
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(host >> 24), static_cast<std::uint8_t>(host >> 16),
        static_cast<std::uint8_t>(host >> 8), static_cast<std::uint8_t>(host)};
    std::uint32_t net = 0;
    static_assert(sizeof net == sizeof bytes);
    std::memcpy(&net, bytes, sizeof net);
    return net;
}

std::string_view FormatInetAddr(std::uint32_t addrNet, char (&buf)[16]) {
    unsigned char b[4];
    std::memcpy(b, &addrNet, 4);
    int len = std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return std::string_view(buf, static_cast<std::size_t>(len));
}

}  // namespace wb::platform
