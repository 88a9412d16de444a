#pragma once

#include <string>
#include <vector>

#include "support/process.h"

namespace wb::test {

// A small LAN of network namespaces, built for one test binary and removed again:
//   host  198.51.100.37/24, default route on its link, its own host name in its hosts file
//   peers 198.51.100.10, .11, .12 with Ethernet addresses 02:00:5e:00:00:10, :11, :12
// all on one bridge. The host's hosts file names peer .10 "peer-a" and .11 "peer-b", not
// .12; its resolver points at nothing so unknown names fail at once. Each peer runs a
// datagram recorder on UDP ports 2304 and 40000. Only 198.51.100.0/24 is used.
//
// LabOptions widen it:
//   sink        a namespace that owns every other address of the subnet (SinkReceived)
//   secondLink  two halves on two bridges: eth0 of the host and the three peers in
//               198.51.100.0/25 (host .37), the host's eth1 198.51.100.137/25 with peer
//               198.51.100.140 (02:00:5e:00:00:40) on the second bridge; the host also has
//               an interface "dn0" that is down
//   ipv6        the host and the peers on the first bridge also get 2001:db8::OCTET/64 and
//               fe80::OCTET/64 (OCTET as written in the IPv4 address: 2001:db8::10)
//   sleeper     198.51.100.13 (02:00:5e:00:00:13) on the first bridge, whose link stays down
//               until a watcher on the bridge sees a wake-up frame for it; it comes up two
//               seconds later
struct LabOptions {
    bool sink = false;
    bool secondLink = false;
    bool ipv6 = false;
    bool sleeper = false;
};

struct LabPeer {
    std::string ns;
    std::string ip;        // "198.51.100.10"
    std::string ethernet;  // "02-00-5e-00-00-10", as the kernel shows it, hyphenated
    std::string name;      // "peer-a", or empty when the hosts file does not name it
};

class LabNetwork final {
public:
    // Skips (returns false with a reason) only when not root; any other failure to build
    // the lab is an error the caller should fail on.
    static bool CanRun(std::string& why);

    LabNetwork();
    ~LabNetwork();
    LabNetwork(const LabNetwork&) = delete;
    LabNetwork& operator=(const LabNetwork&) = delete;

    // withSink adds a namespace that owns every other address of the subnet, so that polls
    // of the whole range can be counted (SinkReceived).
    bool Up(std::string& error, bool withSink = false);
    bool Up(std::string& error, const LabOptions& options);
    void Down();

    const std::string& HostNs() const { return m_hostNs; }
    const std::vector<LabPeer>& Peers() const { return m_peers; }

    // Runs argv inside the host namespace (with its hosts file and resolver).
    ProcessResult RunInHost(const std::vector<std::string>& argv, const std::string& cwd = {});

    // Datagrams that peer i received since the last Clear, as hex, one per entry, and the
    // address each was sent to ("198.51.100.255 <hex>"; "198.51.100.255@40000 <hex>" for
    // the second port).
    std::vector<std::string> Received(std::size_t peer);
    // When each of them arrived, in milliseconds of the recorder's steady clock.
    std::vector<long long> ReceivedTimes(std::size_t peer);
    std::vector<std::string> SinkReceived();
    void ClearReceived();
    // Empties the host's neighbour table, so that the next poll starts from nothing.
    void FlushHostNeighbours();

private:
    std::string m_prefix;
    std::string m_hostNs;
    std::string m_switchNs;
    std::vector<LabPeer> m_peers;
    std::vector<std::string> m_recordFiles;
    std::vector<int> m_recorderPids;  // the sleeper's watcher included
    std::string m_workDir;
    std::string m_sinkFile;
    std::vector<std::string> ReadRecord(const std::string& file);
    bool Spawn(std::vector<std::string> argv, std::string& error);
    std::string m_sleeperNs;
    bool m_up = false;
};

}  // namespace wb::test
