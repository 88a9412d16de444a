#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/string_text.h"

namespace wb {

// A cheap plausibility test: 7 to 15 characters, each a digit, a point or a hyphen.
bool IsValidIpText(const std::string& text);

// The strict test: 17 characters, hexadecimal digits, with a hyphen or a point allowed at
// positions 2, 5, 8, 11 and 14; the two all-zero texts "00-00-00-00-00-00" and
// "00.00.00.00.00.00" are refused.
bool IsValidEthernetText(const std::string& text);

// The lenient reading used when a frame is built: `count` pairs of hexadecimal digits,
// each pair optionally preceded by blanks, hyphens and points; whatever follows the last
// pair is not looked at. On failure all `count` output bytes are zero.
bool ParseEthernetAddress(const std::string& text, std::uint8_t* out, int count);

// An Ethernet address as a user types it on a command line: six pairs of hexadecimal digits
// joined by one kind of separator ('-', ':' or '.') or by none. Nothing may follow.
bool ParseEthernetArgument(const std::string& text, std::uint8_t (&out)[6]);

// An Ethernet address typed to wake a host: the form of ParseEthernetArgument, and neither
// the all-zero nor the broadcast address, which name no host.
enum class HostEthernetFault { None, Malformed, AllZero, Broadcast };
HostEthernetFault ParseHostEthernet(const std::string& text, std::uint8_t (&out)[6]);

// A SecureOn password: six bytes written like an Ethernet address, or four bytes written
// as a dotted IPv4 address (four decimal parts, 0..255).
bool ParseSecureOnPassword(const std::string& text, std::vector<std::uint8_t>& out);

// An Ethernet address as other tools write it: six parts of one or two hexadecimal digits
// (ether_ntoa leaves out leading zeros), all joined by ':' or all by '-'. `hyphenated` gets
// it as a host list holds it, two digits a part joined by hyphens, letter case kept.
bool ParseToolEthernet(const std::string& text, std::string& hyphenated);

}  // namespace wb
