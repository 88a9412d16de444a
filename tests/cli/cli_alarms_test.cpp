#include <gtest/gtest.h>

#include <algorithm>

#include "alarm/alarm_store.h"
#include "support/alarm_test_util.h"
#include "platform/file_lock.h"
#include "support/process.h"
#include "support/udp_receiver.h"

namespace wb {
namespace {

const std::string kDamaged =
    "提醒设置被存储在文件 DwnGs 中.\n不管这个文件被损坏或是以前的版本所保存.\n请使用文本编辑器"
    "查看你是否能挽救一些信息. 无论如何, 你应该使用'启动一组主机(G)' 命令再次设置提醒.\n";

// The store of one alarm: D:\g.mp, Monday, 07:30, 255.255.255.255.
const std::string kExampleHex =
    "0100ffff01000d0043416c61726d53657474696e6707443a5c672e6d7004070000001e0000000f3235352e3235"
    "352e3235352e323535";
// The same as "alarms add" writes it: with the group file's absolute path, "{file}" in an
// expected store.
const std::string kAddedHex =
    "0100ffff01000d0043416c61726d53657474696e67{file}04070000001e0000000f3235352e3235352e323535"
    "2e323535";

// Each case runs in a fresh directory that holds a group file named "D:\g.mp" and, when
// asked, a store; "{dir}" in an argument stands for that directory.
struct AlarmsCase {
    const char* name;
    const char* store;  // a file of tests/data/alarm, "damaged", "sixteen" or "" for none
    std::vector<std::string> args;
    int exitCode;
    std::string err;
    std::string storeHex;  // what "DwnGs" must hold afterwards; "same" for unchanged
    std::string out = "";
};

class CliAlarms : public ::testing::TestWithParam<AlarmsCase> {};

std::string Sixteen() {
    std::string bytes = test::FromHex("1000 ffff 0100 0d00") + "CAlarmSetting";
    const std::string body = test::FromHex("01 78 04 07000000 1e000000 00");
    for (int i = 0; i < 16; ++i)
        bytes += (i ? test::FromHex("0180") : "") + body;
    return bytes;
}

// Spelled as calls, so that each case stays a short row.
std::vector<std::string> Args(std::vector<std::string> args) { return args; }

// "alarms add --file D:\g.mp" followed by the given options.
std::vector<std::string> Add(std::vector<std::string> options) {
    options.insert(options.begin(), {"alarms", "add", "--file", "D:\\g.mp"});
    return options;
}

TEST_P(CliAlarms, Table) {
    const AlarmsCase& c = GetParam();
    test::TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    dir.Write("D:\\g.mp", "198.51.100.10 02-00-5e-00-00-10\r\n");
    const std::string storePath = dir.File("DwnGs");
    const std::string store = c.store == std::string("damaged")   ? std::string("\x05\x00", 2)
                              : c.store == std::string("sixteen") ? Sixteen()
                              : *c.store ? test::ReadFileBytes(test::DataFile(c.store))
                                         : std::string();
    if (*c.store) dir.Write("DwnGs", store);

    std::vector<std::string> argv = {WAKEBURST_CLI};
    for (std::string a : c.args) {
        const auto p = a.find("{dir}");
        if (p != std::string::npos) a.replace(p, 5, dir.Path());
        argv.push_back(a);
    }
    auto r = test::RunProcess(argv, dir.Path());
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_EQ(r.out, c.out);
    std::string err = c.err;
    const auto at = err.find("{dir}");
    if (at != std::string::npos) err.replace(at, 5, dir.Path());
    EXPECT_EQ(r.err, err);
    if (c.storeHex == "same") {
        EXPECT_EQ(test::ReadFileBytes(storePath), store);
    } else {
        // The path the group file was added with, as the store's length-prefixed text.
        const std::string file = dir.File("D:\\g.mp");
        std::string hex = c.storeHex;
        const auto p = hex.find("{file}");
        if (p != std::string::npos)
            hex.replace(p, 6, test::ToHex(std::string(1, static_cast<char>(file.size())) + file));
        EXPECT_EQ(test::ToHex(test::ReadFileBytes(storePath)), hex);
    }
}

const std::string kAddUsage = "wakeburst alarms add: ";

INSTANTIATE_TEST_SUITE_P(
    Table, CliAlarms,
    ::testing::Values(
        AlarmsCase{"AddWritesTheExample", "", Add({"--days", "mon", "--time", "07:30"}), 0, "",
                   kAddedHex},
        AlarmsCase{"AddDirAnywhereDaysTo", "",
                   Args({"alarms", "--dir", "{dir}", "add", "--to", "198.51.100.255", "--time",
                         "23:05", "--file", "D:\\g.mp", "--days", "Sun,fri,sat"}),
                   0, "",
                   "0100ffff01000d0043416c61726d53657474696e67{file}c217000000050000000e3"
                   "139382e35312e3130302e323535"},
        AlarmsCase{"AddAllDaysLeadingZeroBroadcast", "",
                   Args({"alarms", "add", "--file=D:\\g.mp", "--days", "all", "--time", "0:00",
                         "--to", "010.0.0.001"}),
                   0, "",
                   "0100ffff01000d0043416c61726d53657474696e67{file}fe0000000000000000083"
                   "1302e302e302e31"},
        AlarmsCase{"AddAppends", "monday_0730.DwnGs", Add({"--days", "tue", "--time", "08:15"}), 0,
                   "",
                   "02" + kExampleHex.substr(2) +
                       "0180{file}08080000000f0000000f3235352e3235352e3235352e323535"},
        AlarmsCase{"AddMissingFile", "",
                   Args({"alarms", "add", "--file", "nope.mp", "--days", "mon", "--time", "07:30"}),
                   1, "文件 \nnope.mp\n未被发现.  请查实后重试.\n", ""},
        // The name comes back in every list and log line: one line each, and as it went in.
        AlarmsCase{
            "AddFileWithControlCharacters", "",
            Args({"alarms", "add", "--file", "g\n\x1b[2J.mp", "--days", "mon", "--time", "07:30"}),
            2,
            kAddUsage + "--file names a file with control characters: '{dir}/g\\x0A\\x1B[2J.mp'\n",
            ""},
        AlarmsCase{
            "AddFileNotUtf8", "",
            Args({"alarms", "add", "--file", "caf\xe9\x61.mp", "--days", "mon", "--time", "07:30"}),
            2,
            kAddUsage +
                "--file must be a UTF-8 name for the store to keep it: '{dir}/caf\\xE9a.mp'\n",
            ""},
        AlarmsCase{"AddSeventeenth", "sixteen", Add({"--days", "mon", "--time", "07:30"}), 1,
                   "组 16 允许的最大值.\n", "same"},
        AlarmsCase{"AddOverDamagedStore", "damaged", Add({"--days", "mon", "--time", "07:30"}), 1,
                   kDamaged, "same"},
        AlarmsCase{
            "AddBadDay", "", Add({"--days", "mon,funday", "--time", "07:30"}), 2,
            kAddUsage + "--days takes sun,mon,tue,wed,thu,fri,sat or all, not 'mon,funday'\n", ""},
        AlarmsCase{"AddBadTime", "", Add({"--days", "mon", "--time", "24:00"}), 2,
                   kAddUsage + "--time takes HH:MM from 00:00 to 23:59, not '24:00'\n", ""},
        AlarmsCase{
            "AddBadBroadcast", "", Add({"--days", "mon", "--time", "07:30", "--to", "198.51.100"}),
            2, kAddUsage + "--to takes four numbers 0..255 joined by points, not '198.51.100'\n",
            ""},
        AlarmsCase{"AddWithoutTime", "", Add({"--days", "mon"}), 2,
                   kAddUsage + "needs --file F --days LIST --time HH:MM\n", ""},
        AlarmsCase{"ListNoStore", "", Args({"alarms"}), 0, "", ""},
        AlarmsCase{"ListExample", "monday_0730.DwnGs", Args({"alarms", "list"}), 0, "", "same",
                   "1\t-M-----\t07:30\t255.255.255.255\tD:\\g.mp\n"},
        AlarmsCase{"ListEscapesControlCharacters", "control_chars.DwnGs", Args({"alarms", "list"}),
                   0, "", "same", "1\t-M-----\t07:30\t255.255.255.255\tD:\\a\\x0Ab\\x1B[2J.mp\n"},
        AlarmsCase{"RemoveOnly", "monday_0730.DwnGs", Args({"alarms", "remove", "1"}), 0, "",
                   "0000"},
        AlarmsCase{"RemoveOutOfRange", "monday_0730.DwnGs", Args({"alarms", "remove", "2"}), 2,
                   "wakeburst alarms remove: no alarm '2' (the list holds 1)\n", "same"},
        AlarmsCase{"UnknownSubcommand", "", Args({"alarms", "clear"}), 2,
                   "wakeburst alarms: expects list [--json], add --file F --days LIST --time "
                   "HH:MM [--to A.B.C.D], remove N, or next [--count N] [--from \"YYYY-MM-DD "
                   "HH:MM\"]\n",
                   ""},
        AlarmsCase{"TickBadTime", "", Args({"tick", "--at", "2026-02-30 07:30"}), 2,
                   "wakeburst tick: --at takes a local time \"YYYY-MM-DD HH:MM\", not '2026-02-30 "
                   "07:30'\n",
                   ""},
        AlarmsCase{"TickDamaged", "damaged", Args({"tick", "--at", "2026-12-07 07:30"}), 1,
                   kDamaged, "same"},
        AlarmsCase{"TickNoStore", "", Args({"tick", "--at", "2026-12-07 07:30"}), 0, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Many `alarms add` at once on one store: every one that succeeds is stored, past the limit
// each refused one says so and fails, and no one's alarm is lost to another's save.
struct ParallelCase {
    const char* name;
    int processes;
    int stored;
};

class ParallelAdds : public ::testing::TestWithParam<ParallelCase> {};

TEST_P(ParallelAdds, NoAddIsLostAndNoneSucceedsUnstored) {
    test::TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    dir.Write("g.mp", "198.51.100.10 02-00-5e-00-00-10\r\n");
    const std::string script = "W='" + std::string(WAKEBURST_CLI) + "'; D='" + dir.Path() +
                               "'\n"
                               "for i in $(seq 10 " +
                               std::to_string(9 + GetParam().processes) +
                               "); do\n"
                               "  (\"$W\" alarms add --dir \"$D\" --file \"$D/g.mp\" --days mon "
                               "--time 07:$i 2>\"$D/err$i\"; echo $? >\"$D/rc$i\") &\n"
                               "done\nwait\n";
    ASSERT_EQ(test::RunProcess({"bash", "-c", script}).exitCode, 0);
    auto list = test::RunProcess({WAKEBURST_CLI, "alarms", "list", "--dir", dir.Path()});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    int stored = 0;
    for (int i = 10; i < 10 + GetParam().processes; ++i) {
        const std::string n = std::to_string(i);
        const bool listed = list.out.find("\t07:" + n + "\t") != std::string::npos;
        const std::string rc = test::ReadFileBytes(dir.File("rc" + n));
        const std::string err = test::ReadFileBytes(dir.File("err" + n));
        if (rc == "0\n") {
            EXPECT_TRUE(listed) << "07:" << n << " reported stored but missing";
            EXPECT_EQ(err, "");
            ++stored;
        } else {
            EXPECT_FALSE(listed) << "07:" << n << " refused but stored";
            EXPECT_EQ(rc, "1\n");
            EXPECT_EQ(err, "组 16 允许的最大值.\n");
        }
    }
    EXPECT_EQ(stored, GetParam().stored);
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), GetParam().stored) << list.out;
}

INSTANTIATE_TEST_SUITE_P(Table, ParallelAdds,
                         ::testing::Values(ParallelCase{"TenAllStored", 10, 10},
                                           ParallelCase{"TwentyPastTheLimit", 20, 16}),
                         [](const auto& info) { return std::string(info.param.name); });

// A tick fires nothing while another program runs the store's alarms.
TEST(CliTick, RefusedWhileAnotherProgramRunsTheAlarms) {
    test::TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    CAlarmStore store(dir.Dir());
    platform::FileLock other;
    ASSERT_TRUE(other.Lock(store.SchedulerLockPath()));
    auto r =
        test::RunProcess({WAKEBURST_CLI, "tick", "--dir", dir.Path(), "--at", "2026-12-07 07:30"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "wakeburst tick: another program runs the alarms of " + dir.Dir() + "DwnGs\n");
    other.Unlock();
    EXPECT_EQ(test::RunProcess({WAKEBURST_CLI, "tick", "--dir", dir.Path()}).exitCode, 0);
}

// Wakes to 127.0.0.1 only; the receiver takes port 2304 for the test's run.
class CliWake : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.Path().empty());
        ASSERT_TRUE(receiver.IsBound()) << "127.0.0.1:2304 is taken";
    }
    test::ProcessResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), WAKEBURST_CLI);
        return test::RunProcess(args, dir.Path());
    }
    test::TempDir dir;
    test::UdpReceiver receiver;
};

