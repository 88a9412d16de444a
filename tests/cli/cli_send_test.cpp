#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>

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
    const char* input = "";
};

class CliSend : public ::testing::TestWithParam<SendCase> {};

TEST_P(CliSend, SendsOrRefuses) {
    test::UdpReceiver receiver;
    ASSERT_TRUE(receiver.IsBound());
    std::vector<std::string> argv = {WAKEBURST_CLI};
    argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
    auto r = test::RunProcess(argv, {}, GetParam().input);
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
                 "wakeburst send: expects Ethernet addresses, or - to read them from standard "
                 "input\n"},
        // Several addresses, from the arguments and from standard input; "--" ends options.
        SendCase{{"send", "--to", "127.0.0.1", "--", "00-A0-C9-12-34-56", "00a0c9123456"},
                 0,
                 2,
                 "发送到 127.0.0.1\n",
                 ""},
        SendCase{{"send", "-", "--to", "127.0.0.1", "-q"},
                 0,
                 3,
                 "",
                 "",
                 "00-a0-c9-12-34-56\n\n  00:A0:C9:12:34:56\r\n00a0c9123456"},
        SendCase{{"send", "-", "--to", "127.0.0.1"},
                 2,
                 0,
                 "",
                 "不合法的以太网地址: 00-a0-c9\n\nWakeburst 未被发送.\n",
                 "00-a0-c9-12-34-56\n00-a0-c9\n"},
        SendCase{{"send", "-", "--to", "127.0.0.1"},
                 2,
                 0,
                 "",
                 "wakeburst send: no Ethernet address on standard input\n"},
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
    for (const char* option :
         {"--to DEST", "--port N", "--repeat N", "--interval MS", "--interface IF", "--password PW",
          "--wait SECONDS", "--host IP", "-q, --quiet"})
        EXPECT_NE(h.out.find(option), std::string::npos) << option;
}

// Every refusal of an option value: one line naming the option and the value, exit 2, and
// not a frame sent.
struct RefusalRow {
    std::vector<std::string> args;
    std::string err;
};

std::vector<RefusalRow> RefusalRows() {
    std::ifstream in(WAKEBURST_TEST_DATA "/cli/send_refusals.txt");
    std::vector<RefusalRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        RefusalRow row;
        std::istringstream words(line.substr(0, tab));
        for (std::string w; words >> w;)
            row.args.push_back(w);
        row.err = line.substr(tab + 1) + "\n";
        rows.push_back(row);
    }
    return rows;
}

class CliSendRefusal : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(CliSendRefusal, OneLineExit2NothingSent) {
    test::UdpReceiver receiver;
    ASSERT_TRUE(receiver.IsBound());
    std::vector<std::string> argv = {WAKEBURST_CLI};
    argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
    const auto r = test::RunProcess(argv);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, GetParam().err);
    EXPECT_TRUE(receiver.Drain(std::chrono::milliseconds(50)).empty());
}

INSTANTIATE_TEST_SUITE_P(Data, CliSendRefusal, ::testing::ValuesIn(RefusalRows()));

TEST(CliSendRefusalData, IsRead) { EXPECT_GE(RefusalRows().size(), 15u); }

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
