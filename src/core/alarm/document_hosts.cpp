#include "alarm/document_hosts.h"

#include <algorithm>
#include <iterator>

#include "hostlist/host_list_reader.h"
#include "platform/host_probe.h"
#include "wake/host_wait.h"

namespace wb {

namespace {

// Calls fn(line, number) for each '\n'-separated line of `bytes`.
template <typename Fn>
void ForEachLine(std::string_view bytes, std::uint64_t firstLine, Fn&& fn) {
    std::uint64_t number = firstLine;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        fn(bytes.substr(start, end - start), number++);
        start = end + 1;
    }
}

}  // namespace

DocumentHosts ReadDocumentHosts(std::string_view bytes, std::uint64_t firstLine) {
    DocumentHosts out;
    ForEachLine(bytes, firstLine, [&](std::string_view line, std::uint64_t number) {
        // One line at a time, so that a line longer than the reader's pieces still counts
        // once and the numbers are the ones the user sees.
        bool bad = false;
        ReadHostListText(
            line,
            [&](std::vector<std::string>& addresses, std::string_view ip) {
                for (std::string& a : addresses)
                    out.hosts.push_back({std::move(a), std::string(ip), number});
            },
            [&](std::uint64_t) { bad = true; });
        if (!bad) return;
        if (out.badLines.size() < DocumentHosts::kMaxBadLines)
            out.badLines.push_back(number);
        else
            ++out.moreBadLines;
    });
    return out;
}

std::vector<std::string> DocumentHostIps(std::string_view bytes) {
    std::vector<std::string> ips;
    ForEachLine(bytes, 1, [&](std::string_view line, std::uint64_t) {
        std::string ip;
        ReadHostListText(
            line,
            [&](std::vector<std::string>&, std::string_view found) {
                if (ip.empty()) ip = found;
            },
            [](std::uint64_t) {});
        ips.push_back(std::move(ip));
    });
    return ips;
}

std::vector<bool> ProbeHostsOnce(const std::vector<platform::IpAddress>& hosts,
                                 std::chrono::milliseconds budget) {
    const std::vector<std::uint16_t> ports(std::begin(kAwakeProbePorts),
                                           std::end(kAwakeProbePorts));
    std::vector<bool> answered;
    answered.reserve(hosts.size());
    for (std::size_t first = 0; first < hosts.size(); first += kProbeSlice) {
        const auto end = hosts.begin() +
                         static_cast<std::ptrdiff_t>(std::min(hosts.size(), first + kProbeSlice));
        const std::vector<platform::IpAddress> slice(
            hosts.begin() + static_cast<std::ptrdiff_t>(first), end);
        const std::vector<bool> got = platform::ProbeHosts(slice, ports, budget);
        answered.insert(answered.end(), got.begin(), got.end());
    }
    return answered;
}

}  // namespace wb