TEST_F(CliWake, WakesTheGroupAndLogsIt) {
    const std::string list = test::DataFile("three_hosts.mp");
    auto r = Run({"wake", list, "--to", "127.0.0.1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "\t错误 文件:" + list +
                         "\n\t行 5: 请检查IP地址和以太网[MAC]地址.\n\t唤醒 3 hosts 于 " + list +
                         "\n");
    EXPECT_EQ(r.err, "");
    const std::uint8_t mac[6] = {0x02, 0x00, 0x5e, 0x00, 0x00, 0x11};
    auto frames = receiver.Drain();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1], test::ExpectedFrame(mac));
    const std::string log = test::ReadFileBytes(dir.File("Dawnly.log"));
    EXPECT_NE(log.find("\r\n\t\xbb\xbd\xd0\xd1 3 hosts \xd3\xda " + list + "\r\n"),
              std::string::npos);
    // Quiet: the count is left out, the list's bad line is still told.
    auto quiet = Run({"wake", "-q", list, "--to", "127.0.0.1", "--repeat", "2", "--interval", "0"});
    EXPECT_EQ(quiet.exitCode, 0) << quiet.err;
    EXPECT_EQ(quiet.out, "");
    EXPECT_EQ(quiet.err, "\t错误 文件:" + list + "\n\t行 5: 请检查IP地址和以太网[MAC]地址.\n");
    EXPECT_EQ(receiver.Drain().size(), 6u);
}

