// Faults from outside that the command-line transcripts (tests/data/cli/faults.t) cannot
// show: the memory a gigabyte costs, a disk that fills during repeated saves, a host list that
// changes while a group wake reads it, saves killed half way, and weeks of the scheduler around
// daylight saving.
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "alarm/alarm_scheduler.h"
#include "alarm/alarm_store.h"
#include "alarm/alarm_store_codec.h"
#include "alarm/wake_group.h"
#include "alarm/wake_log.h"
#include "hostlist/host_list_creation.h"
#include "hostlist/host_list_reader.h"
#include "platform/atomic_file.h"
#include "support/alarm_fixture.h"
#include "support/alarm_test_util.h"
#include "support/message_recorder.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "support/udp_receiver.h"

namespace wb {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

long PeakKb() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
}

// A store's name taken by a sparse gigabyte (a good store at its start), a link to an endless
// device or a device node is refused by a load and a change without being read; a sparse
// gigabyte host list is read in bounded pieces.
TEST(SparseGigabyteAndDevices, CostNoMemory) {
    test::TempDir dir;
    test::MessageRecorder messages;
    const std::string store = dir.File("DwnGs");
    const long before = PeakKb();
    for (const char* make : {"cp '" WAKEBURST_TEST_DATA "/reliability/two_records.DwnGs' DwnGs && "
                             "truncate -s 1G DwnGs",
                             "ln -s /dev/zero DwnGs", "mknod DwnGs c 1 5" /* root only */}) {
        fs::remove(store);
        if (!test::Shell("cd '" + dir.Path() + "' && " + make + " 2>/dev/null")) {
            ASSERT_EQ(std::string(make).rfind("mknod", 0), 0u) << make;
            continue;
        }
        CAlarmStore alarms(dir.Dir());
        EXPECT_EQ(alarms.LoadAlarmsWithResult(), CAlarmStore::LoadResult::Damaged) << make;
        EXPECT_EQ(
            alarms.UpdateAlarms([](AlarmList&, const StoreBytes&) { return AlarmOutcome{}; }).code,
            AlarmOutcome::Code::Damaged);
        EXPECT_LT(PeakKb() - before, 8 * 1024);
    }
    const std::string list = dir.File("huge.mp");
    ASSERT_TRUE(test::Shell("cd '" + dir.Path() +
                            "' && printf '198.51.100.7 pc7 02-00-5e-00-00-07\\r\\n' >huge.mp && "
                            "truncate -s 1G huge.mp && "
                            "printf '\\r\\n198.51.100.8 pc8 02-00-5e-00-00-08\\r\\n' >>huge.mp"));
    std::string report;
    std::vector<std::string> addresses;
    ASSERT_TRUE(ReadHostList(list, report, addresses));
    EXPECT_EQ(addresses, (std::vector<std::string>{"02-00-5e-00-00-07", "02-00-5e-00-00-08"}));
    EXPECT_EQ(report, "");  // a gigabyte of NUL bytes is no flood of bad lines
    EXPECT_LT(PeakKb() - before, 64 * 1024);

    // Two million unusable lines: the group wake reports the first of them and counts the
    // rest in one line, in its report and in the log, rather than hold them all.
    const std::string bad = dir.File("bad.mp");
    ASSERT_TRUE(test::Shell("yes '198.51.100.9 pc9' | head -n 2000000 >'" + bad + "'"));
    CWakeLogScope scope(WakeLogTarget{dir.Dir(), {}});
    CWakeSocket socket;
    ASSERT_EQ(WakeGroupWithReport(socket, bad, "127.0.0.1", &report), WakeOutcome::Woken);
    std::size_t told = 0;
    for (auto at = report.find("\n\t行 "); at != std::string::npos;
         at = report.find("\n\t行 ", at + 1))
        ++told;
    const auto more = report.find("\n\t另有 ");
    ASSERT_NE(more, std::string::npos) << report.substr(0, 200);
    EXPECT_EQ(told + std::stoul(report.substr(more + 9)), 2000000u);
    EXPECT_EQ(report.substr(report.size() - bad.size() - 20), "\t唤醒 0 host 于 " + bad + "\n");
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer keeps freed blocks in quarantine (256 MB) to catch late uses, so the
    // churn of two million lines says nothing about what the program holds there.
    EXPECT_LT(PeakKb() - before, 64 * 1024);
#endif
}

