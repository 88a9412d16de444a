// The conversion of an ARP listing into host-list entries, over arbitrary listings. Every
// entry must carry an IP text and a strict, not all-zero Ethernet text, both standing as
// they are in the listing, one entry at most per piece the reader hands out; and the
// host-list file written from the entries must read back as exactly their Ethernet
// addresses, in order, with nothing to report. Each line read as a neighbour table's gives
// an entry only with both addresses standing in it, and nothing else.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "hostlist/arp_listing.h"
#include "hostlist/host_list_reader.h"
#include "hostlist/host_list_writer.h"
#include "hostlist/text_reader.h"
#include "wake/address_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static wb::fuzz::ScratchFile file("written.mp");
    const std::string listing(reinterpret_cast<const char*>(data), size);
    const std::vector<wb::HostListEntry> entries = wb::ParseArpListing(listing);

    std::size_t pieces = 0;
    wb::CTextReader reader{std::string_view(listing)};
    for (std::string_view piece; reader.Next(piece);)
        ++pieces;
    FUZZ_CHECK(entries.size() <= pieces);
    for (const wb::HostListEntry& e : entries) {
        FUZZ_CHECK(wb::IsValidIpText(e.ip) && listing.find(e.ip) != std::string::npos);
        FUZZ_CHECK(wb::IsValidEthernetText(e.ethernet) &&
                   listing.find(e.ethernet) != std::string::npos);
        FUZZ_CHECK(e.ethernet.find_first_not_of("0-.") != std::string::npos);
        FUZZ_CHECK(e.name.empty());
    }

    for (std::size_t at = 0; at < listing.size();) {
        const std::size_t end = std::min(listing.find('\n', at), listing.size());
        const std::string_view line = std::string_view(listing).substr(at, end - at);
        wb::HostListEntry n;
        if (wb::ReadNeighbourLine(line, n) == wb::NeighbourLine::Entry) {
            FUZZ_CHECK(!n.ip.empty() && line.find(n.ip) != std::string_view::npos);
            FUZZ_CHECK(n.ethernet.size() >= 11 && line.find(n.ethernet) != std::string_view::npos);
        } else {
            FUZZ_CHECK(n.ip.empty() && n.ethernet.empty() && n.name.empty());
        }
        at = end + 1;
    }

    FUZZ_CHECK(file.Write(wb::HostListFileBytes(entries)));
    std::string report;
    std::vector<std::string> addresses;
    FUZZ_CHECK(wb::ReadHostList(file.Path(), report, addresses));
    FUZZ_CHECK(report.empty());
    FUZZ_CHECK(addresses.size() == entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        FUZZ_CHECK(addresses[i] == entries[i].ethernet);
    return 0;
}
