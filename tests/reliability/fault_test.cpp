// Faults from outside: bad host-list files, damaged alarm stores, paths that GBK cannot
// hold, a wake log that cannot take its entry, a disk that fills during repeated saves,
// a host list that changes while a group wake reads it, and stores and logs whose names
// are taken by something that is no file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "alarm/alarm_store.h"
#include "alarm/alarm_store_codec.h"
#include "alarm/wake_group.h"
#include "alarm/wake_log.h"
#include "hostlist/host_list_reader.h"
#include "support/alarm_test_util.h"
#include "support/case_file.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"
#include "support/udp_receiver.h"

namespace wb {
namespace {

namespace fs = std::filesystem;

constexpr char kCannotCreateStore[] = "无法创建文件 DwnGs\n提醒设置未被保存.";

std::string CannotOpen(const std::string& path) { return "\t无法以只读方式打开 " + path + " .\n"; }

// Runs `fn` in a child process with a private mount namespace in which a tmpfs of
// `sizeKb` is mounted on `dir`. The child's answer: "" when all held, else what did not;
// nullopt when no mount namespace can be made here (not root).
std::optional<std::string> InTinyFileSystem(const std::string& dir, int sizeKb,
                                            const std::function<std::string()>& fn) {
    int fds[2];
    if (pipe(fds) != 0) return std::string("pipe failed");
    const pid_t child = fork();
    if (child < 0) return std::string("fork failed");
    if (child == 0) {
        close(fds[0]);
        std::string answer;
        int code = 0;
        if (unshare(CLONE_NEWNS) != 0 ||
            mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            code = 77;
        } else {
            const std::string opts = "size=" + std::to_string(sizeKb) + "k";
            if (mount("tmpfs", dir.c_str(), "tmpfs", 0, opts.c_str()) != 0) {
                code = 77;
            } else {
                answer = fn();
            }
        }
        if (!answer.empty() && write(fds[1], answer.data(), answer.size()) < 0) code = 3;
        close(fds[1]);
        _exit(code);
    }
    close(fds[1]);
    std::string answer;
    char buf[512];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
        answer.append(buf, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "child ended badly (" + std::to_string(status) + "): " + answer;
    return answer;
}

// Fills the file system holding `dir` to the last byte.
void FillUp(const std::string& dir) {
    std::FILE* f = std::fopen((dir + "/fill").c_str(), "wb");
    if (!f) return;
    static const char block[4096] = {};
    while (std::fwrite(block, 1, sizeof block, f) == sizeof block) {
    }
    std::fclose(f);
    f = std::fopen((dir + "/fill2").c_str(), "wb");
    while (f && std::fputc('x', f) != EOF && std::fflush(f) == 0) {
    }
    if (f) std::fclose(f);
}

// ---- Host-list files that are not what they should be ------------------------------------

// Lists that are no text, or no file: read in bounded pieces, or refused at once rather
// than waited on. (Missing files, directories, NUL bytes and long lines are reader rows.)
struct BadListCase {
    const char* name;
    std::function<std::string(const test::TempDir&)> make;  // returns the path to read
    bool opened;
    std::size_t addresses;  // SIZE_MAX: any number
};

constexpr std::size_t kMegabyte = 1 << 20;
constexpr char kAddressUnit[] = "198.51.100.9 02-00-5e-00-00-09 ";

const BadListCase kBadLists[] = {
    {"BinaryData",
     [](const test::TempDir& d) {
         std::string bytes;
         for (int i = 0; i < 65536 * 3; ++i)
             bytes += static_cast<char>((i * 131 + i / 7) & 0xFF);
         return d.Write("binary.mp", bytes);
     },
     true, SIZE_MAX},
    {"OneMegabyteLineOfAddresses",
     [](const test::TempDir& d) {
         std::string line;
         while (line.size() < kMegabyte)
             line += kAddressUnit;
         return d.Write("addrs.mp", line + "\r\n");
     },
     // The line is read in pieces of 254 bytes: an address that a cut splits is lost, one
     // that lies whole inside a piece is taken.
     true,
     [] {
         const std::size_t unit = sizeof kAddressUnit - 1;
         const std::size_t units = (kMegabyte + unit - 1) / unit;
         std::size_t whole = 0;
         for (std::size_t k = 0; k < units; ++k) {
             const std::size_t at = k * unit + 13;  // where the Ethernet address starts
             whole += at / 254 == (at + 16) / 254;
         }
         return whole;
     }()},
    {"ADeviceThatNeverEnds", [](const test::TempDir&) { return std::string("/dev/zero"); }, false,
     0},
    {"AFifoWithNoWriter",
     [](const test::TempDir& d) {
         mkfifo(d.File("fifo.mp").c_str(), 0600);
         return d.File("fifo.mp");
     },
     false, 0},
};

class BadHostList : public ::testing::TestWithParam<BadListCase> {};

TEST_P(BadHostList, ReadsWhatItCanAndSaysWhy) {
    test::TempDir dir;
    const std::string path = GetParam().make(dir);
    std::string report;
    std::vector<std::string> addresses = {"kept"};
    EXPECT_EQ(ReadHostList(path, report, addresses), GetParam().opened);
    ASSERT_FALSE(addresses.empty());
    EXPECT_EQ(addresses[0], "kept");
    if (!GetParam().opened) {
        EXPECT_EQ(report, CannotOpen(path));
    }
    if (GetParam().addresses != SIZE_MAX) {
        EXPECT_EQ(addresses.size() - 1, GetParam().addresses);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, BadHostList, ::testing::ValuesIn(kBadLists),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HugeHostList, OneGigabyteFileIsReadInBoundedMemory) {
    test::TempDir dir;
    const std::string path = dir.File("huge.mp");
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("198.51.100.7 pc7 02-00-5e-00-00-07\r\n", f);
        std::fclose(f);
    }
    // A sparse gigabyte of NUL bytes after one good line, and one more line at its end.
    fs::resize_file(path, 1ull << 30);
    {
        std::FILE* f = std::fopen(path.c_str(), "ab");
        std::fputs("\r\n198.51.100.8 pc8 02-00-5e-00-00-08\r\n", f);
        std::fclose(f);
    }
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    std::string report;
    std::vector<std::string> addresses;
    ASSERT_TRUE(ReadHostList(path, report, addresses));
    getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(addresses, (std::vector<std::string>{"02-00-5e-00-00-07", "02-00-5e-00-00-08"}));
    EXPECT_EQ(report, "");
    // The peak resident size may not grow by anything like the file.
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024);
}

// ---- Damaged alarm stores -----------------------------------------------------------------

std::string TwoRecordStore() {
    auto a = std::make_shared<CAlarmSetting>();
    a->SetGroupFile("/srv/组.mp");
    a->SetDays(0x04);
    a->SetHour(7);
    a->SetMinute(30);
    a->SetBroadcast("198.51.100.255");
    auto b = std::make_shared<CAlarmSetting>();
    b->CopyFrom(*a);
    b->SetGroupFile(std::string(300, 'g'));
    return EncodeAlarmStore({a, b});
}

struct DamagedCase {
    std::string name;
    std::string bytes;
};

std::vector<DamagedCase> DamagedStores() {
    std::vector<DamagedCase> cases;
    for (const test::CaseRow& row : test::ReadCases("reliability/damaged_stores.cases"))
        cases.push_back({row[0], test::FromHex(row[1])});
    // Every cut of a good two-record store short of its end.
    const std::string good = TwoRecordStore();
    for (std::size_t len = 0; len < good.size(); len += (len < 40 ? 1 : 37))
        cases.push_back({"CutAt" + std::to_string(len), good.substr(0, len)});
    return cases;
}

class DamagedStore : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedStore, RefusedWithTheMessageAndLeftOnDisk) {
    test::TempDir dir;
    test::MessageRecorder messages;
    test::WriteFileBytes(dir.File("DwnGs"), GetParam().bytes);
    CAlarmStore store(dir.Dir());
    store.m_alarms.push_back(std::make_shared<CAlarmSetting>());
    EXPECT_EQ(store.LoadAlarmsWithResult(), CAlarmStore::LoadResult::Damaged);
    EXPECT_TRUE(store.m_alarms.empty());
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, kDamagedStoreText);
    EXPECT_EQ(test::ReadFileBytes(dir.File("DwnGs")), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Table, DamagedStore, ::testing::ValuesIn(DamagedStores()),
                         [](const auto& info) { return info.param.name; });

// A store's name taken by something that is no store: refused at once as damaged, never
// waited on and never read whole.
struct NoStoreCase {
    const char* name;
    std::function<bool(const std::string& storePath)> make;  // false: cannot be made here
};

const NoStoreCase kNoStores[] = {
    {"FifoWithNoWriter", [](const std::string& p) { return mkfifo(p.c_str(), 0600) == 0; }},
    {"LinkToAnEndlessDevice",
     [](const std::string& p) { return symlink("/dev/zero", p.c_str()) == 0; }},
    {"DeviceNode",
     [](const std::string& p) { return mknod(p.c_str(), S_IFCHR | 0600, makedev(1, 5)) == 0; }},
    {"SparseGigabyte",
     [](const std::string& p) {
         // A good store at its start, so only its size can refuse it.
         test::WriteFileBytes(p, TwoRecordStore());
         std::error_code ec;
         fs::resize_file(p, 1ull << 30, ec);
         return !ec;
     }},
};

class NoStore : public ::testing::TestWithParam<NoStoreCase> {};

TEST_P(NoStore, IsRefusedAsDamagedWithoutReadingIt) {
    test::TempDir dir;
    test::MessageRecorder messages;
    const std::string path = dir.File("DwnGs");
    if (!GetParam().make(path)) GTEST_SKIP() << "cannot make it here";
    CAlarmStore store(dir.Dir());
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(store.LoadAlarmsWithResult(), CAlarmStore::LoadResult::Damaged);
    // A change of the store (alarms add, the dialog's OK) reads it the same way.
    EXPECT_EQ(store.UpdateAlarms([](AlarmList&, const StoreBytes&) { return true; }),
              CAlarmStore::UpdateResult::Damaged);
    getrusage(RUSAGE_SELF, &after);
    EXPECT_TRUE(store.m_alarms.empty());
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kDamagedStoreText, kDamagedStoreText}));
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 8 * 1024);
}

