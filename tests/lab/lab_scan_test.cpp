#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "lab/lab_network.h"
#include "support/temp_dir.h"

namespace wb::test {
namespace {

const std::string kDoodahHex = "446f6f646168";
const std::string kStatuses =
    "获取此主机的 IP 地址\n轮询局域网内所有主机.\n正在读取 ARP "
    "缓存.\n正在完成IP地址到主机名的映射.\n";
// "*名称未被发现*" as it lies in the file
const std::string kPlaceholderGbk = "*\xc3\xfb\xb3\xc6\xce\xb4\xb1\xbb\xb7\xa2\xcf\xd6*";

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

class LabScan : public LabFixture {
protected:
    std::string File(const std::string& name) const { return m_temp.File(name); }
    TempDir m_temp;
    const std::string& m_dir = m_temp.Path();
};

TEST_F(LabScan, FindsEveryPeerAndWritesTheList) {
    FlushHostNeighbours();
    auto r = RunInHost({WAKEBURST_CLI, "scan"}, m_dir);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "新建组.mp\n");

    // The phases in order, then one message for the one peer without a name.
    EXPECT_EQ(r.err.rfind(kStatuses + "198.51.100.12\n", 0), 0u) << r.err;
    EXPECT_EQ(Count(r.err, "\n"), 6u) << r.err;

    std::string expected =
        ReadFileBytes(std::string(WAKEBURST_TEST_DATA) + "/hostlist/header_only.mp");
    ASSERT_FALSE(expected.empty());
    std::string addresses;
    for (const LabPeer& p : Peers()) {
        expected +=
            p.ip + "\t" + (p.name.empty() ? kPlaceholderGbk : p.name) + "\t" + p.ethernet + "\r\n";
        addresses += p.ethernet + "\n";
    }
    EXPECT_EQ(ReadFileBytes(File("新建组.mp")), expected);
    EXPECT_FALSE(FileExists(File("temp.mp")));

    // Each peer was polled three times at its own address.
    for (std::size_t i = 0; i < Peers().size(); ++i) {
        const std::string poll = Peers()[i].ip + " " + kDoodahHex;
        EXPECT_EQ(Received(i), (std::vector<std::string>{poll, poll, poll}));
    }

    auto check = RunInHost({WAKEBURST_CLI, "check", "新建组.mp"}, m_dir);
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_EQ(check.out, addresses);
    EXPECT_EQ(check.err, "");
}

TEST_F(LabScan, EmptyNeighbourTableGivesAListWithoutEntries) {
    // A mask whose poll reaches nobody and an empty neighbour table: nobody answered, which
    // is a listing without entries, not a listing that could not be had.
    FlushHostNeighbours();
    auto r = RunInHost({WAKEBURST_CLI, "scan", "--mask", "255.255.255.254", "-o", "empty"}, m_dir);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "empty.mp\n");
    EXPECT_EQ(r.err, kStatuses);
    EXPECT_EQ(ReadFileBytes(File("empty.mp")),
              ReadFileBytes(std::string(WAKEBURST_TEST_DATA) + "/hostlist/header_only.mp"));
    EXPECT_FALSE(FileExists(File("temp.mp")));
    ExpectAtPeers({}, "");
}

}  // namespace
}  // namespace wb::test
