#include "hostlist/arp_listing.h"

#include <algorithm>
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

bool IsDottedQuad(std::string_view w) {
    int parts = 0;
    while (parts < 4) {
        std::size_t n = 0;
        unsigned value = 0;
        for (; n < w.size() && n < 4 && w[n] >= '0' && w[n] <= '9'; ++n)
            value = value * 10 + static_cast<unsigned>(w[n] - '0');
        if (n == 0 || n > 3 || value > 255) return false;
        w.remove_prefix(n);
        if (++parts < 4) {
            if (w.empty() || w[0] != '.') return false;
            w.remove_prefix(1);
        }
    }
    return w.empty();
}

// Six parts of one or two hexadecimal digits (ether_ntoa leaves out leading zeros), all
// joined by ':' or all by '-'.
bool IsNeighbourEthernet(std::string_view w) {
    const char sep = w.find(':') != std::string_view::npos ? ':' : '-';
    for (int part = 0; part < 6; ++part) {
        std::size_t n = 0;
        while (n < w.size() && n < 3 && IsHexDigit(w[n]))
            ++n;
        if (n == 0 || n > 2) return false;
        w.remove_prefix(n);
        if (part < 5) {
            if (w.empty() || w[0] != sep) return false;
            w.remove_prefix(1);
        }
    }
    return w.empty();
}

// An IPv6 address: hexadecimal digits and colons (a dotted tail allowed), at least two
// colons, and not an Ethernet address.
bool IsIpv6(std::string_view w) {
    return std::count(w.begin(), w.end(), ':') >= 2 && !IsNeighbourEthernet(w) &&
           w.find_first_not_of("0123456789abcdefABCDEF:.") == std::string_view::npos;
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
        const std::string_view bare =
            bracketed ? std::string_view(word).substr(1, word.size() - 2) : word;
        if (IsDottedQuad(bare)) {
            ++ips;
            entry.ip = std::string(bare);
            // arp -a: "NAME (IP) at ...", "?" for a name it does not know.
            if (bracketed && previous == first && first != "?") entry.name = first;
        } else if (IsNeighbourEthernet(bare)) {
            ++ethernets;
            entry.ethernet = std::string(bare);
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
