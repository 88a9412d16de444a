// Every refusal of the command-line tool is one line on stderr, whatever bytes the
// arguments hold: a line feed or an escape sequence in an option is not echoed as such.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "support/process.h"
#include "support/temp_dir.h"

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

// A value the user gave, echoed in a message, shows its control characters escaped: the
// output with a line feed and an escape sequence in the value is the output with a plain
// letter there, but for the escaped spelling. "@" in an argument takes the value, "{dir}" a
// fresh directory. Each runs without a network, so a name is never looked up outside.
struct EchoCase {
    const char* name;
    std::vector<std::string> args;
};

class CliEcho : public ::testing::TestWithParam<EchoCase> {};

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
    const auto h = RunWith(GetParam().args, "\n\x1b[2J", hostile.Path());
    const auto p = RunWith(GetParam().args, "x", plain.Path());
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

INSTANTIATE_TEST_SUITE_P(
    Table, CliEcho,
    ::testing::Values(
        EchoCase{"UnknownCommand", {"sen@d"}},
        EchoCase{"EthernetAddress", {"send", "0@-a0-c9-12-34-56"}},
        EchoCase{"Destination", {"send", "00-a0-c9-12-34-56", "--to", "no-such@.invalid"}},
        EchoCase{"MaskPart", {"scan", "--mask", "255.255.@.0"}},
        EchoCase{"MaskShape", {"scan", "--mask", "255.@"}},
        EchoCase{"ScanOutput", {"scan", "-o", "{dir}/missing@/x.mp"}},
        EchoCase{"Days", {"alarms", "add", "--file", "g.mp", "--days", "mon@", "--time", "07:30"}},
        EchoCase{"Time", {"alarms", "add", "--file", "g.mp", "--days", "mon", "--time", "07:3@"}},
        EchoCase{"Broadcast",
                 {"alarms", "add", "--file", "g.mp", "--days", "mon", "--time", "07:30", "--to",
                  "1.2.3.@"}},
        EchoCase{"AlarmNumber", {"alarms", "remove", "1@"}},
        EchoCase{"TickTime", {"tick", "--at", "2026-12-07 07:3@"}},
        EchoCase{"CheckedFile", {"check", "{dir}/gone@.mp"}},
        EchoCase{"WokenFile", {"wake", "{dir}/gone@.mp", "--to", "127.0.0.1", "--dir", "{dir}"}},
        EchoCase{"WakeDestination",
                 {"wake", "{dir}/gone.mp", "--to", "no-such@.invalid", "--dir", "{dir}"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wb
