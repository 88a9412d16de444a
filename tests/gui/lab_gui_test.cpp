#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "lab/lab_network.h"
#include "support/temp_dir.h"

namespace wb::test {
namespace {

using LabGui = LabFixture;

// Runs a scenario of gui/lab_gui.txt in the lab's host namespace; it must end well.
void RunScenario(const std::string& name) {
    const TempDir run;  // a session's runtime directory is its user's alone
    std::filesystem::permissions(run.Path(), std::filesystem::perms::owner_all);
    const auto r = LabNetwork::RunInHost(
        {"env", "QT_QPA_PLATFORM=offscreen", "LANGUAGE=", "LC_ALL=C.UTF-8",
         "XDG_RUNTIME_DIR=" + run.Path(), "WAKEBURST_NO_DESKTOP_CACHE=1",
         "WAKEBURST_SHELL_SERVER=wakeburst-lab-gui", "WAKEBURST_DLG_SCRIPTS=lab_gui.txt", DLG_TEST,
         "scenario:lab_gui: " + name});
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
}

TEST_F(LabGui, SendDialogWakesOneHostByName) {
    ASSERT_NO_FATAL_FAILURE(RunScenario("send wakes peer-b by name"));
    ExpectAtPeers({1}, "198.51.100.11 " + FrameHex("02005e000011"));
}

TEST_F(LabGui, AlarmSetInDialogFiresFromTheTimer) {
    ASSERT_NO_FATAL_FAILURE(RunScenario("an alarm set for Monday 07:30 fires from the timer"));
    std::vector<std::string> group;
    for (const char* mac : {"02005e000010", "02005e000011", "02005e000012"})
        group.push_back("198.51.100.255 " + FrameHex(mac));
    for (std::size_t i = 0; i < Peers().size(); ++i)
        EXPECT_EQ(Received(i), group) << i;
}

TEST_F(LabGui, CreationDialogBuildsTheLabsHostList) {
    ASSERT_NO_FATAL_FAILURE(
        RunScenario("the creation dialog builds the lab's host list and opens it"));
    for (std::size_t i = 0; i < Peers().size(); ++i) {  // each polled thrice into the ARP cache
        ASSERT_EQ(Received(i).size(), 3u) << i;
        EXPECT_EQ(Received(i)[0], Peers()[i].ip + " 446f6f646168");
    }
}

// Every peer gets the frames of the limited broadcast, each once: the hosts of `macs`.
void ExpectBroadcastOf(const std::vector<const char*>& macs) {
    std::vector<std::string> frames;
    for (const char* mac : macs)
        frames.push_back("255.255.255.255 " + FrameHex(mac));
    for (std::size_t i = 0; i < LabNetwork::Peers().size(); ++i)
        EXPECT_EQ(LabNetwork::Received(i), frames) << i;
}

TEST_F(LabGui, CtrlReturnWakesTheCursorsHostOnly) {
    ASSERT_NO_FATAL_FAILURE(RunScenario("Ctrl+Return on a line wakes exactly that host"));
    ExpectBroadcastOf({"02005e000011"});
}

TEST_F(LabGui, CtrlShiftReturnWakesTheWholeTextAndSaysWhoCameUp) {
    ASSERT_NO_FATAL_FAILURE(
        RunScenario("Ctrl+Shift+Return wakes every host of the list, unsaved "
                    "lines included, and says who came up"));
    ExpectBroadcastOf({"02005e000010", "02005e000011", "02005e000012", "02005e000040"});
}

TEST_F(LabGui, MarksShowWhoAnswersAndStopWhileMinimised) {
    ASSERT_NO_FATAL_FAILURE(
        RunScenario("marks show who answers, and no probe leaves while the window is minimised"));
    ExpectBroadcastOf({});  // probes only: no frame
}

}  // namespace
}  // namespace wb::test
