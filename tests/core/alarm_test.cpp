#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include "alarm/alarm_scheduler.h"
#include "alarm/alarm_store.h"
#include "alarm/alarm_store_codec.h"
#include "alarm/start_dir.h"
#include "platform/file_lock.h"
#include "support/alarm_fixture.h"
#include "support/alarm_test_util.h"
#include "support/case_file.h"
#include "support/message_recorder.h"

// Days, minutes, dates, the store's bytes as written and its refusals through the command
// line: tests/data/cli/core_tick.t and alarms*.t.
namespace wb {
namespace {

using namespace std::chrono;
using test::CaseRow;
using test::FromHex;

// Hex with H the class header, M a record body and R the reference to the class.
std::string Store(const std::string& hex) {
    return FromHex(test::ReplaceAll(
        test::ReplaceAll(test::ReplaceAll(hex, "H", "ffff01000d0043416c61726d53657474696e67"), "M",
                         "07443a5c672e6d7004070000001e0000000f3235352e3235352e3235352e323535"),
        "R", "0180"));
}

class Codec : public ::testing::TestWithParam<CaseRow> {};

TEST_P(Codec, Row) {
    const CaseRow& row = GetParam();
    AlarmList out = {std::make_shared<CAlarmSetting>()};  // a refused store must leave nothing
    if (row[0] == "decode") {
        EXPECT_EQ(DecodeAlarmStore(Store(row[4]), out), row[2] == "1");
        ASSERT_EQ(out.size(), std::stoul(row[3]));
        for (std::size_t i = 0; i < out.size(); ++i) {
            ASSERT_TRUE(out[i]);
            if (i) {
                EXPECT_NE(out[i - 1], out[i]);
            }
        }
        return;
    }
    auto rec = std::make_shared<CAlarmSetting>();
    rec->SetGroupFile(row[2]);
    const std::string bytes = EncodeAlarmStore({rec}), want = FromHex(row[3]);
    // After the count (2 bytes) and the class header (19 bytes).
    ASSERT_GE(bytes.size(), 21 + want.size());
    EXPECT_EQ(test::ToHex(bytes.substr(21, want.size())), test::ToHex(want));
    if (bytes.size() > 21 + want.size()) {
        EXPECT_EQ(bytes.compare(21 + want.size(), row[2].size(), row[2]), 0);
    }
    ASSERT_TRUE(DecodeAlarmStore(bytes, out));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(out[0]->m_strGroupFile == row[2]);
}

INSTANTIATE_TEST_SUITE_P(Rows, Codec, ::testing::ValuesIn(test::ReadCases("alarm/codec.cases")),
                         [](const auto& info) { return info.param[1]; });

using test::Alarm;

class StoreFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.Path().empty());
        store.m_strStartDir = dir.Dir();
    }
    test::TempDir dir;
    test::MessageRecorder messages;
    CAlarmStore store;
};

TEST_F(StoreFiles, SavesCopiesThatLoadBackInOrder) {
    store.m_alarms = {Alarm("old.mp", 3)};
    EXPECT_FALSE(store.LoadAlarms());  // no store yet: the list stays
    ASSERT_EQ(store.m_alarms.size(), 1u);
    std::weak_ptr<CAlarmSetting> old = store.m_alarms[0];
    AlarmPtr heldByTick = store.m_alarms[0];
    AlarmList list = {Alarm("a.mp", 1), Alarm("主机组.mp", 2), Alarm("a.mp", 1)};
    ASSERT_TRUE(store.SaveAlarms(list));
    CAlarmStore again(dir.Dir());
    ASSERT_TRUE(again.LoadAlarms());
    ASSERT_EQ(again.m_alarms.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(*again.m_alarms[i], *list[i]);
        EXPECT_NE(store.m_alarms[i], list[i]);
    }
    EXPECT_NE(again.m_alarms[0], again.m_alarms[2]);
    list[0]->SetHour(9);
    EXPECT_EQ(store.m_alarms[0]->m_nHour, 1);
    // A record still in use elsewhere survives the replacement; nothing else keeps it.
    EXPECT_EQ(heldByTick->m_strGroupFile, "old.mp");
    heldByTick.reset();
    EXPECT_TRUE(old.expired());
    EXPECT_TRUE(messages.Messages().empty());
}

