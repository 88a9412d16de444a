#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process.h"
#include "support/udp_receiver.h"

namespace wb::test {

// A small LAN of network namespaces, built by lab.sh and removed again:
//   host  198.51.100.37/24, default route on its link, its own host name in its hosts file
//   peers 198.51.100.10, .11, .12 with Ethernet addresses 02:00:5e:00:00:10, :11, :12
// all on one bridge. The host's hosts file names peer .10 "peer-a" and .11 "peer-b", not
// .12; its resolver points at nothing so unknown names fail at once. Each peer runs a
// datagram recorder on UDP ports 2304 and 40000. Only 198.51.100.0/24 is used.
//
// Options (words given to Start) widen it:
//   sink     a namespace that owns every other address of the subnet, with a recorder
//   second   two halves on two bridges: eth0 of the host and the three peers in
//            198.51.100.0/25 (host .37), the host's eth1 198.51.100.137/25 with peer
//            198.51.100.140 (02:00:5e:00:00:40) on the second bridge; the host also has
//            an interface "dn0" that is down
//   ipv6     the host and the peers on the first bridge also get 2001:db8::OCTET/64 and
//            fe80::OCTET/64 (OCTET as written in the IPv4 address: 2001:db8::10)
//   sleeper  198.51.100.13 (02:00:5e:00:00:13) on the first bridge, whose link stays down
//            until a watcher on the bridge sees a wake-up frame for it; it comes up two
//            seconds later
struct LabPeer {
    std::string ip;  // "198.51.100.10"
};

// The lab itself: one at a time per process. A benchmark builds it with Up and removes it
// with the object; tests use LabFixture or Start.
class LabNetwork {
public:
    // False (with the reason) when the lab cannot run here: it needs root.
    static bool CanRun(std::string& why);
    LabNetwork() = default;
    ~LabNetwork();
    LabNetwork(const LabNetwork&) = delete;
    LabNetwork& operator=(const LabNetwork&) = delete;
    bool Up(std::string& error, bool withSink = false);

    // Builds the lab with the options (blank-separated words); an empty result, or what
    // failed. Down removes it again.
    static std::string Start(const std::string& options);
    static void Down();
    // The directory where the recorders write NODE.rec, and the namespaces' prefix.
    static const std::string& Work();
    static const std::string& Prefix();

    static const std::vector<LabPeer>& Peers();
    // Runs argv inside the host namespace (with its hosts file and resolver).
    static ProcessResult RunInHost(std::vector<std::string> argv, const std::string& cwd = {});
    // Datagrams that peer i received since ClearReceived, one per entry, as the address each
    // was sent to and the hex bytes ("198.51.100.255 <hex>"; "198.51.100.255@40000 <hex>" for
    // the second port).
    static std::vector<std::string> Received(std::size_t peer);
    // Forgets what the peers received so far.
    static void ClearReceived();
    // Every peer in `reached` received `line` once and nothing else; the others nothing.
    static void ExpectAtPeers(const std::vector<std::size_t>& reached, const std::string& line);
    // Empties the host's neighbour table, so that the next poll starts from nothing.
    static void FlushHostNeighbours();

private:
    bool m_owner = false;
};

// One lab for all tests of a suite. Without root the tests skip; with root a lab that cannot
// be built fails them.
class LabFixture : public ::testing::Test, public LabNetwork {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite() { Down(); }
    void SetUp() override;
};

}  // namespace wb::test
