#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "alarm/alarm_store.h"
#include "alarm/alarm_store_codec.h"
#include "alarm/start_dir.h"
#include "platform/file_lock.h"
#include "support/alarm_test_util.h"
#include "support/message_recorder.h"

namespace wb {
namespace {

AlarmPtr Alarm(const std::string& file, int hour) {
    auto a = std::make_shared<CAlarmSetting>();
    a->SetGroupFile(file);
    a->SetDays(kMonday | kFriday);
    a->SetHour(hour);
    a->SetMinute(5);
    a->SetBroadcast("198.51.100.255");
    return a;
}

class AlarmStoreFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.Path().empty());
        store.m_strStartDir = dir.Dir();
    }
    test::TempDir dir;
    test::MessageRecorder messages;
    CAlarmStore store;
};

TEST_F(AlarmStoreFiles, NoStoreLoadsNothingAndSaysNothing) {
    store.m_alarms = {Alarm("kept.mp", 1)};
    EXPECT_FALSE(store.LoadAlarms());
    EXPECT_EQ(store.m_alarms.size(), 1u);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(AlarmStoreFiles, SavedListLoadsBackInOrder) {
    AlarmList list = {Alarm("a.mp", 1), Alarm("主机组.mp", 2), Alarm("a.mp", 1)};
    ASSERT_TRUE(store.SaveAlarms(list));
    CAlarmStore again(dir.Dir());
    ASSERT_TRUE(again.LoadAlarms());
    ASSERT_EQ(again.m_alarms.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(*again.m_alarms[i], *list[i]);
    EXPECT_NE(again.m_alarms[0], again.m_alarms[2]);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(AlarmStoreFiles, SaveTakesCopiesAndLeavesTheCallersList) {
    AlarmList list = {Alarm("a.mp", 1)};
    std::weak_ptr<CAlarmSetting> old;
    store.m_alarms = {Alarm("old.mp", 3)};
    old = store.m_alarms[0];
    AlarmPtr heldByTick = store.m_alarms[0];
    ASSERT_TRUE(store.SaveAlarms(list));
    EXPECT_NE(store.m_alarms[0], list[0]);
    EXPECT_EQ(*store.m_alarms[0], *list[0]);
    list[0]->SetHour(9);
    EXPECT_EQ(store.m_alarms[0]->m_nHour, 1);
    // A record still in use elsewhere survives the replacement; nothing else keeps it.
    EXPECT_EQ(heldByTick->m_strGroupFile, "old.mp");
    heldByTick.reset();
    EXPECT_TRUE(old.expired());
}

// Which stores count as damaged is the codec's table; here, what loading one does.
TEST_F(AlarmStoreFiles, DamagedStoreShowsTheMessageEmptiesTheListKeepsTheFile) {
    const std::string bytes = test::FromHex("0100 ffff 0200 0d00") + "CAlarmSetting" +
                              test::FromHex("00 04 07000000 1e000000 00");  // a later schema
    test::WriteFileBytes(store.StorePath(), bytes);
    store.m_alarms = {Alarm("before.mp", 1)};
    EXPECT_EQ(store.LoadAlarmsWithResult(), CAlarmStore::LoadResult::Damaged);
    EXPECT_TRUE(store.m_alarms.empty());
    ASSERT_EQ(messages.Messages().size(), 1u);
    const MessageRequest& m = messages.Messages()[0];
    EXPECT_EQ(m.text,
              "提醒设置被存储在文件 DwnGs 中.\n不管这个文件被损坏或是以前的版本所保存.\n请使用文本"
              "编辑器查看你是否能挽救一些信息. 无论如何, 你应该使用'启动一组主机(G)' "
              "命令再次设置提醒.");
    EXPECT_EQ(m.caption, "Wakeburst Utility");
    EXPECT_EQ(m.icon, MsgIcon::None);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_EQ(test::ReadFileBytes(store.StorePath()), bytes);
}

TEST_F(AlarmStoreFiles, StoreThatCannotBeCreatedGivesMessage61448AndKeepsTheNewList) {
    store.m_strStartDir = dir.File("no-such-dir") + "/";
    AlarmList list = {Alarm("new.mp", 4)};
    EXPECT_FALSE(store.SaveAlarms(list));
    ASSERT_EQ(store.m_alarms.size(), 1u);
    EXPECT_EQ(store.m_alarms[0]->m_strGroupFile, "new.mp");
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "无法创建文件 DwnGs\n提醒设置未被保存.");
    EXPECT_EQ(messages.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages.Messages()[0].caption, "Wakeburst Utility");
}

// Another program saved two alarms after this one loaded its list: a change starts from the
// store on disk, never from the stale list, and a declined change writes nothing.
TEST_F(AlarmStoreFiles, UpdateChangesTheStoreOnDiskNotTheListInMemory) {
    store.m_alarms = {Alarm("stale.mp", 1)};
    CAlarmStore other(dir.Dir());
    ASSERT_TRUE(other.SaveAlarms({Alarm("a.mp", 2), Alarm("b.mp", 3)}));
    const std::string onDisk = test::ReadFileBytes(store.StorePath());
    EXPECT_EQ(store.UpdateAlarms([&](AlarmList& list, const StoreBytes& bytes) {
        EXPECT_EQ(bytes, onDisk);
        list.push_back(Alarm("c.mp", 4));
        return true;
    }),
              CAlarmStore::UpdateResult::Saved);
    ASSERT_TRUE(other.LoadAlarms());
    std::vector<std::string> files;
    for (const auto& a : other.m_alarms)
        files.push_back(a->m_strGroupFile);
    EXPECT_EQ(files, (std::vector<std::string>{"a.mp", "b.mp", "c.mp"}));
    EXPECT_EQ(store.m_alarms.size(), 3u);

    const std::string saved = test::ReadFileBytes(store.StorePath());
    store.m_alarms.clear();
    EXPECT_EQ(store.UpdateAlarms([](AlarmList& list, const StoreBytes&) {
        list.clear();
        return false;
    }),
              CAlarmStore::UpdateResult::Refused);
    EXPECT_EQ(test::ReadFileBytes(store.StorePath()), saved);
    EXPECT_EQ(store.m_alarms.size(), 3u);
    EXPECT_TRUE(messages.Messages().empty());
}

// While another program holds the store's lock, a change waits for it.
TEST_F(AlarmStoreFiles, UpdateWaitsForTheLockOfAnotherWriter) {
    platform::FileLock other;
    ASSERT_TRUE(other.Lock(store.LockPath()));
    std::atomic<bool> done{false};
    std::thread writer([&] {
        store.UpdateAlarms([](AlarmList& list, const StoreBytes&) {
            list.push_back(Alarm("late.mp", 5));
            return true;
        });
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(done);
    EXPECT_FALSE(std::filesystem::exists(store.StorePath()));
    other.Unlock();
    writer.join();
    EXPECT_TRUE(done);
    EXPECT_TRUE(std::filesystem::exists(store.StorePath()));
}

TEST(StartDir, KeptWithOneTrailingSeparator) {
    EXPECT_EQ(WithTrailingSeparator(""), "");
    EXPECT_EQ(WithTrailingSeparator("/"), "/");
    EXPECT_EQ(WithTrailingSeparator("/srv/wake"), "/srv/wake/");
    EXPECT_EQ(WithTrailingSeparator("/srv/wake/"), "/srv/wake/");
    const std::string cwd = CurrentStartDir();
    ASSERT_FALSE(cwd.empty());
    EXPECT_EQ(cwd.back(), '/');
    EXPECT_EQ(ResolveStartDir("sub"), cwd + "sub/");
    EXPECT_EQ(ResolveStartDir(""), cwd);
}

// 255 bytes and the terminating zero fill the buffer exactly; counted in the file code page,
// where each 中 takes two bytes.
TEST(StartDirBuffer, FitsTheBufferOrIsEmpty) {
    std::string wide;
    for (int i = 0; i < 128; ++i)
        wide += "中";
    const std::pair<std::string, bool> rows[] = {{"/", true},
                                                 {"/home/user/", true},
                                                 {"/" + std::string(253, 'a') + "/", true},
                                                 {"/" + std::string(254, 'a') + "/", false},
                                                 {"/" + wide.substr(0, 126 * 3) + "/", true},
                                                 {"/" + wide + "/", false},
                                                 {"", false}};
    for (const auto& [dir, kept] : rows)
        EXPECT_EQ(StartDirFrom(dir), kept ? dir : std::string()) << dir;
}

TEST(SharedDir, FollowsTheDesktopsDataHome) {
    // XDG_DATA_HOME, HOME, the directory; a relative XDG_DATA_HOME is invalid and ignored.
    const char* rows[][3] = {{"", "/home/u", "/home/u/.local/share/wakeburst/"},
                             {"/data/u/", "/home/u", "/data/u/wakeburst/"},
                             {"data", "/home/u", "/home/u/.local/share/wakeburst/"},
                             {"", "", ""}};
    for (const auto& r : rows)
        EXPECT_EQ(SharedDataDir(r[0], r[1]), r[2]) << r[0] << " " << r[1];
}

TEST(SharedDirCreation, MadePrivateWithItsParentsAndRefusedWhenNotADirectory) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(EnsurePrivateDir(dir.File("a/b/wakeburst/"), error)) << error;
    EXPECT_EQ(fs::status(dir.File("a/b/wakeburst")).permissions() & fs::perms::all,
              fs::perms::owner_all);
    // One that is there keeps the mode its owner gave it.
    fs::permissions(dir.File("a/b/wakeburst"), fs::perms::owner_all | fs::perms::group_read);
    ASSERT_TRUE(EnsurePrivateDir(dir.File("a/b/wakeburst/"), error)) << error;
    EXPECT_EQ(fs::status(dir.File("a/b/wakeburst")).permissions() & fs::perms::all,
              fs::perms::owner_all | fs::perms::group_read);

    dir.Write("file", "x");
    EXPECT_FALSE(EnsurePrivateDir(dir.File("file/"), error));
    EXPECT_NE(error.find("not a directory"), std::string::npos) << error;
}

}  // namespace
}  // namespace wb