// Saves of a list one record of about 1 KB larger each time on a 16 KiB file system, until
// they fail for good: in a child with a mount namespace of its own, which writes what did not
// hold to `answer` beside the mount ("" when all held).
TEST(StoreOnFillingDisk, EveryFailedSaveSaysSoAndTheLastGoodStoreStays) {
    test::TempDir dir;
    const std::string storeDir = dir.File("store"), answer = dir.File("answer");
    fs::create_directory(storeDir);
    const auto fill = [&]() -> std::string {
        test::MessageRecorder messages;
        CAlarmStore store(storeDir + "/");
        std::string lastGood;
        int failed = 0, saved = 0;
        AlarmList list;
        for (int n = 0; n < 40; ++n) {
            list.push_back(test::Alarm(std::string(1000, static_cast<char>('a' + n % 26)), 0));
            messages.Clear();
            const bool ok = store.SaveAlarms(list);
            (ok ? saved : failed) += 1;
            if (ok) lastGood = EncodeAlarmStore(list);
            if (messages.Texts() !=
                (ok ? std::vector<std::string>{}
                    : std::vector<std::string>{"无法创建文件 DwnGs\n提醒设置未被保存."}))
                return "save " + std::to_string(n) + " told the wrong messages";
            if (test::ReadFileBytes(storeDir + "/DwnGs") != lastGood)
                return "store damaged after save " + std::to_string(n);
            if (store.m_alarms.size() != list.size()) return "list not taken over";
        }
        if (saved < 3 || failed < 10) return "the disk never filled";
        for (const auto& e : fs::directory_iterator(storeDir))
            if (e.path().filename() != "DwnGs") return "left behind: " + e.path().string();
        return "";
    };
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", storeDir.c_str(), "tmpfs", 0, "size=16k") != 0)
            _exit(77);
        test::WriteFileBytes(answer, fill());
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot mount here";
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(test::ReadFileBytes(answer), "");
    EXPECT_TRUE(fs::exists(answer));
}

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
    // Removes, truncates, grows and replaces the file, over and over.
    std::thread vandal([&] {
        for (int i = 0; !stop; ++i) {
            std::error_code ec;
            if (i % 4 == 0) fs::remove(path, ec);
            if (i % 4 == 1) test::WriteFileBytes(path, big.substr(0, big.size() / 2));
            if (i % 4 == 2) std::ofstream(path, std::ios::app | std::ios::binary) << big;
            if (i % 4 == 3) {
                test::WriteFileBytes(path + ".new", "198.51.100.2 02-00-5e-00-00-02\r\n");
                fs::rename(path + ".new", path, ec);
            }
        }
    });
    CWakeLogScope scope(WakeLogTarget{dir.Dir(), {}});
    for (int round = 0; round < 300; ++round) {
        CWakeSocket socket;
        std::string report;
        const WakeOutcome outcome = WakeGroupWithReport(socket, path, "127.0.0.1", &report);
        if (outcome == WakeOutcome::Woken) {
            // "woke N host(s)" names the path; N is what was read and sent.
            EXPECT_NE(report.find("\t唤醒 "), std::string::npos) << report;
            EXPECT_NE(report.find(" 于 " + path + "\n"), std::string::npos) << report;
        } else {
            EXPECT_EQ(outcome, WakeOutcome::CannotOpenList);
            EXPECT_EQ(report, "\t无法以只读方式打开 " + path + " .\n");
        }
        receiver.Drain(milliseconds(0));
    }
    stop = true;
    vandal.join();
    EXPECT_TRUE(messages.Messages().empty());
}

// A process killed with SIGKILL at random points while it saves over and over, 200 times for
// each saver: afterwards the file must be one of the two versions it was saving, whole, never
// a mix or a stub. The child saves through the real functions (the alarm store, the host-list
// creation routine; the editor's save goes through the same atomic replacement). Version 1 of
// each file is larger than a disk block, so that a half-written one would show.
struct Saver {
    const char *name, *file;
    std::function<bool(const std::string& dir, int version)> save;
};

const Saver kSavers[] = {
    {"AlarmStore", "DwnGs",
     [](const std::string& dir, int v) {
         AlarmList list;
         for (int i = 0; i < (v == 0 ? 3 : 16); ++i)
             list.push_back(test::Alarm(
                 "/srv/wake/组" + std::to_string(i) + std::string(v == 0 ? 10 : 250, 'g'), 0,
                 v == 0 ? 1 : 59, static_cast<std::uint8_t>(2 << (i % 7))));
         return CAlarmStore(dir + "/").SaveAlarms(list);
     }},
    {"HostListCreation", "group.mp",
     [](const std::string& dir, int v) {
         std::string listing = "Interface: 198.51.100.20 --- 0x2\r\n";
         for (int i = 0; i < (v == 0 ? 4 : 300); ++i) {
             char line[64];
             std::snprintf(line, sizeof line,
                           "  198.51.100.%d    02-00-5e-00-%02x-%02x  dynamic\r\n", i % 250 + 1, v,
                           i % 256);
             listing += line;
         }
         CreateListOptions options;
         options.listingPath = dir + "/temp.mp";
         options.lookup = [](const std::string& ip) { return "pc-" + ip; };
         return platform::WriteFileAtomically(options.listingPath, listing) &&
                CreateHostListFile(dir + "/group.mp", options);
     }},
};

