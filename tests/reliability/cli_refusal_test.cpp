// Every refusal of the command-line tool is one line on stderr, whatever bytes the
// arguments hold: a line feed or an escape sequence in an option is not echoed as such.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "support/case_file.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace wb {
namespace {

std::vector<test::CaseRow> Rows(const std::string& kind) {
    std::vector<test::CaseRow> rows;
    for (test::CaseRow& row : test::ReadCases("reliability/cli_refusal.cases")) {
        if (row[0] != kind) continue;
        row.where = row[1];
        row.fields.erase(row.fields.begin(), row.fields.begin() + 2);  // the arguments remain
        rows.push_back(std::move(row));
    }
    return rows;
}

class CliRefusal : public ::testing::TestWithParam<test::CaseRow> {};

TEST_P(CliRefusal, IsOneLineOnStderrWithExitStatus2) {
    std::vector<std::string> argv = {WAKEBURST_CLI};
    argv.insert(argv.end(), GetParam().fields.begin(), GetParam().fields.end());
    const auto r = test::RunProcess(argv);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Table, CliRefusal, ::testing::ValuesIn(Rows("refuse")),
                         [](const auto& info) { return info.param.where; });

// A value the user gave, echoed in a message, shows its control characters escaped: the
// output with a line feed and an escape sequence in the value is the output with a plain
// letter there, but for the escaped spelling. Each runs without a network, so a name is
// never looked up outside.
class CliEcho : public ::testing::TestWithParam<test::CaseRow> {};

test::ProcessResult RunWith(const std::vector<std::string>& args, const std::string& value,
                            const std::string& dir) {
    std::vector<std::string> argv;
    if (geteuid() == 0) argv = {"unshare", "--net"};
    argv.push_back(WAKEBURST_CLI);
    for (std::string a : args) {
        for (auto at = a.find("{dir}"); at != std::string::npos; at = a.find("{dir}"))
            a.replace(at, 5, dir);
        const auto at = a.find('@');
        if (at != std::string::npos) a.replace(at, 1, value);
        argv.push_back(a);
    }
    return test::RunProcess(argv, dir);
}

std::string Unescaped(std::string text) {
    const std::string shown = "\\x0A\\x1B[2J";
    for (auto at = text.find(shown); at != std::string::npos; at = text.find(shown))
        text.replace(at, shown.size(), "x");
    return text;
}

TEST_P(CliEcho, ShowsTheValueEscaped) {
    test::TempDir hostile, plain;
    const auto h = RunWith(GetParam().fields, "\n\x1b[2J", hostile.Path());
    const auto p = RunWith(GetParam().fields, "x", plain.Path());
    ASSERT_FALSE(p.err.empty());
    EXPECT_EQ(h.exitCode, p.exitCode);
    EXPECT_NE(h.err.find("\\x0A\\x1B[2J"), std::string::npos) << h.err;
    EXPECT_EQ(Unescaped(h.out), p.out);
    // The directories differ by name only.
    std::string err = Unescaped(h.err);
    for (auto at = err.find(hostile.Path()); at != std::string::npos; at = err.find(hostile.Path()))
        err.replace(at, hostile.Path().size(), plain.Path());
    EXPECT_EQ(err, p.err);
}

INSTANTIATE_TEST_SUITE_P(Table, CliEcho, ::testing::ValuesIn(Rows("echo")),
                         [](const auto& info) { return info.param.where; });

}  // namespace
}  // namespace wb
