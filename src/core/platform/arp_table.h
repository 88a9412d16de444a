#pragma once

#include <chrono>
#include <map>
#include <string>
#include <string_view>

namespace wb::platform {

// The IPv4 neighbour table as listing text in the form of the Windows "arp -a" output: per
// interface a title line and a column head, then one line per entry holding the IP address
// and the Ethernet address as a 17-character hyphenated token. Only entries with a resolved
// Ethernet address are listed. Address resolution runs on after the caller's sends, so this
// waits up to `settle` for entries still being resolved. False when the table cannot be read
// at all (the listing is then empty).
bool ReadArpListing(std::string& listing, std::chrono::milliseconds settle);

// How long after its sends a caller waits for the hosts to answer address resolution: long
// enough for the system's second request to every address and its answer.
std::chrono::milliseconds ArpAnswerGrace();

// The listing of a table without a single entry.
inline constexpr char kNoArpEntries[] = "No ARP Entries Found.\r\n";

// Turns the text of Linux's /proc/net/arp into the listing above; `deviceAddrs` gives the
// address shown in each interface's title line. `resolving` tells whether any entry is still
// without a resolved address.
std::string FormatProcNetArp(std::string_view procNetArp,
                             const std::map<std::string, std::string>& deviceAddrs,
                             bool& resolving);

}  // namespace wb::platform
