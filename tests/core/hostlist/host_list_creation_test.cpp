#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <functional>
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

// Whatever name the resolver gives, the line keeps exactly its one Ethernet address, and
// the lines around it keep theirs.
TEST(HostListWriter, HostileNamesReadBackAsOneEntryEach) {
    std::string longInGbk;
    for (int i = 0; i < 150; ++i)
        longInGbk += "\xe4\xb8\xad";  // one character, two bytes on disk
    for (const std::string& name :
         {std::string("pc 02-00-5e-00-00-66"), std::string("pc\t02-00-5e-00-00-66"),
          std::string("a,b:02-00-5e-00-00-66"), std::string("#pc"),
          std::string("pc\n198.51.100.66 02-00-5e-00-00-66"), std::string("02-00-5e-00-00-66"),
          std::string("02.00.5e.00.00.66"), std::string(300, 'n'), longInGbk}) {
        test::TempDir dir;
        const std::string path = dir.File("named.mp");
        ASSERT_TRUE(WriteHostListFile(path, {{"198.51.100.100", name, "02-00-5e-00-00-10"},
                                             {"198.51.100.9", "pc9", "02-00-5e-00-00-09"}}));
        std::string report;
        std::vector<std::string> addresses;
        ASSERT_TRUE(ReadHostList(path, report, addresses));
        EXPECT_EQ(report, "") << name;
        EXPECT_EQ(addresses, (std::vector<std::string>{"02-00-5e-00-00-10", "02-00-5e-00-00-09"}))
            << name;
    }
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
    m_dir.Write("temp.mp", Fixture("listing_with_repeats.txt"));
    ASSERT_TRUE(CreateHostListFile(Target(), Options()));
    EXPECT_EQ(m_lookedUp,
              (std::vector<std::string>{"198.51.100.12", "127.0.0.1", "198.51.100.12"}));
    EXPECT_EQ(test::ReadFileBytes(Target()), Fixture("created_from_listing.mp"));
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

// A missing or empty listing: the capture failed.
TEST_F(CreateFromListing, WithoutListingShowsItMissingAndWritesNothing) {
    for (const bool writeListing : {false, true}) {
        if (writeListing) m_dir.Write("temp.mp", "");
        EXPECT_FALSE(CreateHostListFile(Target(), Options()));
        EXPECT_EQ(m_messages.Texts(),
                  std::vector<std::string>{
                      "无法读取ARP缓存.\n可能原因: ARP.EXE 和/或 CONSPAWN.EXE 不存在."});
        EXPECT_FALSE(test::FileExists(Target()));
        EXPECT_EQ(test::FileExists(Listing()), writeListing);
        EXPECT_TRUE(m_lookedUp.empty());
        m_messages.Clear();
    }
}

#ifndef _WIN32  // permissions, links and a second user: POSIX only
// A target that cannot be written is refused before the first name lookup, which may each
// wait on the resolver; the listing stays for another try.
struct TargetCase {
    const char* name;
    const char* setup;  // shell, run in the directory; "{u}" stands for the ordinary user
    std::string target;
};

// Runs `fn` as an ordinary user when we are root, whom no file permission stops.
bool AsOrdinaryUser(const std::function<bool()>& fn) {
    if (geteuid() != 0) return fn();
    const pid_t child = fork();
    if (child == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && fn() ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class UnusableTarget : public CreateFromListing,
                       public ::testing::WithParamInterface<TargetCase> {};

TEST_P(UnusableTarget, StopsBeforeLookups) {
    m_dir.Write("temp.mp", "198.51.100.12 02-00-5e-00-00-12\r\n");
    std::string setup = GetParam().setup;
    const auto at = setup.find("{u}");
    if (at != std::string::npos) setup.replace(at, 3, geteuid() == 0 ? "65534" : "$(id -u)");
    ASSERT_TRUE(test::Shell("cd '" + m_dir.Path() + "' && chmod 777 . && " + setup));
    const std::string target = m_dir.File(GetParam().target);
    const auto contents = [&] {
        return test::Shell("test -d '" + target + "'") ? "a directory"
                                                       : test::ReadFileBytes(target);
    };
    const std::string before = contents();
    EXPECT_TRUE(AsOrdinaryUser([&] {
        return !CreateHostListFile(target, Options()) && m_lookedUp.empty() &&
               m_messages.Texts() ==
                   std::vector<std::string>{"\t无法以写入方式打开 " + target + ".\n"};
    }));
    EXPECT_EQ(contents(), before);
    EXPECT_TRUE(test::FileExists(Listing()));
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnusableTarget,
    ::testing::Values(
        TargetCase{"MissingDirectory", "true", "missing-dir/hosts.mp"},
        TargetCase{"ADirectory", "mkdir adir.mp", "adir.mp"},
        // The name itself fits, the temporary file that the save needs beside it does not.
        TargetCase{"NameTooLongForTheSave", "true", "n" + std::string(240, 'n') + ".mp"},
        TargetCase{"ReadOnlyFile", "echo old >ro.mp && chown {u} ro.mp && chmod 444 ro.mp",
                   "ro.mp"},
        TargetCase{"LinkToAReadOnlyFile",
                   "echo old >ro.mp && chown {u} ro.mp && chmod 444 ro.mp && ln -s ro.mp l.mp",
                   "l.mp"}),
    [](const auto& info) { return std::string(info.param.name); });
#endif

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
