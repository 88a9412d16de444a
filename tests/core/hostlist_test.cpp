#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/message_box.h"
#include "hostlist/arp_capture.h"
#include "hostlist/arp_listing.h"
#include "hostlist/create_list_input.h"
#include "hostlist/host_list_creation.h"
#include "hostlist/host_list_reader.h"
#include "hostlist/host_list_writer.h"
#include "platform/arp_table.h"
#include "support/alarm_test_util.h"
#include "support/case_file.h"
#include "support/message_recorder.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "wake/wake_socket.h"

// The writer's header, GBK and CR LF through the command line: tests/data/cli/import.t; the
// reader's pieces across its block boundary: the fuzz_host_list corpus.
namespace wb {
namespace {

using Strings = std::vector<std::string>;

std::string Fixture(const std::string& name) {
    return test::ReadFileBytes(std::string(WAKEBURST_TEST_DATA) + "/hostlist/" + name);
}

Strings Words(const std::string& s) {
    std::istringstream in(s);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

class ReadHostListRows : public ::testing::TestWithParam<test::CaseRow> {};

TEST_P(ReadHostListRows, YieldsAddressesAndBadLines) {
    const test::CaseRow& row = GetParam();
    test::TempDir dir;
    // Neither a missing file nor a directory is a list; what was collected before stays.
    std::string path = row[1] == "@missing" ? dir.File("没有的文件.mp") : dir.Path();
    if (row[1] != "@missing" && row[1] != "@directory") {
        path = dir.Write("list.mp", row[1].rfind('@', 0) == 0 ? Fixture(row[1].substr(1)) : row[1]);
    }
    std::string report = "left over";
    Strings addresses = {"kept"};
    EXPECT_EQ(ReadHostList(path, report, addresses), row[3] != "unopenable");
    Strings expected = Words(row[2]);
    expected.insert(expected.begin(), "kept");
    EXPECT_EQ(addresses, expected);
    std::string lines = row[3] == "unopenable" ? "\t无法以只读方式打开 " + path + " .\n" : "";
    for (const std::string& line : Words(row[3] == "unopenable" ? "" : row[3]))
        lines += "\t错误 文件:" + path + "\n\t行 " + line + ": 请检查IP地址和以太网[MAC]地址.\n";
    EXPECT_EQ(report, lines);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadHostListRows,
                         ::testing::ValuesIn(test::ReadCases("hostlist/read.cases")),
                         [](const auto& info) { return info.param[0]; });

TEST(HostListInput, EveryRowOfTheTables) {
    for (const test::CaseRow& row : test::ReadCases("hostlist/arp.cases")) {
        SCOPED_TRACE(row.where);
        if (row[0] == "listing") {
            std::string taken;
            for (const auto& e : ParseArpListing(row[2]))
                taken += (taken.empty() ? "" : " ") + e.ip + "=" + e.ethernet;
            EXPECT_EQ(taken, row[3]);
        } else {
            const bool expectResolving = row[4] == "yes";
            bool resolving = !expectResolving;
            EXPECT_EQ(platform::FormatProcNetArp(row[2], {{"eth0", "198.51.100.37"}}, resolving),
                      row[3]);
            EXPECT_EQ(resolving, expectResolving);
        }
    }
    for (const test::CaseRow& row : test::ReadCases("hostlist/create_input.cases")) {
        SCOPED_TRACE(row.where);
        MaskFields fields;
        if (row[0] == "name") {
            EXPECT_EQ(HostListFileName(row[1]), row[2]);
        } else if (row[0] == "split") {
            const bool split = SplitMaskText(row[1], fields);
            EXPECT_EQ(split, row[2] != "no");
            if (split) {
                EXPECT_EQ(fields[0] + "," + fields[1] + "," + fields[2] + "," + fields[3], row[2]);
            }
        } else {
            ASSERT_TRUE(SplitMaskText(row[1], fields));
            std::string reason;
            EXPECT_EQ(ValidateMaskFields(fields, reason), row[2] == "yes") << reason;
            EXPECT_EQ(reason, row[2] == "yes" || row[2] == "no" ? reason : row[2]);
            EXPECT_EQ(reason.empty(), row[2] == "yes");
            EXPECT_EQ(BuildMaskText(fields), row[1]);
        }
    }
}

// Whatever name the resolver gives, the line keeps exactly its one Ethernet address, and
// the lines around it keep theirs.
TEST(HostListWriter, HostileNamesReadBackAsOneEntryEach) {
    test::TempDir dir;
    const std::string path = dir.File("named.mp");
    for (const test::CaseRow& row : test::ReadCases("hostlist/names.cases")) {
        ASSERT_TRUE(WriteHostListFile(path, {{"198.51.100.100", row[1], "02-00-5e-00-00-10"},
                                             {"198.51.100.9", "pc9", "02-00-5e-00-00-09"}}));
        std::string report;
        Strings addresses;
        ASSERT_TRUE(ReadHostList(path, report, addresses));
        EXPECT_EQ(report, "") << row.where;
        EXPECT_EQ(addresses, (Strings{"02-00-5e-00-00-10", "02-00-5e-00-00-09"})) << row.where;
    }
}

// A lookup that knows 127.0.0.1 through the real resolver and reports every other
// address as unknown, the way a failed reverse lookup does. Nothing leaves this machine.
class CreateFromListing : public ::testing::Test {
protected:
    CreateListOptions Options() {
        CreateListOptions o;
        o.listingPath = listing;
        o.lookup = [this](const std::string& ip) {
            lookedUp.push_back(ip);
            std::string name = kNameNotFound;
            if (ip == "127.0.0.1") {
                name = LookupHostName(ip);
            } else {
                ShowMessageBox(ip + "\n未发现授权应答主机.");
            }
            return name;
        };
        o.progress = [this](std::size_t done, std::size_t total) {
            progress += std::to_string(done) + "/" + std::to_string(total) + " ";
        };
        return o;
    }

    test::TempDir dir;
    const std::string listing = dir.File("temp.mp"), target = dir.File("hosts.mp");
    test::MessageRecorder messages;
    Strings lookedUp;
    std::string progress;
};

TEST_F(CreateFromListing, WritesEntriesInListingOrderAndRemovesListing) {
    dir.Write("temp.mp", Fixture("listing_with_repeats.txt"));
    ASSERT_TRUE(CreateHostListFile(target, Options()));
    EXPECT_EQ(lookedUp, (Strings{"198.51.100.12", "127.0.0.1", "198.51.100.12"}));
    EXPECT_EQ(test::ReadFileBytes(target), Fixture("created_from_listing.mp"));
    EXPECT_EQ(messages.Texts(), Strings(2, "198.51.100.12\n未发现授权应答主机."));
    EXPECT_EQ(progress, "0/3 1/3 2/3 3/3 ");
    EXPECT_FALSE(test::FileExists(listing));

    dir.Write("temp.mp", "No ARP Entries Found.\r\n");
    ASSERT_TRUE(CreateHostListFile(target, Options()));
    EXPECT_EQ(test::ReadFileBytes(target), Fixture("header_only.mp"));
    EXPECT_EQ(progress, "0/3 1/3 2/3 3/3 0/0 ");
    EXPECT_FALSE(test::FileExists(listing));
}

// A missing or empty listing: the capture failed.
TEST_F(CreateFromListing, WithoutListingShowsItMissingAndWritesNothing) {
    for (const bool writeListing : {false, true}) {
        if (writeListing) dir.Write("temp.mp", "");
        EXPECT_FALSE(CreateHostListFile(target, Options()));
        EXPECT_EQ(messages.Texts(),
                  Strings{"无法读取ARP缓存.\n可能原因: ARP.EXE 和/或 CONSPAWN.EXE 不存在."});
        EXPECT_FALSE(test::FileExists(target));
        EXPECT_EQ(test::FileExists(listing), writeListing);
        EXPECT_TRUE(lookedUp.empty());
        messages.Clear();
    }
}

#ifndef _WIN32  // permissions, links and a second user: POSIX only
// Runs `fn` as an ordinary user when we are root, whom no file permission stops.
bool AsOrdinaryUser(const std::function<bool()>& fn) {
    if (geteuid() != 0) return fn();
    const pid_t child = fork();
    if (child == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && fn() ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A target that cannot be written is refused before the first name lookup, which may each
// wait on the resolver; the listing stays for another try.
TEST_F(CreateFromListing, UnusableTargetStopsBeforeLookups) {
    for (const test::CaseRow& row : test::ReadCases("hostlist/unusable_targets.cases")) {
        const std::string &setup = row[1], &name = row[2];
        messages.Clear();
        dir.Write("temp.mp", "198.51.100.12 02-00-5e-00-00-12\r\n");
        ASSERT_TRUE(test::Shell("cd '" + dir.Path() + "' && chmod 777 . && " +
                                test::ReplaceAll(setup, "{u}", geteuid() ? "$(id -u)" : "65534")));
        const std::string path = dir.File(name);
        const auto contents = [&] {
            return test::Shell("test -d '" + path + "'") ? "a directory"
                                                         : test::ReadFileBytes(path);
        };
        const std::string before = contents();
        EXPECT_TRUE(AsOrdinaryUser([&] {
            return !CreateHostListFile(path, Options()) && lookedUp.empty() &&
                   messages.Texts() == Strings{"\t无法以写入方式打开 " + path + ".\n"};
        })) << row.where;
        EXPECT_EQ(contents(), before);
        EXPECT_TRUE(test::FileExists(listing));
    }
}
#endif

TEST(ArpCapture, ReplacesTheListingOrShows61450) {
    test::MessageRecorder messages;
    test::TempDir dir;
    const std::string path = dir.Write("temp.mp", "stale listing 1.2.3.4 00-a0-c9-12-34-56\r\n");
    ASSERT_TRUE(CaptureArpCache(path));
    ASSERT_TRUE(test::FileExists(path));
    EXPECT_EQ(test::ReadFileBytes(path).find("stale"), std::string::npos);
    EXPECT_FALSE(CaptureArpCache(dir.File("gone/temp.mp")));
    EXPECT_EQ(messages.Texts(),
              Strings{"\t无法以写入方式打开 " + dir.File("gone/temp.mp") + ".\n"});
}

}  // namespace
}  // namespace wb
