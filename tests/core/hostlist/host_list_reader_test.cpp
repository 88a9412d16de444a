#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostlist/host_list_reader.h"
#include "platform/codepage.h"
#include "support/temp_dir.h"

namespace wb {
namespace {

using Strings = std::vector<std::string>;

std::string BadLine(const std::string& path, int line) {
    return "\t错误 文件:" + path + "\n\t行 " + std::to_string(line) +
           ": 请检查IP地址和以太网[MAC]地址.\n";
}

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

struct ReadCase {
    const char* name;
    std::string bytes;  // the file as it lies on disk
    Strings addresses;
    std::vector<int> badLines;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadHostListTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadHostListTable, YieldsAddressesAndBadLines) {
    test::TempDir dir;
    const std::string path = dir.Write("list.mp", GetParam().bytes);
    std::string report = "left over";
    Strings addresses;
    ASSERT_TRUE(ReadHostList(path, report, addresses));
    EXPECT_EQ(addresses, GetParam().addresses);
    std::string expected;
    for (int line : GetParam().badLines)
        expected += BadLine(path, line);
    EXPECT_EQ(report, expected);
}

const std::string kIp = "192.168.0.7";
const std::string kMac = "00-a0-c9-12-34-56";

// 300 characters: an IP address at the start, an Ethernet address past byte 254.
std::string LongLine() {
    std::string s = kIp + " " + Repeat('w', 260 - kIp.size() - 1) + " " + kMac + " ";
    return s + Repeat('z', 300 - s.size());
}

INSTANTIATE_TEST_SUITE_P(
    SampleLines, ReadHostListTable,
    ::testing::Values(
        ReadCase{"EmptyFile", "", {}, {}},
        ReadCase{"IpNameMac", "192.168.0.7 pc7 00-a0-c9-12-34-56\r\n", {kMac}, {}},
        ReadCase{"MacCommaIp", "00-A0-C9-12-34-56, 192.168.0.7\r\n", {"00-A0-C9-12-34-56"}, {}},
        ReadCase{"TwoMacs",
                 "192.168.0.7 00-a0-c9-12-34-56 00-a0-c9-12-34-57\r\n",
                 {kMac, "00-a0-c9-12-34-57"},
                 {}},
        ReadCase{"MacAlone", "00-a0-c9-12-34-56\r\n", {kMac}, {1}},
        ReadCase{"IpAndName", "192.168.0.7 pc7\r\n", {}, {1}},
        ReadCase{"AllZeroHyphens", "192.168.0.7 pc7 00-00-00-00-00-00\r\n", {}, {1}},
        ReadCase{"AllZeroPoints", "192.168.0.7 pc7 00.00.00.00.00.00\r\n", {}, {1}},
        ReadCase{
            "AllZeroMixed", "192.168.0.7 pc7 00-00.00-00-00-00\r\n", {"00-00.00-00-00-00"}, {}},
        ReadCase{"ColonForm", "192.168.0.7 pc7 00:a0:c9:12:34:56\r\n", {}, {1}},
        ReadCase{"CommentHidesMac", "192.168.0.7 # 00-a0-c9-12-34-56\r\n", {}, {1}},
        ReadCase{"CommentLine", "# 192.168.0.7 pc7 00-a0-c9-12-34-56\r\n", {}, {}},
        ReadCase{"CommentGluedToMac", "00-a0-c9-12-34-56#x\r\n", {}, {}},
        ReadCase{"CommentGluedWithIp", "192.168.0.7 00-a0-c9-12-34-56#x\r\n", {}, {1}},
        ReadCase{
            "CommentAfterEntry", "192.168.0.7\tpc7\t00-a0-c9-12-34-56\t# 机房\r\n", {kMac}, {}},
        ReadCase{"CommaAndTabSeparators", "192.168.0.7,,\t00-a0-c9-12-34-56\r\n", {kMac}, {}},
        ReadCase{"HyphenIpForm", "10-0-0-1 00.A0.C9.12.34.56\r\n", {"00.A0.C9.12.34.56"}, {}},
        ReadCase{"FieldsInAnyOrder", "pc7 00-a0-c9-12-34-56 192.168.0.7\r\n", {kMac}, {}},
        ReadCase{"DuplicateKept",
                 "1.2.3.4 00-a0-c9-12-34-56\r\n1.2.3.5 00-a0-c9-12-34-56\r\n",
                 {kMac, kMac},
                 {}},
        ReadCase{"FreeTextIgnored", "Office machines, second floor\r\n\r\n", {}, {}}));

std::string Fixture(const char* name) {
    return test::ReadFileBytes(std::string(WAKEBURST_TEST_DATA) + "/hostlist/" + name);
}

// GBK files as the original program and the scan write them.
INSTANTIATE_TEST_SUITE_P(
    GbkFiles, ReadHostListTable,
    ::testing::Values(ReadCase{"HeaderOnly", Fixture("header_only.mp"), {}, {}},
                      ReadCase{"GbkNames",
                               Fixture("gbk_names.mp"),
                               {"00-a0-c9-12-34-56", "00-A0-C9-AB-CD-EF", "02-00-5e-00-00-10"},
                               {14, 15}},
                      ReadCase{"WrittenByScan",
                               Fixture("written_by_scan.mp"),
                               {"02-00-5e-00-00-10", "02-00-5e-00-00-11", "02-00-5e-00-00-12"},
                               {}}));

INSTANTIATE_TEST_SUITE_P(
    LineEnds, ReadHostListTable,
    ::testing::Values(
        ReadCase{"CrLf", "1.2.3.4 pc 00-a0-c9-12-34-56\r\n1.2.3.5 pc\r\n", {kMac}, {2}},
        ReadCase{"LfOnly", "1.2.3.4 pc 00-a0-c9-12-34-56\n1.2.3.5 pc\n", {kMac}, {2}},
        ReadCase{"NoFinalLineEnd", "1.2.3.5 pc\r\n1.2.3.4 pc 00-a0-c9-12-34-56", {kMac}, {1}},
        // Only the CR right before the LF goes; another one spoils the last token.
        ReadCase{"DoubleCr", "1.2.3.4 00-a0-c9-12-34-56\r\r\n", {}, {1}},
        ReadCase{"LoneCrIsNoLineEnd", "1.2.3.4\r00-a0-c9-12-34-56\r\n", {}, {}}));

INSTANTIATE_TEST_SUITE_P(
    LongLines, ReadHostListTable,
    ::testing::Values(
        // 254 + 46 bytes: two reads, so the next line is read number 3.
        ReadCase{"ThreeHundred", LongLine() + "\r\n1.2.3.5 pc\r\n", {kMac}, {1, 2, 3}},
        // 253 characters and the line feed fill one read exactly.
        ReadCase{"FitsOneRead", Repeat('a', 253) + "\r\n1.2.3.5 pc\r\n", {}, {2}},
        // 254 characters leave the line feed to a read of its own.
        ReadCase{"LineFeedSpills", Repeat('a', 254) + "\r\n1.2.3.5 pc\r\n", {}, {3}},
        ReadCase{
            "MacCutAtBoundary", "1.2.3.4 " + Repeat('a', 240) + " 00-a0-c9-12-34-56\r\n", {}, {1}},
        ReadCase{"CommentDoesNotSpanReads",
                 "#" + Repeat('c', 253) + " 1.2.3.4 00-a0-c9-12-34-56\r\n",
                 {kMac},
                 {}}));

// Neither a missing file nor a directory is a list; what was collected before stays.
TEST(ReadHostList, UnopenableLeavesAddressesAlone) {
    test::TempDir dir;
    for (const std::string& path : {dir.File("没有的文件.mp"), dir.Path()}) {
        std::string report;
        Strings addresses = {"11-22-33-44-55-66"};
        EXPECT_FALSE(ReadHostList(path, report, addresses));
        EXPECT_EQ(report, "\t无法以只读方式打开 " + path + " .\n");
        EXPECT_EQ(addresses, Strings{"11-22-33-44-55-66"});
    }
}

TEST(ReadHostList, AppendsWithoutEmptyingAndNamesPathAsPassed) {
    test::TempDir dir;
    dir.Write("a.mp", "1.2.3.4 00-a0-c9-12-34-56\r\n00-a0-c9-12-34-57\r\n");
    // A relative path with a detour is quoted exactly as given, not made canonical.
    const std::string path = dir.Path() + "/./a.mp";
    std::string report;
    Strings addresses = {"first"};
    ASSERT_TRUE(ReadHostList(path, report, addresses));
    EXPECT_EQ(addresses, (Strings{"first", kMac, "00-a0-c9-12-34-57"}));
    EXPECT_EQ(report, BadLine(path, 2));
}

// A CR LF pair split between two blocks of the file must still read as one line end.
TEST(ReadHostList, CrLfAcrossBlockBoundary) {
    std::string bytes;
    const std::string entry = "1.2.3.4 00-a0-c9-12-34-56\r\n";
    while (bytes.size() + entry.size() < 65535)
        bytes += entry;
    bytes += Repeat('#', 65535 - bytes.size() - 1);
    bytes += "1\r\n1.2.3.4 00-a0-c9-12-34-57\r\n";
    ASSERT_EQ(bytes[65535], '\r');
    test::TempDir dir;
    std::string report;
    Strings addresses;
    ASSERT_TRUE(ReadHostList(dir.Write("big.mp", bytes), report, addresses));
    EXPECT_EQ(report, "");
    ASSERT_FALSE(addresses.empty());
    EXPECT_EQ(addresses.back(), "00-a0-c9-12-34-57");
    EXPECT_EQ(addresses.size(), 65535 / entry.size() + 1);
}

}  // namespace
}  // namespace wb
