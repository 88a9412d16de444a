#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/message_box.h"
#include "hostlist/arp_capture.h"
#include "hostlist/host_list_creation.h"
#include "hostlist/host_list_reader.h"
#include "hostlist/host_list_writer.h"
#include "support/message_recorder.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "wake/wake_socket.h"

namespace wb {
namespace {

std::string Fixture(const char* name) {
    return test::ReadFileBytes(std::string(WAKEBURST_TEST_DATA) + "/hostlist/" + name);
}

const std::string kHeaderBytes = Fixture("header_only.mp");

TEST(HostListWriter, EntriesAreGbkWithCrLf) {
    const std::vector<HostListEntry> entries = {
        {"198.51.100.10", "peer-a", "02-00-5e-00-00-10"},
        {"198.51.100.11", "peer-b", "02-00-5e-00-00-11"},
        {"198.51.100.12", kNameNotFound, "02-00-5e-00-00-12"}};
    EXPECT_EQ(HostListFileBytes(entries), Fixture("written_by_scan.mp"));
}

// The file we write must read back into exactly its Ethernet addresses, without a report.
TEST(HostListWriter, ReadsBackWithoutReport) {
    test::TempDir dir;
    const std::string path = dir.File("back.mp");
    ASSERT_TRUE(WriteHostListFile(path, {{"10.0.0.1", "张三的电脑", "00-A0-C9-12-34-56"},
                                         {"10.0.0.2", kNameNotFound, "00-a0-c9-12-34-57"}}));
    std::string report;
    std::vector<std::string> addresses;
    ASSERT_TRUE(ReadHostList(path, report, addresses));
    EXPECT_EQ(report, "");
    EXPECT_EQ(addresses, (std::vector<std::string>{"00-A0-C9-12-34-56", "00-a0-c9-12-34-57"}));
}

// A lookup that knows 127.0.0.1 through the real resolver and reports every other
// address as unknown, the way a failed reverse lookup does. Nothing leaves this machine.
class CreateFromListing : public ::testing::Test {
protected:
    std::string Listing() const { return m_dir.File("temp.mp"); }
    std::string Target() const { return m_dir.File("hosts.mp"); }

    CreateListOptions Options() {
        CreateListOptions o;
        o.listingPath = Listing();
        o.lookup = [this](const std::string& ip) {
            m_lookedUp.push_back(ip);
            if (ip == "127.0.0.1") {
                CWakeSocket socket;
                std::string name;
                socket.LookupHostName(ip, name);
                return name;
            }
            ShowMessageBox(ip + "\n未发现授权应答主机.");
            return std::string(kNameNotFound);
        };
        o.progress = [this](std::size_t done, std::size_t total) {
            m_progress.emplace_back(done, total);
        };
        return o;
    }

