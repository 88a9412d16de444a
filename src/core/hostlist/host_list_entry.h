#pragma once

#include <string>

namespace wb {

// One host of a host-list file, with the texts exactly as they stood in the ARP listing.
struct HostListEntry {
    std::string ip;
    std::string name;  // empty until the name lookup has run
    std::string ethernet;
};

}  // namespace wb
