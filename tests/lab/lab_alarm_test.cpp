#include <gtest/gtest.h>

#include <string>

#include "lab/lab_network.h"
#include "support/temp_dir.h"

namespace wb::test {
namespace {

// A scheduled group wake in the lab: the store and the host list live in a temporary
// directory, and each tick runs in the lab's host namespace.
class LabAlarm : public LabFixture {
protected:
    void SetUp() override {
        LabFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        std::string list = "# the lab's peers\r\n";
        for (const LabPeer& p : Peers())
            list += p.ip + "\t" + p.name + "\t" + p.ethernet + "\r\n";
        m_temp.Write("peers.mp", list);
    }

    ProcessResult Cli(std::vector<std::string> args) {
        args.insert(args.begin(), WAKEBURST_CLI);
        return RunInHost(args, m_temp.Path());
    }

    TempDir m_temp;
    const std::string m_dir = m_temp.Path();
};

TEST_F(LabAlarm, DirectedBroadcastAlarmWakesEveryHostAtEveryPeer) {
    auto add = Cli({"alarms", "add", "--file", "peers.mp", "--days", "mon", "--time", "07:30",
                    "--to", "198.51.100.255"});
    ASSERT_EQ(add.exitCode, 0) << add.err;

    auto early = Cli({"tick", "--at", "2026-12-07 07:29"});
    EXPECT_EQ(early.exitCode, 0) << early.err;
    ExpectAtPeers({}, "");

    // The service runs from a directory of its own: the alarm holds the list's whole path.
    auto tick = RunInHost({WAKEBURST_CLI, "tick", "--at", "2026-12-07 07:30", "--dir", m_dir}, "/");
    ASSERT_EQ(tick.exitCode, 0) << tick.err;
    EXPECT_EQ(tick.out, "\t唤醒 3 hosts 于 " + m_dir + "/peers.mp\n");
    for (std::size_t i = 0; i < Peers().size(); ++i) {
        auto got = Received(i);
        ASSERT_EQ(got.size(), Peers().size()) << Peers()[i].ip;
        for (std::size_t k = 0; k < got.size(); ++k)
            EXPECT_EQ(got[k], "198.51.100.255 " + FrameHex(Peers()[k].ethernet));
    }
    const std::string log = ReadFileBytes(m_dir + "/Dawnly.log");
    EXPECT_EQ(log.rfind("Monday, December 07, 2026 07:30\r\n\t\xbb\xbd\xd0\xd1 3 hosts", 0), 0u);
}

TEST_F(LabAlarm, NamedBroadcastReachesThatPeerOnly) {
    // The dialog takes four numbers, so a store written by hand carries the name.
    auto add = Cli({"alarms", "add", "--file", "peers.mp", "--days", "all", "--time", "23:59"});
    ASSERT_EQ(add.exitCode, 0) << add.err;
    std::string store = ReadFileBytes(m_dir + "/DwnGs");
    const std::string limited =
        "\x0f"
        "255.255.255.255";
    ASSERT_EQ(store.substr(store.size() - limited.size()), limited);
    store.replace(store.size() - limited.size(), limited.size(), "\x06peer-a");
    m_temp.Write("DwnGs", store);

    auto tick = Cli({"tick", "--at", "2026-12-12 23:59"});
    ASSERT_EQ(tick.exitCode, 0) << tick.err;
    auto got = Received(0);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[2], Peers()[0].ip + " " + FrameHex(Peers()[2].ethernet));
    for (std::size_t i = 1; i < Peers().size(); ++i)
        EXPECT_TRUE(Received(i).empty());
}

}  // namespace
}  // namespace wb::test
