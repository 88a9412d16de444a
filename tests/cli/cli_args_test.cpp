#include <gtest/gtest.h>

#include "cli/cli_args.h"

namespace wb::cli {
namespace {

struct ArgsCase {
    std::vector<std::string> args;
    bool ok;
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
};

class ParseArgsTest : public ::testing::TestWithParam<ArgsCase> {};

TEST_P(ParseArgsTest, SplitsOptionsFromPositionals) {
    ParsedArgs pa;
    std::string error;
    const ArgsCase& c = GetParam();
    ASSERT_EQ(ParseArgs(c.args, {"--to", "--dir"}, {"--quiet"}, pa, error), c.ok) << error;
    if (!c.ok) {
        EXPECT_FALSE(error.empty());
        return;
    }
    EXPECT_EQ(pa.positional, c.positional);
    EXPECT_EQ(pa.options, c.options);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseArgsTest,
    ::testing::Values(ArgsCase{{"00-A0-C9-12-34-56"}, true, {"00-A0-C9-12-34-56"}, {}},
                      ArgsCase{
                          {"--to", "127.0.0.1", "mac"}, true, {"mac"}, {{"--to", "127.0.0.1"}}},
                      ArgsCase{{"mac", "--to=localhost"}, true, {"mac"}, {{"--to", "localhost"}}},
                      ArgsCase{{"a", "--quiet", "b"}, true, {"a", "b"}, {{"--quiet", ""}}},
                      ArgsCase{{"--", "--to", "x"}, true, {"--to", "x"}, {}},
                      ArgsCase{{"-"}, true, {"-"}, {}}, ArgsCase{{"--to"}, false, {}, {}},
                      ArgsCase{{"--nope"}, false, {}, {}}, ArgsCase{{"--quiet=1"}, false, {}, {}},
                      ArgsCase{{"--to", "a", "--to", "b"}, false, {}, {}},
                      ArgsCase{{"--to="}, true, {}, {{"--to", ""}}}));

}  // namespace
}  // namespace wb::cli
