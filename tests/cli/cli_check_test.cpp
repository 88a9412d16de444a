#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process.h"
#include "support/temp_dir.h"

namespace wb {
namespace {

const std::string kData = std::string(WAKEBURST_TEST_DATA) + "/hostlist/";

std::string BadLine(const std::string& path, int line) {
    return "\t错误 文件:" + path + "\n\t行 " + std::to_string(line) +
           ": 请检查IP地址和以太网[MAC]地址.\n";
}

struct CheckCase {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    std::string out;
    std::string err;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class CliCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CliCheck, PrintsAddressesAndReport) {
    std::vector<std::string> argv = {WAKEBURST_CLI, "check"};
    argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
    auto r = test::RunProcess(argv);
    EXPECT_EQ(r.exitCode, GetParam().exitCode) << r.err;
    EXPECT_EQ(r.out, GetParam().out);
    EXPECT_EQ(r.err, GetParam().err);
}

// The reading rules are the reader's own; these show the command's exits and streams.
INSTANTIATE_TEST_SUITE_P(
    Table, CliCheck,
    ::testing::Values(
        CheckCase{"BadLinesStillExitZero",
                  {kData + "gbk_names.mp"},
                  0,
                  "00-a0-c9-12-34-56\n00-A0-C9-AB-CD-EF\n02-00-5e-00-00-10\n",
                  BadLine(kData + "gbk_names.mp", 14) + BadLine(kData + "gbk_names.mp", 15)},
        CheckCase{"Unreadable",
                  {kData + "没有这个文件.mp"},
                  1,
                  "",
                  "\t无法以只读方式打开 " + kData + "没有这个文件.mp .\n"},
        CheckCase{
            "TwoFiles", {"a.mp", "b.mp"}, 2, "", "wakeburst check: expects one host-list file\n"}));

// The report names the file exactly as it was given, relative paths included.
TEST(CliCheck, RelativePathQuotedAsGiven) {
    test::TempDir dir;
    dir.Write("rel.mp", "192.168.0.7 pc7\r\n");
    auto r = test::RunProcess({WAKEBURST_CLI, "check", "./rel.mp"}, dir.Path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, BadLine("./rel.mp", 1));
}

// An output that cannot be written is refused before the subnet is polled (and waited on).
// Without a network of its own, in case it ever polls.
TEST(CliScan, RefusesItsOutputBeforePolling) {
    if (!test::Shell("unshare --net true 2>/dev/null")) GTEST_SKIP() << "no network namespace";
    test::TempDir dir;
    const std::string out = dir.File("missing/hosts.mp");
    auto r = test::RunProcess({"unshare", "--net", WAKEBURST_CLI, "scan", "-o", out}, dir.Path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "\t无法以写入方式打开 " + out + ".\n");
}

}  // namespace
}  // namespace wb
