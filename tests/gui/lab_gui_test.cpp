#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "lab/lab_fixture.h"

namespace wb::test {
namespace {

// The desktop program's scenarios, run in the lab's host namespace.
class LabGui : public LabFixture {
protected:
    ProcessResult RunScenario(const std::string& slot) {
        char dir[] = "/tmp/wakeburst-gui-XXXXXX";
        EXPECT_NE(mkdtemp(dir), nullptr);
        auto r =
            Lab().RunInHost({"env", "QT_QPA_PLATFORM=offscreen",
                             std::string("XDG_RUNTIME_DIR=") + dir, "WAKEBURST_NO_DESKTOP_CACHE=1",
                             "WAKEBURST_SHELL_SERVER=wakeburst-lab-gui", LAB_GUI_SCENARIOS, slot});
        Shell(std::string("rm -rf ") + dir);
        return r;
    }
};

TEST_F(LabGui, SendDialogWakesOneHostByName) {
    auto r = RunScenario("sendDialogWakesLabHost");
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_TRUE(Lab().Received(0).empty());
    EXPECT_EQ(Lab().Received(1),
              std::vector<std::string>{"198.51.100.11 " + FrameHex("02005e000011")});
    EXPECT_TRUE(Lab().Received(2).empty());
}

TEST_F(LabGui, AlarmSetInDialogFiresFromTheTimer) {
    auto r = RunScenario("alarmFromDialogFiresFromTimer");
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    const std::vector<std::string> group = {"198.51.100.255 " + FrameHex("02005e000010"),
                                            "198.51.100.255 " + FrameHex("02005e000011"),
                                            "198.51.100.255 " + FrameHex("02005e000012")};
    for (std::size_t i = 0; i < Lab().Peers().size(); ++i)
        EXPECT_EQ(Lab().Received(i), group) << i;
}

TEST_F(LabGui, CreationDialogBuildsTheLabsHostList) {
    auto r = RunScenario("createDialogBuildsLabHostList");
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    // Every peer was polled three times on its way into the ARP cache.
    for (std::size_t i = 0; i < Lab().Peers().size(); ++i) {
        const auto got = Lab().Received(i);
        ASSERT_EQ(got.size(), 3u) << i;
        EXPECT_EQ(got[0], Lab().Peers()[i].ip + " 446f6f646168");
    }
}

}  // namespace
}  // namespace wb::test
