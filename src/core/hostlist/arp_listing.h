#pragma once

#include <string_view>
#include <vector>

#include "hostlist/host_list_entry.h"
#include "hostlist/text_reader.h"

namespace wb {

// The entries of an ARP listing: every read of at most 254 bytes in which exactly two
// tokens are addresses, one IP-form and one Ethernet-form, in listing order. Names are
// left empty. An all-zero Ethernet address never makes an entry.
std::vector<HostListEntry> ParseArpListing(CTextReader& reader);
std::vector<HostListEntry> ParseArpListing(std::string_view listing);

// One line of a neighbour table as other tools print it (`ip neigh`, `arp -an`, `arp -n`,
// /proc/net/arp, the listing above): words apart at blanks and TABs, an IPv4 address in
// dotted decimal (in parentheses too), an Ethernet address of six parts of one or two
// hexadecimal digits joined by ':' or '-'.
enum class NeighbourLine {
    None,     // no neighbour at all
    Heading,  // the column heads or an interface's title line of one of these tools
    Entry,    // `entry` holds the IPv4 address and the Ethernet address as written, and the
              // name `arp -a` shows before the address (empty for "?" or none)
    LeftOut,  // a neighbour without a resolved Ethernet address (failed, incomplete, an
              // all-zero address) or not an IPv4 one
};
NeighbourLine ReadNeighbourLine(std::string_view line, HostListEntry& entry);

}  // namespace wb
