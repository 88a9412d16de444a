#pragma once

#include <cstdint>
#include <string_view>

namespace wb::platform {

// All ones: both the error value of the conversion and the limited broadcast address.
inline constexpr std::uint32_t kInetAddrNone = 0xFFFFFFFFu;

// Reads a dotted IPv4 text the way the classic BSD/Winsock inet_addr does: one to four
// parts, each decimal, octal (leading 0) or hexadecimal (0x); fewer parts fill the low
// bytes ("10.1" is 10.0.0.1). Trailing blanks are allowed, nothing else. Returns the
// address in network byte order, or kInetAddrNone.
std::uint32_t InetAddr(std::string_view text);

// Dotted decimal form of an address in network byte order.
std::string_view FormatInetAddr(std::uint32_t addrNet, char (&buf)[16]);

}  // namespace wb::platform
