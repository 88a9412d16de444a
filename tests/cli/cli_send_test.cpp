#include <gtest/gtest.h>

#include <cstdint>

#include "support/process.h"
#include "support/udp_receiver.h"

namespace wb {
namespace {

constexpr std::uint8_t kMac[6] = {0x00, 0xA0, 0xC9, 0x12, 0x34, 0x56};

struct SendCase {
    std::vector<std::string> args;
    int exitCode;
    int frames;
    const char* out;
    const char* err;
};

class CliSend : public ::testing::TestWithParam<SendCase> {};

TEST_P(CliSend, SendsOrRefuses) {
    test::UdpReceiver receiver;
    ASSERT_TRUE(receiver.IsBound());
    std::vector<std::string> argv = {WAKEBURST_CLI};
    argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
    auto r = test::RunProcess(argv);
    EXPECT_EQ(r.exitCode, GetParam().exitCode) << r.err;
    EXPECT_EQ(r.out, GetParam().out);
    EXPECT_EQ(r.err, GetParam().err);
    auto got = receiver.Drain();
    ASSERT_EQ(got.size(), static_cast<std::size_t>(GetParam().frames));
    for (const auto& f : got)
        EXPECT_EQ(f, test::ExpectedFrame(kMac));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliSend,
    ::testing::Values(
        SendCase{
            {"send", "00-A0-C9-12-34-56", "--to", "127.0.0.1"}, 0, 1, "发送到 127.0.0.1\n", ""},
        SendCase{
            {"send", "--to", "localhost", "00-A0-C9-12-34-56"}, 0, 1, "发送到 localhost\n", ""},
        SendCase{{"send", "00:a0:c9:12:34:56", "--to=127.0.0.1"}, 0, 1, "发送到 127.0.0.1\n", ""},
        SendCase{{"send", "00-A0-C9-12-34-56", "--to", "no-such-host.invalid"},
                 2,
                 0,
                 "",
                 "no-such-host.invalid 是无效的IP地址.\n"},
        SendCase{{"send", "00-A0-C9-12-34", "--to", "127.0.0.1"},
                 2,
                 0,
                 "",
                 "不合法的以太网地址: 00-A0-C9-12-34\n\nWakeburst 未被发送.\n"},
        SendCase{{"send", "--to", "127.0.0.1"},
                 2,
                 0,
                 "",
                 "wakeburst send: expects one Ethernet address\n"},
        SendCase{{"send", "00-A0-C9-12-34-56", "--port", "9"},
                 2,
                 0,
                 "",
                 "wakeburst send: unknown option --port\n"},
        SendCase{{"frobnicate"},
                 2,
                 0,
                 "",
                 "wakeburst: unknown command 'frobnicate' (see wakeburst --help)\n"}));

TEST(CliInfo, VersionAndHelp) {
    auto v = test::RunProcess({WAKEBURST_CLI, "--version"});
    EXPECT_EQ(v.exitCode, 0);
    EXPECT_EQ(v.out, "wakeburst 1.0.5\n");
    auto h = test::RunProcess({WAKEBURST_CLI, "--help"});
    EXPECT_EQ(h.exitCode, 0);
    EXPECT_NE(h.out.find("wakeburst send [options] ETHERNET... | -"), std::string::npos);
}

// The same address sent by this program and by Debian's wakeonlan must give the same bytes.
TEST(OutsideCheck, PayloadEqualsWakeonlans) {
    if (!test::Shell("command -v wakeonlan >/dev/null 2>&1"))
        GTEST_SKIP() << "wakeonlan is not installed";
    test::UdpReceiver receiver;
    ASSERT_TRUE(receiver.IsBound());
    auto ours = test::RunProcess({WAKEBURST_CLI, "send", "00-A0-C9-12-34-56", "--to", "127.0.0.1"});
    ASSERT_EQ(ours.exitCode, 0);
    auto theirs =
        test::RunProcess({"wakeonlan", "-i", "127.0.0.1", "-p", "2304", "00:a0:c9:12:34:56"});
    ASSERT_EQ(theirs.exitCode, 0) << theirs.err;
    auto got = receiver.Drain();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(test::ToHex(got[0]), test::ToHex(got[1]));
    EXPECT_EQ(got[0].size(), 102u);
}

}  // namespace
}  // namespace wb
