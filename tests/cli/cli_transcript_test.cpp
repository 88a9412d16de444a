#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "support/alarm_test_util.h"
#include "support/process.h"
#include "support/transcript.h"

namespace wb {
namespace {

// The transcripts in tests/data/cli/*.t; tests/data/cli/README.md says how their lines read.
const std::string kData = WAKEBURST_TEST_DATA;

std::string Contents(const std::string& text) {
    return text.rfind('@', 0) == 0 ? test::ReadFileBytes(kData + "/" + text.substr(1))
                                   : test::Unescape(text, true);
}

std::vector<test::TranscriptCase> LoadCases() {
    auto cases = test::ReadTranscripts("cli");
#ifdef _WIN32
    cases.erase(std::remove_if(cases.begin(), cases.end(),
                               [](const test::TranscriptCase& c) { return c.posixOnly; }),
                cases.end());
#endif
    return cases;
}

class Transcript : public ::testing::TestWithParam<test::TranscriptCase> {};

TEST_P(Transcript, Runs) {
#ifndef _WIN32
    // The transcripts pin the English texts; a row that pins the Chinese ones clears
    // LANGUAGE itself. Windows takes the user's UI language instead: scripts/test-windows runs
    // Wine under C.UTF-8, which Wine reads as US English.
    setenv("LANGUAGE", "en", 1);
#endif
    test::TempDir dir;
    test::UdpReceiver receiver;
    ASSERT_FALSE(dir.Path().empty());
    ASSERT_TRUE(receiver.IsBound()) << "127.0.0.1:2304 is taken";
    const std::string cli = std::filesystem::path(WAKEBURST_CLI).parent_path().string();
    const std::string prelude = "export PATH='" + cli + "':\"$PATH\" DATA='" + kData +
                                "/cli' COMPLETION='" + WAKEBURST_COMPLETION + "' FAKETIME_LIB='" +
                                WAKEBURST_FAKETIME + "' LC_ALL=C.UTF-8\n. '" +
                                WAKEBURST_TEST_HELPERS + "'\n";
    const auto subst = [&](const std::string& s) {
        return test::ReplaceAll(test::ReplaceAll(s, "{dir}", dir.Path()), "{data}", kData);
    };
    for (const auto& [name, text] : GetParam().setup)
        dir.Write(name, Contents(subst(text)));
    const std::string storeFile = dir.File("D:\\g.mp");
    const std::string storeText = std::string(1, static_cast<char>(storeFile.size())) + storeFile;
    ASSERT_FALSE(GetParam().steps.empty());
    for (const test::TranscriptStep& s : GetParam().steps) {
        std::vector<std::string> argv = {"bash", "-c", prelude + s.args[0]};
        if (!s.shell) {
            argv = {WAKEBURST_CLI};
            for (const std::string& a : s.args)
                argv.push_back(subst(a));
        }
        const auto r = test::RunProcess(argv, dir.Path(), s.input);
        const std::string& where = s.where;
        if (r.exitCode == 77 && s.exitCode != 77) GTEST_SKIP() << where;
        EXPECT_EQ(r.out, subst(s.out)) << where;
        EXPECT_EQ(r.err, subst(s.err)) << where;
        EXPECT_EQ(r.exitCode, s.exitCode) << where;
        EXPECT_TRUE(s.peers.empty() && GetParam().lab.empty()) << where << ": a line of the lab";
        const auto frames = receiver.Drain(std::chrono::milliseconds(s.frames ? 200 : 50));
        EXPECT_EQ(frames.size(), static_cast<std::size_t>(s.frames)) << where;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(frames[i].size(), 102u) << where;
            if (s.macs.empty()) continue;
            EXPECT_EQ(test::ToHex(frames[i]), test::FrameHex(s.macs[i % s.macs.size()])) << where;
        }
        for (const test::TranscriptFileCheck& f : s.files) {
            const std::string got = test::ReadFileBytes(dir.File(f.file));
            const std::string want =
                f.how == 'x' ? test::ReplaceAll(f.value, "{file}", test::ToHex(storeText))
                             : Contents(subst(f.value));
            if (f.how == '~')
                EXPECT_NE(got.find(want), std::string::npos)
                    << where << " -> " << f.file << ": " << got;
            else
                EXPECT_EQ(test::ToHex(got), f.how == 'x' ? want : test::ToHex(want))
                    << where << " -> " << f.file;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, Transcript, ::testing::ValuesIn(LoadCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace wb
