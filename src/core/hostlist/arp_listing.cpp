#include "hostlist/arp_listing.h"

#include <string>

#include "hostlist/host_list_tokens.h"
#include "wake/address_text.h"

namespace wb {

namespace {

// Only the two exact all-zero texts fail the Ethernet test; a listing may carry others.
bool IsAllZero(const std::string& ethernet) {
    for (char c : ethernet) {
        if (IsHexDigit(c) && c != '0') return false;
    }
    return true;
}

}  // namespace

std::vector<HostListEntry> ParseArpListing(CTextReader& reader) {
    std::vector<HostListEntry> entries;
    std::string_view line;
    while (reader.Next(line)) {
        int ips = 0;
        int ethernets = 0;
        HostListEntry entry;
        ForEachHostListToken(line, [&](std::string_view token) {
            std::string text(token);
            if (IsValidIpText(text)) {
                ++ips;
                entry.ip = std::move(text);
            } else if (IsValidEthernetText(text)) {
                ++ethernets;
                entry.ethernet = std::move(text);
            }
            return true;
        });
        if (ips == 1 && ethernets == 1 && !IsAllZero(entry.ethernet)) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

std::vector<HostListEntry> ParseArpListing(std::string_view listing) {
    CTextReader reader(listing);
    return ParseArpListing(reader);
}

}  // namespace wb
