#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "lab/lab_network.h"
#include "support/temp_dir.h"

namespace wb::test {
namespace {

const std::string kMac = "00-a0-c9-12-34-56";
const std::string kFrameHex = FrameHex("00a0c9123456");
constexpr std::size_t kSideB = 3;  // the one peer behind the host's second interface

// The lab in two halves, with IPv6 on the first and a sleeping host there.
class LabSend : public LabFixture {
protected:
    static void SetUpTestSuite() { Build({false, true, true, true}); }

    ProcessResult Send(std::vector<std::string> args) {
        args.insert(args.begin(), {WAKEBURST_CLI, "send"});
        return RunInHost(args);
    }
};

// Interfaces, port, repeats, both password forms and IPv6 destinations, as they arrive.
TEST_F(LabSend, CommandsReachTheRightPeers) { RunTranscript("send.t"); }

// The pause between repeats, seen loosely at a peer: three frames 300 ms apart span more
// than 400 ms.
TEST_F(LabSend, RepeatsKeepTheirInterval) {
    const auto r = Send({kMac, "--to", "198.51.100.12", "--repeat", "3", "--interval", "300"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto times = ReceivedTimes(2);
    ASSERT_EQ(times.size(), 3u);
    EXPECT_GT(times[2] - times[0], 400);
}

TEST_F(LabSend, SleepingHostIsReportedAwake) {
    const auto r = Send(
        {"02:00:5e:00:00:13", "--to", "198.51.100.127", "--host", "198.51.100.13", "--wait", "10"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.out.rfind("发送到 198.51.100.127\n198.51.100.13 awake after ", 0), 0u) << r.out;
    // It comes up two seconds after the frame, so no answer can come sooner.
    const int seconds = std::stoi(r.out.substr(r.out.rfind(' ', r.out.size() - 4)));
    EXPECT_GE(seconds, 2);
    EXPECT_LE(seconds, 10);
}

TEST_F(LabSend, HostThatNeverWakesGivesExit3InTime) {
    const auto start = std::chrono::steady_clock::now();
    const auto r = Send({"02:00:5e:00:00:14", "--to", "198.51.100.127", "--host", "198.51.100.14",
                         "--wait", "2", "-q"});
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "198.51.100.14 did not answer within 2 s\n");
    EXPECT_LT(took, std::chrono::milliseconds(3500));
}

// A host that drops every TCP segment still answers a ping, where the system lets this
// program ping.
TEST_F(LabSend, HostThatOnlyAnswersPingIsAwake) {
    const LabPeer& peer = Peers()[2];
    const std::string host = "ip netns exec " + HostNs() + " ";
    ASSERT_TRUE(Shell("ip netns exec " + peer.ns + " iptables -A INPUT -p tcp -j DROP"));
    const auto silent = Send({kMac, "--to", peer.ip, "--wait", "1"});
    ASSERT_TRUE(Shell(host + "sysctl -qw net.ipv4.ping_group_range='0 2147483647'"));
    const auto pinged = Send({kMac, "--to", peer.ip, "--wait", "3"});
    Shell(host + "sysctl -qw net.ipv4.ping_group_range='1 0'");
    Shell("ip netns exec " + peer.ns + " iptables -F INPUT");
    EXPECT_EQ(silent.exitCode, 3) << silent.out;
    EXPECT_EQ(pinged.exitCode, 0) << pinged.err;
    EXPECT_NE(pinged.out.find(peer.ip + " awake after "), std::string::npos) << pinged.out;
}

TEST_F(LabSend, WakeWaitsForEveryHostOfTheList) {
    TempDir temp;
    std::string list;
    for (std::size_t i = 0; i < kSideB; ++i)
        list += Peers()[i].ip + "\tpc\t" + Peers()[i].ethernet + "\r\n";
    temp.Write("side-a.mp", list);
    const auto r = RunInHost({WAKEBURST_CLI, "wake", "side-a.mp", "--to", "198.51.100.127",
                              "--wait", "5", "--repeat", "2", "--interval", "0"},
                             temp.Path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (std::size_t i = 0; i < kSideB; ++i) {
        EXPECT_NE(r.out.find(Peers()[i].ip + " awake after "), std::string::npos) << r.out;
        EXPECT_EQ(Received(i).size(), 2 * kSideB);
    }
}

// Without a route the frame cannot leave: a failure, not "发送到".
TEST_F(LabSend, NoRouteIsAFailure) {
    const auto r = RunProcess({"unshare", "--net", "sh", "-c",
                               "ip link set lo up && exec " WAKEBURST_CLI
                               " send 00-a0-c9-12-34-56 --to 198.51.100.255"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "wakeburst send: 198.51.100.255: Network is unreachable\n");
}

}  // namespace
}  // namespace wb::test