TEST_F(CliWake, FailuresExitOneAndAreLoggedToo) {
    auto gone = Run({"wake", "gone.mp", "--dir", dir.Path(), "--to", "127.0.0.1"});
    EXPECT_EQ(gone.exitCode, 1);
    EXPECT_EQ(gone.out, "");
    EXPECT_EQ(gone.err, "\t无法以只读方式打开 gone.mp .\n");
    auto bad = Run({"wake", test::DataFile("one_host.mp"), "--to", "no-such-host.invalid"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err.rfind("\t错误: no-such-host.invalid是一个非法的IP 广播地址.\n", 0), 0u);
    EXPECT_TRUE(receiver.Drain().empty());
    const std::string log = test::ReadFileBytes(dir.File("Dawnly.log"));
    EXPECT_NE(log.find("gone.mp .\r\n"), std::string::npos);
    EXPECT_NE(log.find("one_host.mp\r\r\n"), std::string::npos);
    EXPECT_EQ(Run({"wake"}).exitCode, 2);
}

// The store refuses a name that is not UTF-8; a wake opens it by its very bytes and shows
// the stray byte escaped.
TEST_F(CliWake, NameThatIsNotUtf8IsWokenAsGiven) {
    const std::string name = "caf\xe9\x61.mp";
    dir.Write(name, "198.51.100.10 02-00-5e-00-00-10\r\n");
    auto r = Run({"wake", name, "--to", "127.0.0.1"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "\t唤醒 1 host 于 caf\\xE9a.mp\n");
    EXPECT_EQ(receiver.Drain().size(), 1u);
}

TEST_F(CliWake, TickWakesTheAlarmsDueAtThatMinute) {
    const std::string list = test::DataFile("two_hosts.mp");
    for (const char* day : {"mon", "tue"}) {
        ASSERT_EQ(Run({"alarms", "add", "--file", list, "--days", day, "--time", "07:30", "--to",
                       "127.0.0.1"})
                      .exitCode,
                  0);
    }
    auto monday = Run({"tick", "--at", "2026-12-07 07:30"});
    EXPECT_EQ(monday.exitCode, 0) << monday.err;
    EXPECT_EQ(monday.out, "\t唤醒 2 hosts 于 " + list + "\n");
    EXPECT_EQ(receiver.Drain().size(), 2u);
    EXPECT_EQ(
        test::ReadFileBytes(dir.File("Dawnly.log")),
        "Monday, December 07, 2026 07:30\r\n\t\xbb\xbd\xd0\xd1 2 hosts \xd3\xda " + list + "\r\n");
    auto tuesday = Run({"tick", "--quiet", "--at", "2026-12-08 07:30"});
    EXPECT_EQ(tuesday.exitCode, 0) << tuesday.err;
    EXPECT_EQ(tuesday.out + tuesday.err, "");
    EXPECT_EQ(receiver.Drain().size(), 2u);
}

TEST_F(CliWake, RunAlarmsReloadsTheStoreAndStopsOnSignal) {
    const std::string script = "W='" + std::string(WAKEBURST_CLI) + "'; D='" + dir.Path() + "'\n" +
                               "\"$W\" run-alarms --dir \"$D\" 2>\"$D/err\" & pid=$!\n"
                               "sleep 0.5\n"
                               "\"$W\" alarms add --dir \"$D\" --file '" +
                               test::DataFile("one_host.mp") +
                               "' --days mon --time 07:30 || exit 3\n"
                               "sleep 0.8\n"
                               "kill -TERM $pid\nwait $pid\n";
    auto r = test::RunProcess({"bash", "-c", script});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test::ReadFileBytes(dir.File("err")),
              "wakeburst run-alarms: 0 alarm(s) from " + dir.Path() + "/DwnGs\n" +
                  "wakeburst run-alarms: 1 alarm(s) from " + dir.Path() + "/DwnGs\n");
}

// ---- Whole run-alarms processes on a moved clock ------------------------------------------
// Each run-alarms runs under libfaketime, its wall clock offset by the seconds in the file
// "clock" (read again at every call): the script moves that clock while the process runs.
// Steady time stays real. Alarms wake one_host.mp at 127.0.0.1.
class RunAlarmsClock : public CliWake {
protected:
    // A bash script's start: $W, $D, the helper `at` that sets every run-alarms' clock to
    // a local time of Monday 2026-12-07, and `until_in FILE TEXT` that waits for TEXT.
    // The scripts start run-alarms a minute early and move its clock once it runs, since
    // the minute a scheduler starts in is not looked at, however slowly it starts.
    std::string Prelude(const std::vector<std::string>& times) {
        std::string s =
            "set -u\nW='" + std::string(WAKEBURST_CLI) + "'; D='" + dir.Path() +
            "'\n"
            "export FAKETIME_TIMESTAMP_FILE=\"$D/clock\" FAKETIME_NO_CACHE=1 "
            "FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1\n"
            // An instrumented build wants its own runtime first; the preloaded clock comes before.
            "export ASAN_OPTIONS=\"${ASAN_OPTIONS:-}:verify_asan_link_order=0\"\n"
            "run() { LD_PRELOAD='" WAKEBURST_FAKETIME
            "' exec \"$W\" run-alarms --dir \"$D\" \"$@\" >/dev/null; }\n"
            "trap 'kill $(jobs -p) 2>/dev/null' EXIT\n"
            "at() { printf %+d $(( $(date -d \"2026-12-07 $1\" +%s) - $(date +%s) )) "
            ">\"$D/clock\"; }\n"
            "until_in() { for i in $(seq 150); do grep -q \"$2\" \"$1\" 2>/dev/null "
            "&& return; sleep 0.2; done; echo \"no '$2' in $1\" >&2; exit 5; }\n";
        for (const std::string& t : times)
            s += "\"$W\" alarms add --dir \"$D\" --file '" + test::DataFile("one_host.mp") +
                 "' --days mon --time " + t + " --to 127.0.0.1 || exit 3\n";
        return s;
    }
    // The log's entries, each as its date line's "HH:MM".
    std::vector<std::string> LoggedMinutes() {
        const std::string log = test::ReadFileBytes(dir.File("Dawnly.log"));
        std::vector<std::string> minutes;
        const std::string date = "December 07, 2026 ";
        for (auto p = log.find(date); p != std::string::npos; p = log.find(date, p + 1))
            minutes.push_back(log.substr(p + date.size(), 5));
        return minutes;
    }
};

TEST_F(RunAlarmsClock, ClockSetBackAnHourFiresAtTheNewMinutes) {
    const std::string script = Prelude({"07:30", "06:31"}) +
                               "at 07:28:50\n"
                               "run 2>\"$D/err\" & pid=$!\n"
                               "until_in \"$D/err\" 'alarm(s)'\n"
                               "at 07:29:58\n"
                               "until_in \"$D/Dawnly.log\" ' 07:30'\n"
                               "at 06:30:58\n"
                               "until_in \"$D/Dawnly.log\" ' 06:31'\n"
                               "kill -TERM $pid; wait $pid\n";
    auto r = test::RunProcess({"bash", "-c", script});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(LoggedMinutes(), (std::vector<std::string>{"07:30", "06:31"}));
    EXPECT_EQ(receiver.Drain().size(), 2u);
}

TEST_F(RunAlarmsClock, TwoSchedulersWakeOnceAndTheOtherTakesOver) {
    const std::string script = Prelude({"07:30", "07:31"}) +
                               "at 07:28:50\n"
                               "run 2>\"$D/errA\" & a=$!\n"
                               "until_in \"$D/errA\" 'alarm(s)'\n"
                               "run 2>\"$D/errB\" & b=$!\n"
                               "until_in \"$D/errB\" 'another program'\n"
                               "at 07:29:57\n"
                               "until_in \"$D/Dawnly.log\" ' 07:30'\n"
                               "sleep 2\n"
                               "kill -TERM $a; wait $a\n"
                               "until_in \"$D/errB\" 'taking over'\n"
                               "at 07:30:58\n"
                               "until_in \"$D/Dawnly.log\" ' 07:31'\n"
                               "sleep 1\n"
                               "kill -TERM $b; wait $b\n";
    auto r = test::RunProcess({"bash", "-c", script});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(LoggedMinutes(), (std::vector<std::string>{"07:30", "07:31"}));
    EXPECT_EQ(receiver.Drain().size(), 2u);
    const std::string store = dir.Path() + "/DwnGs";
    EXPECT_EQ(test::ReadFileBytes(dir.File("errB")),
              "wakeburst run-alarms: 2 alarm(s) from " + store +
                  "\nwakeburst run-alarms: another program runs the alarms of " + store +
                  "; waiting to take over\nwakeburst run-alarms: taking over the alarms of " +
                  store + "\n");
}

}  // namespace
}  // namespace wb
