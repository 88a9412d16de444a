#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sockets.h"

namespace wb {

// How long the window watches woken hosts come up: a machine that has not answered in two
// minutes is not booting, it is not coming.
inline constexpr std::chrono::seconds kDefaultAwakeWait{120};

// The hosts of host-list text being edited (not yet saved), as the host-list reader sees them.
struct DocumentHosts {
    struct Host {
        std::string ethernet;  // as written
        std::string ip;        // the line's first IP address; empty when it has none
        std::uint64_t line = 0;
    };
    std::vector<Host> hosts;  // one per Ethernet address, in text order
    // Lines holding only one of the two addresses: kept up to kMaxBadLines, the rest counted.
    static constexpr std::size_t kMaxBadLines = 64;
    std::vector<std::uint64_t> badLines;
    std::uint64_t moreBadLines = 0;
};

// Reads `bytes` (in the file's code page, lines separated by '\n') line by line; the first
// line is numbered `firstLine`. Each line is one document line, however long.
DocumentHosts ReadDocumentHosts(std::string_view bytes, std::uint64_t firstLine = 1);

// The IP address of each line of `bytes` that names a host, as ReadDocumentHosts finds it
// (index: line - firstLine); empty for the others.
std::vector<std::string> DocumentHostIps(std::string_view bytes);

// One round of probes to `hosts` in slices of at most kProbeSlice, each slice given
// `budget`: which of them answered. Nothing is sent to any other address.
inline constexpr std::size_t kProbeSlice = 64;
std::vector<bool> ProbeHostsOnce(const std::vector<platform::IpAddress>& hosts,
                                 std::chrono::milliseconds budget);

}  // namespace wb
