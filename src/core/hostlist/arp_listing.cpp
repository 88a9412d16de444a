#include "hostlist/arp_listing.h"

#include <algorithm>
#include <string>

#include "hostlist/host_list_tokens.h"
#include "platform/inet_addr.h"
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

// An IPv6 address: hexadecimal digits and colons (a dotted tail allowed), at least two
// colons, and not an Ethernet address.
bool IsIpv6(const std::string& w) {
    std::string ethernet;
    return std::count(w.begin(), w.end(), ':') >= 2 && !ParseToolEthernet(w, ethernet) &&
           w.find_first_not_of("0123456789abcdefABCDEF:.") == std::string::npos;
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

NeighbourLine ReadNeighbourLine(std::string_view line, HostListEntry& entry) {
    entry = {};
    int ips = 0, ethernets = 0;
    bool unresolved = false, ipv6 = false;
    std::string first, previous;
    std::size_t i = 0;
    while ((i = line.find_first_not_of(" \t\r", i)) != std::string_view::npos) {
        const std::size_t end = std::min(line.find_first_of(" \t\r", i), line.size());
        const std::string word(line.substr(i, end - i));
        i = end;
        if (first.empty()) first = word;
        // The states of `ip neigh` and the marks of `arp` for a neighbour still unknown.
        if (word == "FAILED" || word == "INCOMPLETE" || word == "NOARP" || word == "NONE" ||
            word == "<incomplete>" || word == "(incomplete)")
            unresolved = true;
        const bool bracketed = word.size() > 2 && word.front() == '(' && word.back() == ')';
        const std::string bare = bracketed ? word.substr(1, word.size() - 2) : word;
        std::string canonical;
        std::uint32_t addrNet = 0;
        if (platform::ParseDottedQuad(bare, addrNet)) {
            ++ips;
            entry.ip = bare;
            // arp -a: "NAME (IP) at ...", "?" for a name it does not know.
            if (bracketed && previous == first && first != "?") entry.name = first;
        } else if (ParseToolEthernet(bare, canonical)) {
            ++ethernets;
            entry.ethernet = bare;
        } else if (IsIpv6(bare)) {
            ipv6 = true;
        }
        previous = word;
    }
    const auto has = [line](const char* text) { return line.find(text) != std::string_view::npos; };
    if (first == "Interface:" || has("HW type") || has("HWtype") || has("Physical Address"))
        return entry = {}, NeighbourLine::Heading;
    if (ips == 1 && ethernets == 1 && !unresolved && !ipv6 && !IsAllZero(entry.ethernet))
        return NeighbourLine::Entry;
    const bool neighbour = ips > 0 || ipv6;
    entry = {};
    return neighbour ? NeighbourLine::LeftOut : NeighbourLine::None;
}

}  // namespace wb
