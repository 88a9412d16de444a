#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "hostlist/arp_listing.h"
#include "platform/arp_table.h"
#include "support/case_file.h"

namespace wb {
namespace {

class ArpRows : public ::testing::TestWithParam<test::CaseRow> {};

TEST_P(ArpRows, ListingAsExpected) {
    const test::CaseRow& row = GetParam();
    if (row[0] == "listing") {
        std::ostringstream taken;
        for (const auto& e : ParseArpListing(row[2]))
            taken << (taken.tellp() > 0 ? " " : "") << e.ip << "=" << e.ethernet;
        EXPECT_EQ(taken.str(), row[3]);
    } else {
        const std::map<std::string, std::string> devices = {{"eth0", "198.51.100.37"}};
        const bool expectResolving = row[4] == "yes";
        bool resolving = !expectResolving;
        EXPECT_EQ(platform::FormatProcNetArp(row[2], devices, resolving), row[3]);
        EXPECT_EQ(resolving, expectResolving);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ArpRows, ::testing::ValuesIn(test::ReadCases("hostlist/arp.cases")),
                         [](const auto& info) { return info.param[1]; });

}  // namespace
}  // namespace wb
