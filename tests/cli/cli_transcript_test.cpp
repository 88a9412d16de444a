#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/process.h"
#include "support/temp_dir.h"

namespace wb {
namespace {

// The transcripts in tests/data/cli/*.t: each case ("== name") runs its commands ("$ ...",
// in bash, in a fresh directory, with wakeburst on PATH and $DATA the transcripts' folder)
// and expects what each prints ("> " standard output, "! " standard error, one line each;
// ">" alone an empty line) and its exit status ("? N", 0 when not given).
struct Step {
    std::string command, out, err;
    int exitCode = 0;
};

struct Case {
    std::string name;
    std::vector<Step> steps;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::string DataDir() { return std::string(WAKEBURST_TEST_DATA) + "/cli"; }

std::vector<Case> LoadCases() {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(DataDir()))
        if (e.path().extension() == ".t") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::vector<Case> cases;
    for (const auto& file : files) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line)) {
            const std::string tag = line.substr(0, 2), rest = line.size() > 2 ? line.substr(2) : "";
            if (tag == "==") {
                std::string name = file.stem().string() + "_";
                for (char c : rest.substr(1))
                    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                cases.push_back({name, {}});
            } else if (cases.empty() || line.empty() || line[0] == '#') {
                continue;
            } else if (tag == "$ ") {
                cases.back().steps.push_back({rest, "", "", 0});
            } else if (!cases.back().steps.empty() && (tag == "> " || line == ">")) {
                cases.back().steps.back().out += rest + "\n";
            } else if (!cases.back().steps.empty() && (tag == "! " || line == "!")) {
                cases.back().steps.back().err += rest + "\n";
            } else if (!cases.back().steps.empty() && tag == "? ") {
                cases.back().steps.back().exitCode = std::stoi(rest);
            } else {
                // Shown as the failure of its case: a transcript line that says nothing.
                cases.back().steps.push_back({"true", "unreadable line: " + line + "\n", "", 0});
            }
        }
    }
    return cases;
}

class Transcript : public ::testing::TestWithParam<Case> {};

TEST_P(Transcript, Runs) {
    test::TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    const std::string cli = std::filesystem::path(WAKEBURST_CLI).parent_path().string();
    const std::string prelude = "export PATH='" + cli + "':\"$PATH\" DATA='" + DataDir() +
                                "' COMPLETION='" + WAKEBURST_COMPLETION + "' LC_ALL=C.UTF-8\n. '" +
                                WAKEBURST_TEST_HELPERS + "'\n";
    ASSERT_FALSE(GetParam().steps.empty());
    for (const Step& s : GetParam().steps) {
        const auto r = test::RunProcess({"bash", "-c", prelude + s.command}, dir.Path());
        EXPECT_EQ(r.out, s.out) << "$ " << s.command;
        EXPECT_EQ(r.err, s.err) << "$ " << s.command;
        EXPECT_EQ(r.exitCode, s.exitCode) << "$ " << s.command;
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, Transcript, ::testing::ValuesIn(LoadCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace wb