INSTANTIATE_TEST_SUITE_P(Table, NoStore, ::testing::ValuesIn(kNoStores),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Texts that GBK cannot hold -----------------------------------------------------------

class UnusualPath : public ::testing::TestWithParam<test::CaseRow> {};

TEST_P(UnusualPath, SurvivesTheStoreUnchanged) {
    const std::string& path = GetParam()[1];
    test::TempDir dir;
    test::MessageRecorder messages;
    CAlarmStore store(dir.Dir());
    auto rec = std::make_shared<CAlarmSetting>();
    rec->SetGroupFile(path);
    rec->SetBroadcast(path.substr(0, 15));
    rec->SetDays(0xFE);
    ASSERT_TRUE(store.SaveAlarms({rec}));
    CAlarmStore again(dir.Dir());
    ASSERT_TRUE(again.LoadAlarms());
    ASSERT_EQ(again.m_alarms.size(), 1u);
    EXPECT_EQ(again.m_alarms[0]->m_strGroupFile, path);
    EXPECT_EQ(again.m_alarms[0]->m_strBroadcast, path.substr(0, 15));
    EXPECT_TRUE(messages.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, UnusualPath,
                         ::testing::ValuesIn(test::ReadCases("reliability/unusual_paths.cases")),
                         [](const auto& info) { return info.param[0]; });

// ---- The wake log cannot take the entry ---------------------------------------------------

class WakeLogFault : public ::testing::Test {
protected:
    test::TempDir dir;
    test::UdpReceiver receiver;
    test::MessageRecorder messages;
    std::string group;

    void SetUp() override {
        ASSERT_TRUE(receiver.IsBound());
        group = dir.Write("two.mp",
                          "198.51.100.1 02-00-5e-00-00-01\r\n"
                          "198.51.100.2 02-00-5e-00-00-02\r\n");
    }
};

// A log's name taken by something that is no log file: the wake goes on, only the entry is
// lost, and nothing waits for a reader or writes into a device.
struct NoLogCase {
    const char* name;
    std::function<bool(const std::string& logPath)> make;
    bool holdReader;  // a reader keeps the FIFO open during the wake
};

const NoLogCase kNoLogs[] = {
    {"Directory", [](const std::string& p) { return fs::create_directories(p); }, false},
    {"FifoWithNoReader", [](const std::string& p) { return mkfifo(p.c_str(), 0600) == 0; }, false},
    {"FifoWithAReader", [](const std::string& p) { return mkfifo(p.c_str(), 0600) == 0; }, true},
};

class NoWakeLog : public WakeLogFault, public ::testing::WithParamInterface<NoLogCase> {};

TEST_P(NoWakeLog, LosesOnlyTheEntry) {
    const std::string logDir = dir.File("logdir");
    fs::create_directory(logDir);
    const std::string log = logDir + "/Dawnly.log";
    ASSERT_TRUE(GetParam().make(log));
    const int reader = GetParam().holdReader ? open(log.c_str(), O_RDONLY | O_NONBLOCK) : -1;
    CWakeLogScope scope(WakeLogTarget{logDir + "/", {}});
    CWakeSocket socket;
    EXPECT_EQ(WakeGroupWithReport(socket, group, "127.0.0.1"), WakeOutcome::Woken);
    EXPECT_EQ(receiver.Drain().size(), 2u);
    EXPECT_TRUE(messages.Messages().empty());
    if (reader >= 0) {
        char byte = 0;
        EXPECT_LE(read(reader, &byte, 1), 0) << "the entry went into the FIFO";
        close(reader);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, NoWakeLog, ::testing::ValuesIn(kNoLogs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WakeLogFault, FullDiskLeavesTheOldLogAsItWasAndStillWakes) {
    const std::string logDir = dir.File("full");
    fs::create_directory(logDir);
    // The old log ends 20 bytes before a page boundary: the new entry is cut there.
    const std::string old = std::string(4076 - 2, 'o') + "\r\n";
    const std::string groupPath = group;
    auto answer = InTinyFileSystem(logDir, 64, [&]() -> std::string {
        test::WriteFileBytes(logDir + "/Dawnly.log", old);
        FillUp(logDir);
        CWakeLogScope scope(WakeLogTarget{logDir + "/", {}});
        CWakeSocket socket;
        if (WakeGroupWithReport(socket, groupPath, "127.0.0.1") != WakeOutcome::Woken)
            return "not woken";
        const std::string log = test::ReadFileBytes(logDir + "/Dawnly.log");
        if (log != old) return "log is now " + std::to_string(log.size()) + " bytes";
        return "";
    });
    if (!answer) GTEST_SKIP() << "cannot mount a file system here";
    EXPECT_EQ(*answer, "");
    EXPECT_EQ(receiver.Drain().size(), 2u);
}

// ---- A disk that fills up while the alarms are saved again and again ----------------------

TEST(StoreOnFillingDisk, EveryFailedSaveSaysSoAndTheLastGoodStoreStays) {
    test::TempDir dir;
    const std::string storeDir = dir.File("store");
    fs::create_directory(storeDir);
    auto answer = InTinyFileSystem(storeDir, 16, [&]() -> std::string {
        test::MessageRecorder messages;
        CAlarmStore store(storeDir + "/");
        std::string lastGood;
        int failed = 0, saved = 0;
        // Each list one record larger, each record about 1 KB, until saves fail for good.
        AlarmList list;
        for (int n = 0; n < 40; ++n) {
            auto rec = std::make_shared<CAlarmSetting>();
            rec->SetGroupFile(std::string(1000, static_cast<char>('a' + n % 26)));
            list.push_back(rec);
            messages.Clear();
            if (store.SaveAlarms(list)) {
                ++saved;
                lastGood = EncodeAlarmStore(list);
                if (!messages.Messages().empty()) return "a message after a good save";
            } else {
                ++failed;
                if (messages.Texts() != std::vector<std::string>{kCannotCreateStore})
                    return "failed save " + std::to_string(n) + " without message 61448";
            }
            if (test::ReadFileBytes(storeDir + "/DwnGs") != lastGood)
                return "store damaged after save " + std::to_string(n);
            if (store.m_alarms.size() != list.size()) return "list not taken over";
        }
        if (saved < 3 || failed < 10) return "the disk never filled";
        // Nothing but the store is left behind.
        for (const auto& e : fs::directory_iterator(storeDir))
            if (e.path().filename() != "DwnGs") return "left behind: " + e.path().string();
        return "";
    });
    if (!answer) GTEST_SKIP() << "cannot mount a file system here";
    EXPECT_EQ(*answer, "");
}

// ---- The host list changes while a group wake reads it ------------------------------------

TEST(ChangingHostList, GroupWakeNeverCrashesAndTheEntrySaysWhatHappened) {
    test::TempDir dir;
    test::UdpReceiver receiver;
    test::MessageRecorder messages;
    ASSERT_TRUE(receiver.IsBound());
    const std::string path = dir.File("group.mp");
    std::string big;
    for (int i = 0; i < 4000; ++i)
        big += "198.51.100.1 02-00-5e-00-00-01\r\n";
    test::WriteFileBytes(path, big);

    std::atomic<bool> stop{false};
    // Removes, grows, truncates and replaces the file, over and over.
    std::thread vandal([&] {
        for (int i = 0; !stop; ++i) {
            switch (i % 4) {
                case 0:
                    fs::remove(path);
                    break;
                case 1:
                    test::WriteFileBytes(path, big.substr(0, big.size() / 2));
                    break;
                case 2: {
                    std::FILE* f = std::fopen(path.c_str(), "ab");
                    if (f) {
                        std::fwrite(big.data(), 1, big.size(), f);
                        std::fclose(f);
                    }
                    break;
                }
                case 3: {
                    test::WriteFileBytes(path + ".new", "198.51.100.2 02-00-5e-00-00-02\r\n");
                    std::error_code ec;
                    fs::rename(path + ".new", path, ec);
                    break;
                }
            }
        }
    });
    CWakeLogScope scope(WakeLogTarget{dir.Dir(), {}});
    int woken = 0, missing = 0;
    for (int round = 0; round < 300; ++round) {
        CWakeSocket socket;
        std::string report;
        const WakeOutcome outcome = WakeGroupWithReport(socket, path, "127.0.0.1", &report);
        if (outcome == WakeOutcome::Woken) {
            ++woken;
            // "woke N host(s)" names the path; N is what was read and sent.
            EXPECT_NE(report.find("\t唤醒 "), std::string::npos) << report;
            EXPECT_NE(report.find(" 于 " + path + "\n"), std::string::npos) << report;
        } else {
            ++missing;
            EXPECT_EQ(outcome, WakeOutcome::CannotOpenList);
            EXPECT_EQ(report, CannotOpen(path));
        }
        receiver.Drain(std::chrono::milliseconds(0));
    }
    stop = true;
    vandal.join();
    EXPECT_EQ(woken + missing, 300);
    EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace wb
