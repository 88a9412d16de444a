#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "lab/lab_network.h"

namespace wb::test {
namespace {

const std::string kFrameHex = FrameHex("00a0c9123456");
const std::string kDoodahHex = "446f6f646168";

class LabWake : public LabFixture {};

TEST_F(LabWake, CommandsReachTheRightPeers) { RunTranscript("wake.t"); }

TEST_F(LabWake, LocalAddressIsTheHostsOwn) {
    auto r = RunInHost({LAB_PROBE, "local"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "198.51.100.37\n");
}

TEST_F(LabWake, LookupFindsNamedPeersAndReportsOthersOnce) {
    auto named = RunInHost({LAB_PROBE, "lookup", "198.51.100.10"});
    EXPECT_EQ(named.out, "peer-a\n");
    EXPECT_EQ(named.err, "");
    auto unnamed = RunInHost({LAB_PROBE, "lookup", "198.51.100.12"});
    EXPECT_EQ(unnamed.out, "*名称未被发现*\n");
    // One message: the address, a line feed and the resolver's reason.
    EXPECT_EQ(unnamed.err.rfind("MSG 198.51.100.12\n", 0), 0u) << unnamed.err;
    EXPECT_EQ(unnamed.err.find("MSG ", 4), std::string::npos) << unnamed.err;
    auto broadcast = RunInHost({LAB_PROBE, "lookup", "255.255.255.255"});
    EXPECT_EQ(broadcast.out, "*名称未被发现*\n");
    EXPECT_EQ(broadcast.err, "MSG 未知错误!!!\n");
}

// Polls are counted at the peers and at a sink that owns every other address.
class LabPoll : public LabFixture {
protected:
    static void SetUpTestSuite() { Build({true}); }

    std::map<std::string, int> CountPolls() {
        std::map<std::string, int> perAddress;
        auto add = [&](const std::vector<std::string>& lines) {
            for (const auto& l : lines) {
                auto space = l.find(' ');
                EXPECT_EQ(l.substr(space + 1), kDoodahHex) << l;
                ++perAddress[l.substr(0, space)];
            }
        };
        for (std::size_t i = 0; i < Peers().size(); ++i)
            add(Received(i));
        add(SinkReceived());
        return perAddress;
    }
};

TEST_F(LabPoll, WholeSubnetThreeTimesEach) {
    auto r = RunInHost({LAB_PROBE, "poll", "255.255.255.0"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // address resolution
    auto polls = CountPolls();
    // .37 is the host itself: its own polls never reach the wire.
    EXPECT_EQ(polls.size(), 253u);
    for (int k = 1; k <= 254; ++k) {
        if (k == 37) continue;
        EXPECT_EQ(polls["198.51.100." + std::to_string(k)], 3) << k;
    }
}

TEST_F(LabPoll, MaskOf26BitsPollsOnlyItsQuarter) {
    auto r = RunInHost({LAB_PROBE, "poll", "255.255.255.192", "198.51.100.70"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    auto polls = CountPolls();
    EXPECT_EQ(polls.size(), 62u);
    EXPECT_EQ(polls.begin()->first, "198.51.100.100");  // text order; bounds checked below
    for (int k = 65; k <= 126; ++k)
        EXPECT_EQ(polls["198.51.100." + std::to_string(k)], 3) << k;
    EXPECT_EQ(polls.count("198.51.100.64"), 0u);
    EXPECT_EQ(polls.count("198.51.100.127"), 0u);
}

// Mask 255.255.255.254 leaves no address to poll; the others are refused.
TEST_F(LabPoll, MaskWithoutHostsSendsNothing) {
    for (const auto& [mask, message] : {std::pair<const char*, const char*>{"255.255.255.254", ""},
                                        {"255.255.255.255", "MSG 未知错误!!!\n"},
                                        {"255.255.x.0", "MSG 未知错误!!!\n"}}) {
        auto r = RunInHost({LAB_PROBE, "poll", mask});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, message);
        EXPECT_TRUE(CountPolls().empty()) << mask;
    }
}

}  // namespace
}  // namespace wb::test