void PrintTo(const Saver& s, std::ostream* os) { *os << s.name; }

class KilledWhileSaving : public ::testing::TestWithParam<Saver> {};

TEST_P(KilledWhileSaving, FileIsAlwaysTheOldOrTheNewVersion) {
    const Saver& saver = GetParam();
    test::TempDir dir;
    test::MessageRecorder messages;
    // Each version as a save that nobody killed leaves it; and how long one save takes here,
    // so that kills land all over it.
    std::string versions[2];
    const auto version = [&] {
        const std::string bytes = test::ReadFileBytes(dir.File(saver.file));
        return bytes == versions[0] ? 0 : bytes == versions[1] ? 1 : -1;
    };
    const auto t0 = steady_clock::now();
    for (int n = 0; n < 20; ++n) {
        ASSERT_TRUE(saver.save(dir.Path(), n % 2));
        versions[n % 2] = test::ReadFileBytes(dir.File(saver.file));
    }
    const auto window =
        duration_cast<microseconds>((steady_clock::now() - t0) / 10) + microseconds(200);
    ASSERT_GT(versions[1].size(), 4096u);
    std::mt19937 rng(7);
    std::uniform_int_distribution<long> delay(0, window.count());
    int last = 1, changes = 0;
    // 200 kills, and more while fewer than 11 of them changed the file: under the sanitizers
    // a save is slow against a fork and only about one kill in ten lands after a rename.
    for (int kill = 0; kill < 200 || (changes <= 10 && kill < 2000); ++kill) {
        const int start = static_cast<int>(rng() % 2);
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // A tick when it runs and after each save: the kill is timed from a save's start
            // whatever it costs to start a process here.
            // A save that fails ends the child at once: the parent sees its exit, not a kill.
            for (int n = start; write(ready[1], "", 1) == 1; ++n)
                if (!saver.save(dir.Path(), n % 2)) _exit(3);
            _exit(3);
        }
        close(ready[1]);
        // Started, then zero to two saves done: the kill falls into the next one or later.
        char tick = 0;
        for (int i = 1 + static_cast<int>(rng() % 3); i > 0; --i)
            ASSERT_EQ(read(ready[0], &tick, 1), 1) << "a save failed after kill " << kill;
        std::this_thread::sleep_for(microseconds(delay(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        close(ready[0]);  // only now: a closed pipe would end the child at its next save
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "a save failed after kill " << kill;
        const int v = version();
        ASSERT_NE(v, -1) << "damaged after kill " << kill;
        changes += v != last;
        last = v;
    }
    // The kills did land while saves went on.
    EXPECT_GT(changes, 10);
    EXPECT_TRUE(messages.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, KilledWhileSaving, ::testing::ValuesIn(kSavers),
                         [](const auto& info) { return std::string(info.param.name); });

// Weeks of the minute scheduler around both changes of daylight saving in New York in 2026:
// ticks a little after each minute boundary with up to 5 s of jitter either way, now and then
// up to 3 minutes late. Every alarm fires exactly once on every wall-clock minute it is due:
// the hour skipped on March 8 has no due minutes, the hour repeated on November 1 fires once,
// when the clocks pass it the first time.
std::int64_t MinuteOf(TimePoint t) { return duration_cast<minutes>(t.time_since_epoch()).count(); }

std::tm LocalOfMinute(std::int64_t minute) {
    const std::time_t t = static_cast<std::time_t>(minute * 60);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

// Days (bit 1 Sunday .. bit 7 Saturday), hour, minute: among them the hours daylight saving
// skips and repeats (both changes fall on a Sunday).
constexpr int kAlarms[16][3] = {{0x02, 2, 30},  {0x02, 1, 30},  {0xFE, 2, 0},  {0xFE, 1, 59},
                                {0xFE, 0, 0},   {0xFE, 23, 59}, {0x44, 7, 30}, {0x08, 12, 0},
                                {0x90, 18, 45}, {0x20, 6, 15},  {0x82, 9, 0},  {0x40, 22, 10},
                                {0x80, 3, 0},   {0x14, 1, 0},   {0x02, 3, 0},  {0xFE, 2, 59}};

TEST(SchedulerAroundDaylightSaving, EveryDueMinuteFiresOnceThroughJitterAndLateTicks) {
    setenv("TZ", "America/New_York", 1);
    tzset();
    // The zone must really change its clocks on these days, or the test proves nothing.
    using test::LocalMoment;
    ASSERT_EQ(MinuteOf(LocalMoment(2026, 3, 8, 4, 0)) - MinuteOf(LocalMoment(2026, 3, 8, 1, 0)),
              120);
    ASSERT_EQ(MinuteOf(LocalMoment(2026, 11, 1, 3, 0)) - MinuteOf(LocalMoment(2026, 11, 1, 0, 0)),
              240);
    test::TempDir dir;
    test::MessageRecorder messages;
    CAlarmStore store(dir.Dir());
    const std::string group = dir.Write("group.mp", "# nobody\r\n");  // logged, none sent
    for (const auto& a : kAlarms)
        store.m_alarms.push_back(test::Alarm(group, a[1], a[2], static_cast<std::uint8_t>(a[0])));
    std::multiset<std::pair<std::size_t, std::int64_t>> fired, expected;  // (alarm, UTC minute)
    std::mt19937 rng{20260308};
    int lateTicks = 0;
    for (const auto& [from, to] :
         {std::pair{LocalMoment(2026, 3, 1, 0, 0), LocalMoment(2026, 3, 16, 0, 0)},
          std::pair{LocalMoment(2026, 10, 25, 0, 0), LocalMoment(2026, 11, 9, 0, 0)}}) {
        TimePoint now = from + milliseconds(250);
        CAlarmScheduler scheduler(store, [&now] { return now; });
        scheduler.SetWakeObserver(
            [&](const CAlarmSetting& alarm, WakeOutcome outcome, const std::string&) {
                EXPECT_EQ(outcome, WakeOutcome::Woken);
                std::size_t index = 0;
                while (store.m_alarms[index].get() != &alarm)
                    ++index;
                // The due minute: the latest one within the catch-up window with the alarm's time.
                for (std::int64_t m = MinuteOf(now);
                     m >= MinuteOf(now) - CAlarmScheduler::kMaxCatchUpMinutes; --m) {
                    const std::tm tm = LocalOfMinute(m);
                    if (tm.tm_hour == alarm.m_nHour && tm.tm_min == alarm.m_nMinute)
                        return void(fired.emplace(index, m));
                }
                ADD_FAILURE() << "alarm " << index << " fired off its minute";
            });
        std::uniform_int_distribution<int> jitter(-5000, 5000), late(1, 180000), oneIn(1, 200);
        scheduler.Start(now);
        while (now < to) {
            milliseconds delay =
                CAlarmScheduler::DelayUntilNextMinute(now) + milliseconds(jitter(rng));
            if (oneIn(rng) == 1) delay += milliseconds(late(rng)), ++lateTicks;
            now += std::max(delay, milliseconds(1));  // a timer never fires before it was set
            scheduler.Tick(now);
        }
        // Each alarm on the first UTC minute of each local wall-clock minute that matches it:
        // minutes the clock skipped never come, minutes it repeated count once.
        std::set<std::tuple<int, int, int, int>> wallSeen;
        for (std::int64_t m = MinuteOf(from) + 1; m <= MinuteOf(now); ++m) {
            const std::tm tm = LocalOfMinute(m);
            if (!wallSeen.emplace(tm.tm_yday, tm.tm_year, tm.tm_hour, tm.tm_min).second) continue;
            for (std::size_t i = 0; i < 16; ++i)
                if ((kAlarms[i][0] & (2 << tm.tm_wday)) && kAlarms[i][1] == tm.tm_hour &&
                    kAlarms[i][2] == tm.tm_min)
                    expected.emplace(i, m);
        }
    }
    ASSERT_GT(lateTicks, 100);
    // The repeated hour fires in its first pass, daylight time: the first UTC minute expected.
    EXPECT_EQ(fired, expected);
    // Fifteen days from two Sundays: two weeks and a Sunday of five every-day alarms and eleven
    // weekly ones (15 firings a week, 4 on a Sunday), less the two every-day 02:xx and the
    // Sunday 02:30 alarm on March 8. 00:00 where a run starts is not due, where it ends is.
    EXPECT_EQ(expected.size(), 2u * (15 * 5 + 2 * 15 + 4) - 3);
    EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace wb