// A damaged store (a later schema) empties the list and stays on disk as it was; a store that
// cannot be created keeps the new list in memory. Each says so in one message.
TEST_F(StoreFiles, DamagedOrUnwritableStoreIsOneMessageAndLosesNothing) {
    const std::string bytes = Store("0100 ffff02000d0043416c61726d53657474696e67 M");
    test::WriteFileBytes(store.StorePath(), bytes);
    store.m_alarms = {Alarm("before.mp", 1)};
    EXPECT_EQ(store.LoadAlarmsWithResult(), CAlarmStore::LoadResult::Damaged);
    EXPECT_TRUE(store.m_alarms.empty());
    EXPECT_EQ(test::ReadFileBytes(store.StorePath()), bytes);
    store.m_strStartDir = dir.File("no-such-dir") + "/";
    EXPECT_FALSE(store.SaveAlarms({Alarm("new.mp", 4)}));
    ASSERT_EQ(store.m_alarms.size(), 1u);
    EXPECT_EQ(store.m_alarms[0]->m_strGroupFile, "new.mp");
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[0].icon, MsgIcon::None);
    EXPECT_EQ(messages.Messages()[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages.Messages()[1].caption, "Wakeburst Utility");
    EXPECT_EQ(messages.Messages()[1].text, "无法创建文件 DwnGs\n提醒设置未被保存.");
}

// Another program saved two alarms after this one loaded its list: a change starts from the
// store on disk, never from the stale list, and a declined change writes nothing.
TEST_F(StoreFiles, UpdateChangesTheStoreOnDiskNotTheListInMemory) {
    store.m_alarms = {Alarm("stale.mp", 1)};
    ASSERT_TRUE(CAlarmStore(dir.Dir()).SaveAlarms({Alarm("a.mp", 2), Alarm("b.mp", 3)}));
    const std::string onDisk = test::ReadFileBytes(store.StorePath());
    const auto change = [&](bool write) {
        return store
            .UpdateAlarms([&](AlarmList& list, const StoreBytes& bytes) {
                EXPECT_EQ(bytes, onDisk);
                list.push_back(Alarm("c.mp", 4));
                return write ? AlarmOutcome{} : AlarmOutcome{AlarmOutcome::Code::Full, "full"};
            })
            .code;
    };
    EXPECT_EQ(change(false), AlarmOutcome::Code::Full);
    EXPECT_EQ(test::ReadFileBytes(store.StorePath()), onDisk);
    EXPECT_EQ(store.m_alarms.size(), 2u);  // the list as it is on disk
    EXPECT_EQ(change(true), AlarmOutcome::Code::Done);
    CAlarmStore other(dir.Dir());
    ASSERT_TRUE(other.LoadAlarms());
    for (const auto& list : {other.m_alarms, store.m_alarms}) {
        ASSERT_EQ(list.size(), 3u);
        EXPECT_EQ(list[0]->m_strGroupFile + list[1]->m_strGroupFile + list[2]->m_strGroupFile,
                  "a.mpb.mpc.mp");
    }
    EXPECT_TRUE(messages.Messages().empty());
}

// While another program holds the store's lock, a change waits for it.
TEST_F(StoreFiles, UpdateWaitsForTheLockOfAnotherWriter) {
    platform::FileLock other;
    ASSERT_TRUE(other.Lock(store.LockPath()).Locked());
    std::atomic<bool> done{false};
    std::thread writer([&] {
        store.UpdateAlarms([](AlarmList& list, const StoreBytes&) {
            list.push_back(Alarm("late.mp", 5));
            return AlarmOutcome{};
        });
        done = true;
    });
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_FALSE(done);
    EXPECT_FALSE(test::FileExists(store.StorePath()));
    other.Unlock();
    writer.join();
    EXPECT_TRUE(test::FileExists(store.StorePath()));
}

