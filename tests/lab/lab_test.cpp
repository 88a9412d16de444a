#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "lab/lab_network.h"
#include "support/temp_dir.h"
#include "support/transcript.h"

namespace wb::test {
namespace {

// The transcripts in tests/data/lab/*.t, run in the lab's host namespace, each case in a
// fresh directory; a line "lab OPTION..." (before a file's first case: for all of them)
// names the lab it needs (lab_network.h). Lines as in tests/data/cli (its README.md), and
//   @ PEERS: LINE   one datagram at each of those peers (numbers into the peer list), as
//                   the recorder prints it, in the order of the lines; a peer not named
//                   received nothing during the step. FRAME is the wake-up frame for
//                   00-a0-c9-12-34-56, FRAME(MAC) the one for MAC (twelve hex digits).
// A "$" step runs with wakeburst and lab_tool on PATH, $DATA the test data folder, $LAB the
// namespaces' prefix, and lab.sh sourced (its helpers). A case of ":" steps only must leave
// its directory empty.
std::string Frames(std::string line) {
    for (auto p = line.find("FRAME"); p != std::string::npos; p = line.find("FRAME", p)) {
        const bool own = line.compare(p + 5, 1, "(") == 0;
        const std::string hex = FrameHex(own ? line.substr(p + 6, 12) : "00a0c9123456");
        line.replace(p, own ? 19 : 5, hex);
    }
    return line;
}

class Lab : public ::testing::TestWithParam<TranscriptCase> {
protected:
    static void TearDownTestSuite() { LabNetwork::Down(); }
};

TEST_P(Lab, Runs) {
    setenv("LANGUAGE", "en", 1);  // the transcripts pin the English texts
    static std::string built = "none";
    std::string why;
    if (!LabNetwork::CanRun(why)) GTEST_SKIP() << why;
    if (GetParam().lab != built) {
        LabNetwork::Down();
        built = GetParam().lab;
        why = LabNetwork::Start(built);
        if (!why.empty()) built = "none";
    }
    ASSERT_EQ(why, "") << "lab not built";
    const TempDir dir;
    const std::string prelude =
        "export PATH='" + std::filesystem::path(WAKEBURST_CLI).parent_path().string() + ":" +
        LAB_TOOL_DIR + "':\"$PATH\" DATA='" WAKEBURST_TEST_DATA "' LAB='" + LabNetwork::Prefix() +
        "' LAB_WORK='" + LabNetwork::Work() + "' LC_ALL=C.UTF-8\n. '" LAB_SCRIPT "'\n";
    bool shell = false;
    for (const TranscriptStep& s : GetParam().steps) {
        shell |= s.shell;
        std::vector<std::string> argv = {"bash", "-c", prelude + s.args[0]};
        if (!s.shell) {
            argv = s.args;
            argv.insert(argv.begin(), WAKEBURST_CLI);
        }
        LabNetwork::ClearReceived();
        const ProcessResult r = LabNetwork::RunInHost(argv, dir.Path());
        const std::string& where = s.where;
        EXPECT_EQ(r.out, s.out) << where;
        EXPECT_EQ(r.err, s.err) << where;
        EXPECT_EQ(r.exitCode, s.exitCode) << where;
        EXPECT_TRUE(GetParam().setup.empty() && s.files.empty() && s.frames == 0 && s.input.empty())
            << where << ": a line the lab does not read";
        EXPECT_TRUE(s.peers.empty() || s.peers.rbegin()->first < LabNetwork::Peers().size())
            << where << ": '@' names a peer the lab does not have";
        for (std::size_t i = 0; i < LabNetwork::Peers().size(); ++i) {
            std::vector<std::string> expected;
            if (s.peers.count(i))
                for (const std::string& line : s.peers.at(i))
                    expected.push_back(Frames(line));
            EXPECT_EQ(LabNetwork::Received(i), expected) << where << " at peer " << i;
        }
    }
    EXPECT_TRUE(shell || std::filesystem::is_empty(dir.Path()));
}

INSTANTIATE_TEST_SUITE_P(Transcripts, Lab, ::testing::ValuesIn(ReadTranscripts("lab")),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace wb::test
