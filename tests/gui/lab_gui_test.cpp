#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "lab/lab_network.h"

namespace wb::test {
namespace {

// The desktop program's scenarios of gui/lab_gui.txt, run in the lab's host namespace; each
// must end well.
class LabGui : public LabFixture {
protected:
    static void RunScenario(const std::string& name) {
        char dir[] = "/tmp/wakeburst-gui-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        const auto r =
            RunInHost({"env", "QT_QPA_PLATFORM=offscreen", std::string("XDG_RUNTIME_DIR=") + dir,
                       "WAKEBURST_NO_DESKTOP_CACHE=1", "WAKEBURST_SHELL_SERVER=wakeburst-lab-gui",
                       "WAKEBURST_DLG_SCRIPTS=lab_gui.txt", DLG_TEST, "scenario:lab_gui: " + name});
        Shell(std::string("rm -rf ") + dir);
        ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    }
};

TEST_F(LabGui, SendDialogWakesOneHostByName) {
    ASSERT_NO_FATAL_FAILURE(RunScenario("send wakes peer-b by name"));
    ExpectAtPeers({1}, "198.51.100.11 " + FrameHex("02005e000011"));
}

TEST_F(LabGui, AlarmSetInDialogFiresFromTheTimer) {
    ASSERT_NO_FATAL_FAILURE(RunScenario("an alarm set for Monday 07:30 fires from the timer"));
    const std::vector<std::string> group = {"198.51.100.255 " + FrameHex("02005e000010"),
                                            "198.51.100.255 " + FrameHex("02005e000011"),
                                            "198.51.100.255 " + FrameHex("02005e000012")};
    for (std::size_t i = 0; i < Peers().size(); ++i)
        EXPECT_EQ(Received(i), group) << i;
}

TEST_F(LabGui, CreationDialogBuildsTheLabsHostList) {
    ASSERT_NO_FATAL_FAILURE(
        RunScenario("the creation dialog builds the lab's host list and opens it"));
    // Every peer was polled three times on its way into the ARP cache.
    for (std::size_t i = 0; i < Peers().size(); ++i) {
        const auto got = Received(i);
        ASSERT_EQ(got.size(), 3u) << i;
        EXPECT_EQ(got[0], Peers()[i].ip + " 446f6f646168");
    }
}

}  // namespace
}  // namespace wb::test
