// Every refusal of the command-line tool is one line on stderr, whatever bytes the
// arguments hold: a line feed or an escape sequence in an option is not echoed as such.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process.h"

namespace wb {
namespace {

struct RefusalCase {
    const char* name;
    std::vector<std::string> args;
};

class CliRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CliRefusal, IsOneLineOnStderrWithExitStatus2) {
    std::vector<std::string> argv = {WAKEBURST_CLI};
    argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
    const auto r = test::RunProcess(argv);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliRefusal,
    ::testing::Values(RefusalCase{"LineFeedInUnknownOption", {"send", "--t\no", "x"}},
                      RefusalCase{"EscapeInUnknownOption", {"check", "--\x1b[2J", "f.mp"}},
                      RefusalCase{"LineFeedInOptionWithoutValue", {"scan", "--mask\r\nx=1"}},
                      RefusalCase{"RepeatedOption", {"send", "--to", "a", "--to", "b"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wb
