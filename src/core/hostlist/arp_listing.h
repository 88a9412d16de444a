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

}  // namespace wb
