#pragma once

#include <cstdint>
#include <string>
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

// Four decimal parts of 0..255 (one to three digits each) joined by points, and nothing
// else: unlike InetAddr no octal, no hexadecimal and no short forms, so that a password, a
// host or a name is never read as another address. `addrNet` in network byte order.
bool ParseDottedQuad(std::string_view text, std::uint32_t& addrNet);

// The address of such a text written without leading zeros ("010.1.1.1" is 10.1.1.1, not
// the octal 8 that other readers would make of it); empty for any other text.
std::string CanonicalDottedQuad(std::string_view text);

}  // namespace wb::platform
