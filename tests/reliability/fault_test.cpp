// Faults from outside that the command-line transcripts (tests/data/cli/faults.t) cannot
// show: the memory a gigabyte costs, a disk that fills during repeated saves, and a host list
// that changes while a group wake reads it.
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
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "alarm/alarm_store.h"
#include "alarm/alarm_store_codec.h"
#include "alarm/wake_group.h"
#include "alarm/wake_log.h"
#include "hostlist/host_list_reader.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"
#include "support/udp_receiver.h"

namespace wb {
namespace {

namespace fs = std::filesystem;

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
    const std::function<bool()> makers[] = {
        [&] {
            fs::copy_file(WAKEBURST_TEST_DATA "/reliability/two_records.DwnGs", store);
            fs::resize_file(store, 1ull << 30);
            return true;
        },
        [&] { return symlink("/dev/zero", store.c_str()) == 0; },
        [&] { return mknod(store.c_str(), S_IFCHR | 0600, makedev(1, 5)) == 0; },  // root only
    };
    const long before = PeakKb();
    for (const auto& make : makers) {
        fs::remove(store);
        if (!make()) continue;
        CAlarmStore alarms(dir.Dir());
        EXPECT_EQ(alarms.LoadAlarmsWithResult(), CAlarmStore::LoadResult::Damaged);
        EXPECT_EQ(alarms.UpdateAlarms([](AlarmList&, const StoreBytes&) { return true; }),
                  CAlarmStore::UpdateResult::Damaged);
        EXPECT_LT(PeakKb() - before, 8 * 1024);
    }
    const std::string list = dir.Write("huge.mp", "198.51.100.7 pc7 02-00-5e-00-00-07\r\n");
    fs::resize_file(list, 1ull << 30);
    std::FILE* f = std::fopen(list.c_str(), "ab");
    ASSERT_NE(f, nullptr);
    std::fputs("\r\n198.51.100.8 pc8 02-00-5e-00-00-08\r\n", f);
    std::fclose(f);
    std::string report;
    std::vector<std::string> addresses;
    ASSERT_TRUE(ReadHostList(list, report, addresses));
    EXPECT_EQ(addresses, (std::vector<std::string>{"02-00-5e-00-00-07", "02-00-5e-00-00-08"}));
    EXPECT_LT(PeakKb() - before, 64 * 1024);
}

// Runs `fn` in a child with a private mount namespace and a tmpfs of `sizeKb` on `dir`. The
// child's answer: "" when all held, else what did not; nullopt when nothing can be mounted.
std::optional<std::string> InTinyFileSystem(const std::string& dir, int sizeKb,
                                            const std::function<std::string()>& fn) {
    int fds[2];
    if (pipe(fds) != 0) return std::string("pipe failed");
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        const std::string opts = "size=" + std::to_string(sizeKb) + "k";
        if (unshare(CLONE_NEWNS) != 0 ||
            mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", dir.c_str(), "tmpfs", 0, opts.c_str()) != 0)
            _exit(77);
        const std::string answer = fn();
        _exit(write(fds[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size())
                  ? 0
                  : 3);
    }
    close(fds[1]);
    std::string answer;
    char buf[512];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
        answer.append(buf, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return std::string("no child");
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "child ended badly (" + std::to_string(status) + "): " + answer;
    return answer;
}

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
            list.push_back(std::make_shared<CAlarmSetting>());
            list.back()->SetGroupFile(std::string(1000, static_cast<char>('a' + n % 26)));
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
    });
    if (!answer) GTEST_SKIP() << "cannot mount a file system here";
    EXPECT_EQ(*answer, "");
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
        receiver.Drain(std::chrono::milliseconds(0));
    }
    stop = true;
    vandal.join();
    EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace wb