    test::TempDir m_dir;
    test::MessageRecorder m_messages;
    std::vector<std::string> m_lookedUp;
    std::vector<std::pair<std::size_t, std::size_t>> m_progress;
};

TEST_F(CreateFromListing, WritesEntriesInListingOrderAndRemovesListing) {
    m_dir.Write("temp.mp",
                "\r\nInterface: 127.0.0.1 --- lo\r\n"
                "  Internet Address      Physical Address      Type\r\n"
                "  198.51.100.12         02-00-5E-00-00-12     dynamic\r\n"
                "  127.0.0.1             02-00-5e-00-00-01     static\r\n"
                "  198.51.100.13         00-00-00-00-00-00     invalid\r\n"
                "  198.51.100.12         02-00-5E-00-00-12     dynamic\r\n");
    ASSERT_TRUE(CreateHostListFile(Target(), Options()));
    EXPECT_EQ(m_lookedUp,
              (std::vector<std::string>{"198.51.100.12", "127.0.0.1", "198.51.100.12"}));
    EXPECT_EQ(test::ReadFileBytes(Target()),
              kHeaderBytes +
                  "198.51.100.12\t*\xc3\xfb\xb3\xc6\xce\xb4\xb1\xbb\xb7\xa2\xcf\xd6*\t"
                  "02-00-5E-00-00-12\r\n"
                  "127.0.0.1\tlocalhost\t02-00-5e-00-00-01\r\n"
                  "198.51.100.12\t*\xc3\xfb\xb3\xc6\xce\xb4\xb1\xbb\xb7\xa2\xcf\xd6*\t"
                  "02-00-5E-00-00-12\r\n");
    EXPECT_EQ(m_messages.Texts(), (std::vector<std::string>{"198.51.100.12\n未发现授权应答主机.",
                                                            "198.51.100.12\n未发现授权应答主机."}));
    EXPECT_EQ(m_progress,
              (std::vector<std::pair<std::size_t, std::size_t>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    EXPECT_FALSE(test::FileExists(Listing()));
}

TEST_F(CreateFromListing, ListingWithoutEntriesGivesHeaderOnly) {
    m_dir.Write("temp.mp", "No ARP Entries Found.\r\n");
    ASSERT_TRUE(CreateHostListFile(Target(), Options()));
    EXPECT_EQ(test::ReadFileBytes(Target()), kHeaderBytes);
    EXPECT_EQ(m_progress, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 0}}));
    EXPECT_FALSE(test::FileExists(Listing()));
}

TEST_F(CreateFromListing, ExistingListIsReplacedNotAppended) {
    m_dir.Write("hosts.mp", "old contents that must go\r\n");
    m_dir.Write("temp.mp", "198.51.100.12 02-00-5e-00-00-12\r\n");
    ASSERT_TRUE(CreateHostListFile(Target(), Options()));
    const std::string bytes = test::ReadFileBytes(Target());
    EXPECT_EQ(bytes.rfind(kHeaderBytes, 0), 0u);
    EXPECT_EQ(bytes.find("old contents"), std::string::npos);
}

struct MissingCase {
    const char* name;
    bool writeListing;
};

class CreateWithoutListing : public CreateFromListing,
                             public ::testing::WithParamInterface<MissingCase> {};

TEST_P(CreateWithoutListing, ShowsMissingListingAndWritesNothing) {
    if (GetParam().writeListing) m_dir.Write("temp.mp", "");
    EXPECT_FALSE(CreateHostListFile(Target(), Options()));
    EXPECT_EQ(
        m_messages.Texts(),
        std::vector<std::string>{"无法读取ARP缓存.\n可能原因: ARP.EXE 和/或 CONSPAWN.EXE 不存在."});
    EXPECT_FALSE(test::FileExists(Target()));
    EXPECT_EQ(test::FileExists(Listing()), GetParam().writeListing);
    EXPECT_TRUE(m_lookedUp.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, CreateWithoutListing,
                         ::testing::Values(MissingCase{"Missing", false},
                                           MissingCase{"Empty", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CreateFromListing, UnwritableTargetStopsBeforeLookups) {
    m_dir.Write("temp.mp", "198.51.100.12 02-00-5e-00-00-12\r\n");
    const std::string target = m_dir.File("missing-dir/hosts.mp");
    EXPECT_FALSE(CreateHostListFile(target, Options()));
    EXPECT_EQ(m_messages.Texts(),
              std::vector<std::string>{"\t无法以写入方式打开 " + target + ".\n"});
    EXPECT_TRUE(m_lookedUp.empty());
    EXPECT_TRUE(test::FileExists(Listing()));
}

// A target that cannot be replaced late (a directory) is still reported, and the listing
// stays for another try.
TEST_F(CreateFromListing, TargetThatIsADirectoryFails) {
    m_dir.Write("temp.mp", "198.51.100.12 02-00-5e-00-00-12\r\n");
    const std::string target = m_dir.File("adir.mp");
    ASSERT_TRUE(test::Shell("mkdir '" + target + "'"));
    EXPECT_FALSE(CreateHostListFile(target, Options()));
    ASSERT_FALSE(m_messages.Texts().empty());
    EXPECT_EQ(m_messages.Texts().back(), "\t无法以写入方式打开 " + target + ".\n");
    EXPECT_TRUE(test::FileExists(Listing()));
}

TEST(ArpCapture, ReplacesTheListing) {
    test::TempDir dir;
    const std::string path = dir.Write("temp.mp", "stale listing 1.2.3.4 00-a0-c9-12-34-56\r\n");
    ASSERT_TRUE(CaptureArpCache(path));
    ASSERT_TRUE(test::FileExists(path));
    EXPECT_EQ(test::ReadFileBytes(path).find("stale"), std::string::npos);
}

TEST(ArpCapture, UnwritableListingShows61450) {
    test::MessageRecorder messages;
    test::TempDir dir;
    const std::string path = dir.File("gone/temp.mp");
    EXPECT_FALSE(CaptureArpCache(path));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"\t无法以写入方式打开 " + path + ".\n"});
}

}  // namespace
}  // namespace wb
