#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostlist/arp_listing.h"
#include "platform/arp_table.h"

namespace wb {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries IpAndEthernet(const std::vector<HostListEntry>& entries) {
    Entries out;
    for (const auto& e : entries)
        out.emplace_back(e.ip, e.ethernet);
    return out;
}

struct ListingCase {
    const char* name;
    std::string listing;
    Entries entries;
};

void PrintTo(const ListingCase& c, std::ostream* os) { *os << c.name; }

class ListingConversion : public ::testing::TestWithParam<ListingCase> {};

TEST_P(ListingConversion, TakesLinesWithOneIpAndOneEthernet) {
    EXPECT_EQ(IpAndEthernet(ParseArpListing(GetParam().listing)), GetParam().entries);
}

const char kWindowsListing[] =
    "\r\n"
    "Interface: 192.168.0.5 --- 0xb\r\n"
    "  Internet Address      Physical Address      Type\r\n"
    "  192.168.0.1           00-a0-c9-12-34-56     dynamic   \r\n"
    "  192.168.0.9           00-A0-C9-AB-CD-EF     dynamic   \r\n";

INSTANTIATE_TEST_SUITE_P(
    Table, ListingConversion,
    ::testing::Values(
        ListingCase{"WindowsListing",
                    kWindowsListing,
                    {{"192.168.0.1", "00-a0-c9-12-34-56"}, {"192.168.0.9", "00-A0-C9-AB-CD-EF"}}},
        ListingCase{"EthernetFirst",
                    "00-a0-c9-12-34-56 192.168.0.1\n",
                    {{"192.168.0.1", "00-a0-c9-12-34-56"}}},
        ListingCase{"AllZeroHyphens", "192.168.0.1 00-00-00-00-00-00 invalid\n", {}},
        ListingCase{"AllZeroMixed", "192.168.0.1 00-00.00-00-00-00\n", {}},
        ListingCase{"TwoIps", "192.168.0.1 192.168.0.2 dynamic\n", {}},
        ListingCase{"TwoEthernets", "192.168.0.1 00-a0-c9-12-34-56 00-a0-c9-12-34-57\n", {}},
        ListingCase{"IpOnly", "Interface: 192.168.0.5 --- 0xb\n", {}},
        ListingCase{"ColonForm", "192.168.0.1 00:a0:c9:12:34:56\n", {}},
        ListingCase{"HashIsNoComment",
                    "# 192.168.0.1 00-a0-c9-12-34-56\n",
                    {{"192.168.0.1", "00-a0-c9-12-34-56"}}},
        ListingCase{"DuplicatesKept",
                    "1.2.3.4 00-a0-c9-12-34-56\r\n1.2.3.4 00-a0-c9-12-34-56\r\n",
                    {{"1.2.3.4", "00-a0-c9-12-34-56"}, {"1.2.3.4", "00-a0-c9-12-34-56"}}},
        ListingCase{
            "NoFinalLineEnd", "1.2.3.4 00-a0-c9-12-34-56", {{"1.2.3.4", "00-a0-c9-12-34-56"}}},
        ListingCase{
            "LineCutIntoReads", "1.2.3.4 " + std::string(250, 'x') + " 00-a0-c9-12-34-56\n", {}},
        ListingCase{
            "ErrorText", "'arp' is not recognized as an internal or external command\r\n", {}}));

const char kProcHead[] =
    "IP address       HW type     Flags       HW address            Mask     Device\n";

struct ProcCase {
    const char* name;
    std::string proc;
    std::string listing;
    bool resolving;
};

void PrintTo(const ProcCase& c, std::ostream* os) { *os << c.name; }

class ProcNetArp : public ::testing::TestWithParam<ProcCase> {};

TEST_P(ProcNetArp, BecomesListing) {
    const std::map<std::string, std::string> devices = {{"eth0", "198.51.100.37"}};
    bool resolving = !GetParam().resolving;
    EXPECT_EQ(platform::FormatProcNetArp(GetParam().proc, devices, resolving), GetParam().listing);
    EXPECT_EQ(resolving, GetParam().resolving);
}

const std::string kEth0Title =
    "\r\nInterface: 198.51.100.37 --- eth0\r\n"
    "  Internet Address      Physical Address      Type\r\n";

INSTANTIATE_TEST_SUITE_P(
    Table, ProcNetArp,
    ::testing::Values(
        // Nobody answered: a listing without entries, not a missing one.
        ProcCase{"Empty", kProcHead, "No ARP Entries Found.\r\n", false},
        ProcCase{
            "SortedByAddressCaseKept",
            std::string(kProcHead) +
                "198.51.100.12    0x1         0x2         02:00:5E:00:00:12     *        eth0\n"
                "198.51.100.9     0x1         0x2         02:00:5e:00:00:09     *        eth0\n"
                "198.51.100.10    0x1         0x6         02:00:5e:00:00:10     *        eth0\n",
            kEth0Title + "  198.51.100.9          02-00-5e-00-00-09     dynamic\r\n"
                         "  198.51.100.10         02-00-5e-00-00-10     static\r\n"
                         "  198.51.100.12         02-00-5E-00-00-12     dynamic\r\n",
            false},
        ProcCase{
            "IncompleteLeftOutAndWaitedFor",
            std::string(kProcHead) +
                "198.51.100.10    0x1         0x2         02:00:5e:00:00:10     *        eth0\n"
                "198.51.100.99    0x1         0x0         00:00:00:00:00:00     *        eth0\n",
            kEth0Title + "  198.51.100.10         02-00-5e-00-00-10     dynamic\r\n", true},
        ProcCase{
            "CompleteWithoutAddressLeftOut",
            std::string(kProcHead) +
                "198.51.100.20    0x1         0x2         00:00:00:00:00:00     *        eth0\n"
                "198.51.100.21    0x20        0x2         80:00:00:48:fe:80:00:00:00:00:00:00:"
                "00:00:00:00:00:00:00:00     *        ib0\n",
            "No ARP Entries Found.\r\n", false},
        ProcCase{
            "DeviceWithoutAddress",
            std::string(kProcHead) +
                "10.9.8.7         0x1         0x2         aa:bb:cc:dd:ee:ff     *        veth9\n",
            "\r\nInterface: - --- veth9\r\n"
            "  Internet Address      Physical Address      Type\r\n"
            "  10.9.8.7              aa-bb-cc-dd-ee-ff     dynamic\r\n",
            false}));

}  // namespace
}  // namespace wb