class Dirs : public ::testing::TestWithParam<CaseRow> {};

TEST_P(Dirs, Row) {
    const CaseRow& row = GetParam();
    if (row[0].rfind("Trailing", 0) == 0) {
        EXPECT_EQ(WithTrailingSeparator(row[1]), row[2]);
    } else if (row[0].rfind("Buffer", 0) == 0) {
        EXPECT_EQ(StartDirFrom(row[1]), row[2] == "yes" ? row[1] : "");
    } else {
        EXPECT_EQ(SharedDataDir(row[1], row[2]), row[3]);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Dirs, ::testing::ValuesIn(test::ReadCases("alarm/dirs.cases")),
                         [](const auto& info) { return info.param[0]; });

// The start directory from the working directory: tests/data/gui/shell.txt and the command
// line's --dir.
TEST(PosixDirs, PrivateSharedDir) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    std::string error;
    const std::string shared = dir.File("a/b/wakeburst");
    ASSERT_TRUE(EnsurePrivateDir(shared + "/", error)) << error;
    EXPECT_EQ(fs::status(shared).permissions() & fs::perms::all, fs::perms::owner_all);
    // One that is there keeps the mode its owner gave it.
    fs::permissions(shared, fs::perms::owner_all | fs::perms::group_read);
    ASSERT_TRUE(EnsurePrivateDir(shared + "/", error)) << error;
    EXPECT_EQ(fs::status(shared).permissions() & fs::perms::all,
              fs::perms::owner_all | fs::perms::group_read);
    dir.Write("file", "x");
    EXPECT_FALSE(EnsurePrivateDir(dir.File("file/"), error));
    EXPECT_NE(error.find("不是目录"), std::string::npos) << error;
}

// ---- The scheduler ----------------------------------------------------------------------

// Seconds after 07:00:00 on Monday 2026-12-07.
TimePoint At(double secondsAfterSeven) {
    return test::LocalMoment(2026, 12, 7, 7, 0) +
           milliseconds(static_cast<long long>(secondsAfterSeven * 1000.0));
}

// A store with one alarm for every minute from 07:00 to 08:00 on every day; each names its
// minute in its group file, which does not exist, so a wake only writes a log entry.
class Scheduler : public StoreFiles, public ::testing::WithParamInterface<CaseRow> {
protected:
    void SetUp() override {
        StoreFiles::SetUp();
        for (int m = 0; m <= 60; ++m)
            store.m_alarms.push_back(
                Alarm(dir.File("missing-" + std::to_string(m)), 7 + m / 60, m % 60));
    }
    // The observer of `who`'s scheduler: which alarm it fired.
    CAlarmScheduler::WakeObserver Fired(const std::string& who) {
        return [this, who](const CAlarmSetting& a, WakeOutcome o, const std::string&) {
            EXPECT_EQ(o, WakeOutcome::CannotOpenList);
            fired += who + a.m_strGroupFile.substr(a.m_strGroupFile.rfind('-') + 1) + " ";
        };
    }
    std::string fired;
};

