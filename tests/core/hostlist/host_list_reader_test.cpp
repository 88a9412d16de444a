#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "hostlist/host_list_reader.h"
#include "support/case_file.h"
#include "support/temp_dir.h"

namespace wb {
namespace {

using Strings = std::vector<std::string>;

std::string BadLine(const std::string& path, int line) {
    return "\t错误 文件:" + path + "\n\t行 " + std::to_string(line) +
           ": 请检查IP地址和以太网[MAC]地址.\n";
}

std::vector<std::string> Words(const std::string& s) {
    std::istringstream in(s);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

class ReadHostListRows : public ::testing::TestWithParam<test::CaseRow> {};

TEST_P(ReadHostListRows, YieldsAddressesAndBadLines) {
    const test::CaseRow& row = GetParam();
    SCOPED_TRACE(row.where);
    test::TempDir dir;
    const std::string path =
        dir.Write("list.mp", row[1].rfind('@', 0) == 0
                                 ? test::ReadFileBytes(std::string(WAKEBURST_TEST_DATA) +
                                                       "/hostlist/" + row[1].substr(1))
                                 : row[1]);
    std::string report = "left over";
    Strings addresses = {"kept"};
    ASSERT_TRUE(ReadHostList(path, report, addresses));
    Strings expected = Words(row[2]);
    expected.insert(expected.begin(), "kept");
    EXPECT_EQ(addresses, expected);
    std::string lines;
    for (const std::string& line : Words(row[3]))
        lines += BadLine(path, std::stoi(line));
    EXPECT_EQ(report, lines);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadHostListRows,
                         ::testing::ValuesIn(test::ReadCases("hostlist/read.cases")),
                         [](const auto& info) { return info.param[0]; });

const std::string kMac = "00-a0-c9-12-34-56";

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
    bytes += std::string(65535 - bytes.size() - 1, '#');
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