TEST_P(Scheduler, EachDueMinuteFiresExactlyOnce) {
    std::map<char, std::pair<std::unique_ptr<CAlarmScheduler>, std::unique_ptr<CSchedulerLease>>>
        processes;
    for (char who : {'A', 'B'}) {
        processes[who] = {std::make_unique<CAlarmScheduler>(store),
                          std::make_unique<CSchedulerLease>(store)};
        processes[who].first->SetWakeObserver(Fired(std::string(1, who)));
        processes[who].first->SetMissedObserver([&, who](const CAlarmSetting& a, const auto&) {
            fired += static_cast<char>(std::tolower(who)) +
                     a.m_strGroupFile.substr(a.m_strGroupFile.rfind('-') + 1) + " ";
        });
    }
    std::unique_ptr<CSchedulerLease> tick;
    std::istringstream steps(GetParam()[1]);
    for (std::string w; steps >> w;) {
        const char step = w[0];
        const TimePoint at = At(std::stoi(w.substr(1)) * 60 + std::stod(w.substr(w.find(':') + 1)));
        if (step == 'R') {
            std::filesystem::remove(store.SchedulerLockPath());
            continue;
        }
        if (step == 'H' || step == 'h') {  // a `tick` holds the lease, or ends
            tick = step == 'H' ? std::make_unique<CSchedulerLease>(store) : nullptr;
            ASSERT_TRUE(!tick || tick->TryHold().Locked());
            continue;
        }
        auto& [scheduler, lease] =
            processes[step == 'T' || step == 'S' ? 'A' : static_cast<char>(std::toupper(step))];
        if (step == 'T') {
            scheduler->Tick(at);
        } else if (step == 'S') {
            scheduler->Start(at);
        } else if (std::islower(step)) {
            lease.reset();
            scheduler.reset();
        } else {
            scheduler->Step(*lease, at);
        }
    }
    EXPECT_EQ(fired, GetParam()[2] + " ");
    EXPECT_TRUE(messages.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, Scheduler,
                         ::testing::ValuesIn(test::ReadCases("alarm/scheduler.cases")),
                         [](const auto& info) { return info.param[0]; });

TEST_F(Scheduler, NestedTickKeepsRecordsAliveAndFiresNothingTwice) {
    store.m_alarms = {Alarm("m-1", 7, 30), Alarm("m-2", 7, 30), Alarm("m-3", 7, 31)};
    std::weak_ptr<CAlarmSetting> first = store.m_alarms[0];
    CAlarmScheduler scheduler(store);
    scheduler.SetWakeObserver(
        [&, observe = Fired("")](const CAlarmSetting& a, WakeOutcome o, const std::string& r) {
            observe(a, o, r);
            if (fired != "1 ") return;
            // The user accepts the alarm dialog while a message box of this tick is open, and the
            // next minute's tick runs inside it.
            store.SaveAlarms({Alarm("m-4", 7, 30), Alarm("m-5", 7, 31), Alarm("m-6", 7, 30)});
            EXPECT_FALSE(first.expired());
            EXPECT_EQ(a.m_strGroupFile, "m-1");
            scheduler.Tick(At(31 * 60 + .2));
        });
    scheduler.Tick(At(30 * 60 + .2));
    scheduler.Tick(At(31 * 60 + 30));
    // 1 at 07:30; the nested tick fires 5 for 07:31 from the new list; the outer tick goes
    // on with the new list's later entries for 07:30 (6); 07:31 is not handled again.
    EXPECT_EQ(fired, "1 5 6 ");
    EXPECT_TRUE(first.expired());
}

TEST(TickDelay, FallsJustAfterTheNextBoundary) {
    // Second and milliseconds past 07:30, and the delay in milliseconds.
    const int rows[][3] = {
        {0, 0, 60250}, {0, 250, 60000}, {30, 500, 29750}, {59, 999, 251}, {59, 800, 450}};
    for (const auto& [second, millis, expected] : rows) {
        const auto now = test::LocalMoment(2026, 12, 7, 7, 30, second, millis);
        EXPECT_EQ(CAlarmScheduler::DelayUntilNextMinute(now).count(), expected);
        // A timer never waits longer than a minute, so a clock that moves is read again soon.
        CAlarmStore store;
        const CAlarmScheduler scheduler(store, [now = now] { return now; });
        EXPECT_EQ(scheduler.NextDelay().count(), std::min(expected, 60000));
    }
}

}  // namespace
}  // namespace wb
