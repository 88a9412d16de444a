#include <gtest/gtest.h>

#include <locale>

#include "alarm/alarm_scheduler.h"
#include "alarm/wake_group.h"
#include "alarm/wake_log.h"
#include "hostlist/host_list_reader.h"
#include "support/alarm_test_util.h"
#include "support/message_recorder.h"
#include "support/udp_receiver.h"

namespace wb {
namespace {

using test::LocalMoment;

// GBK bytes of the fixed texts, spelled out so that the test does not share the encoder.
const std::string kWoke = "\xbb\xbd\xd0\xd1";  // 唤醒
const std::string kIn = "\xd3\xda";            // 于
const std::string kCannotOpen =
    "\xce\xde\xb7\xa8\xd2\xd4\xd6\xbb\xb6\xc1\xb7\xbd\xca\xbd\xb4\xf2\xbf\xaa";  // 无法以只读方式打开
const std::string kBadLine = "\xb4\xed\xce\xf3\x20\xce\xc4\xbc\xfe\x3a";  // "错误 文件:"
const std::string kLine = "\xd0\xd0";                                     // 行
const std::string kCheck =
    "\xc7\xeb\xbc\xec\xb2\xe9IP\xb5\xd8\xd6\xb7\xba\xcd\xd2\xd4\xcc\xab\xcd\xf8[MAC]"
    "\xb5\xd8\xd6\xb7.";
const std::string kError = "\xb4\xed\xce\xf3:";  // 错误:
const std::string kIllegal =
    "\xca\xc7\xd2\xbb\xb8\xf6\xb7\xc7\xb7\xa8\xb5\xc4IP";                    // 是一个非法的IP
const std::string kBroadcastAddr = "\xb9\xe3\xb2\xa5\xb5\xd8\xd6\xb7.";      // 广播地址.
const std::string kFile = "\xce\xc4\xbc\xfe:";                               // 文件:
const std::string kBadAddress = "\xb4\xed\xce\xf3\x20\xb5\xd8\xd6\xb7\x3a";  // "错误 地址:"
const std::string kNotSent = "Wakeburst \xce\xb4\xb1\xbb\xb7\xa2\xcb\xcd";  // Wakeburst 未被发送
const std::string kUnreadable =
    "\xb2\xbb\xba\xcf\xb7\xa8\xb5\xc4\xd2\xd4\xcc\xab\xcd\xf8\xb5\xd8\xd6\xb7";  // 不合法的以太网地址

struct DateCase {
    int year, month, day, hour, minute;
    const char* text;
};

class WakeLogDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(WakeLogDate, EnglishNamesTwoDigitFields) {
    const auto& c = GetParam();
    const auto t = std::chrono::system_clock::to_time_t(
        LocalMoment(c.year, c.month, c.day, c.hour, c.minute, 41));
    EXPECT_EQ(FormatWakeLogDate(t), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WakeLogDate,
    ::testing::Values(DateCase{2026, 12, 7, 7, 30, "Monday, December 07, 2026 07:30"},
                      DateCase{1997, 9, 8, 7, 30, "Monday, September 08, 1997 07:30"},
                      DateCase{2023, 1, 1, 0, 5, "Sunday, January 01, 2023 00:05"},
                      DateCase{2020, 2, 29, 23, 59, "Saturday, February 29, 2020 23:59"},
                      DateCase{2031, 5, 14, 12, 0, "Wednesday, May 14, 2031 12:00"}));

// A time facet that writes nonsense stands in for a process whose global locale has been
// set from the environment (the GUI library does that).
class NonsenseTimePut : public std::time_put<char> {
protected:
    iter_type do_put(iter_type out, std::ios_base&, char, const std::tm*, char,
                     char) const override {
        for (char c : std::string("Montag"))
            *out++ = c;
        return out;
    }
};

TEST(WakeLogDateLocale, IgnoresTheGlobalLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new NonsenseTimePut));
    const auto t = std::chrono::system_clock::to_time_t(LocalMoment(2026, 12, 7, 7, 30));
    const std::string text = FormatWakeLogDate(t);
    std::locale::global(previous);
    EXPECT_EQ(text, "Monday, December 07, 2026 07:30");
}

// Group wakes to 127.0.0.1 with the log in a temporary directory and a fixed clock.
class WakeLogEntry : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.Path().empty());
        ASSERT_TRUE(receiver.IsBound()) << "127.0.0.1:2304 is taken";
    }

    WakeOutcome Wake(const std::string& file, const std::string& broadcast) {
        CWakeLogScope scope(
            WakeLogTarget{dir.Dir(), [] { return LocalMoment(2026, 12, 7, 7, 30, 12); }});
        CWakeSocket socket;
        WakeOutcome o = WakeGroupWithReport(socket, file, broadcast);
        socket.Close();
        return o;
    }

    std::string Log() const { return test::ReadFileBytes(dir.File("Dawnly.log")); }

    test::TempDir dir;
    test::UdpReceiver receiver;
    test::MessageRecorder messages;
    const std::string date = "Monday, December 07, 2026 07:30\r\n";
};

struct GroupCase {
    const char* file;
    int frames;
    const char* countText;  // "3 hosts"
    int badLine;            // the line number reported, or 0
};

class WakeGroupEntry : public WakeLogEntry, public ::testing::WithParamInterface<GroupCase> {};

TEST_P(WakeGroupEntry, ReportLinesThenTheCount) {
    const std::string path = test::DataFile(GetParam().file);
    EXPECT_EQ(Wake(path, "127.0.0.1"), WakeOutcome::Woken);
    std::string expected = date;
    if (GetParam().badLine) {
        expected += "\t" + kBadLine + path + "\r\n\t" + kLine + " " +
                    std::to_string(GetParam().badLine) + ": " + kCheck + "\r\n";
    }
    expected += "\t" + kWoke + " " + GetParam().countText + " " + kIn + " " + path + "\r\n";
    EXPECT_EQ(test::ToHex(Log()), test::ToHex(expected));
    const auto frames = receiver.Drain();
    EXPECT_EQ(frames.size(), static_cast<std::size_t>(GetParam().frames));
    for (const auto& f : frames)
        EXPECT_EQ(f.size(), 102u);
    EXPECT_TRUE(messages.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, WakeGroupEntry,
                         ::testing::Values(GroupCase{"three_hosts.mp", 3, "3 hosts", 5},
                                           GroupCase{"two_hosts.mp", 2, "2 hosts", 0},
                                           GroupCase{"one_host.mp", 1, "1 host", 0},
                                           GroupCase{"no_hosts.mp", 0, "0 host", 3},
                                           GroupCase{"same_twice.mp", 2, "2 hosts", 0}));

TEST_F(WakeLogEntry, UnreadableListGivesMessage61449) {
    const std::string path = dir.File("gone.mp");
    EXPECT_EQ(Wake(path, "127.0.0.1"), WakeOutcome::CannotOpenList);
    EXPECT_EQ(test::ToHex(Log()), test::ToHex(date + "\t" + kCannotOpen + " " + path + " .\r\n"));
    EXPECT_TRUE(receiver.Drain().empty());
}

TEST_F(WakeLogEntry, UnusableBroadcastGivesMessage61453WithItsCarriageReturns) {
    const std::string path = test::DataFile("three_hosts.mp");
    EXPECT_EQ(Wake(path, "no-such-host.invalid"), WakeOutcome::BadBroadcast);
    const std::string expected = date + "\t" + kError + " no-such-host.invalid" + kIllegal + " " +
                                 kBroadcastAddr + "\r\r\n\r\n\t" + kFile + " " + path + "\r\r\n";
    EXPECT_EQ(test::ToHex(Log()), test::ToHex(expected));
    EXPECT_TRUE(receiver.Drain().empty());
}

TEST_F(WakeLogEntry, EntriesAccumulateAndNothingIsTruncated) {
    test::WriteFileBytes(dir.File("Dawnly.log"), "older entry\r\n");
    Wake(test::DataFile("one_host.mp"), "127.0.0.1");
    Wake(dir.File("gone.mp"), "127.0.0.1");
    const std::string log = Log();
    EXPECT_EQ(log.rfind("older entry\r\n" + date + "\t" + kWoke, 0), 0u);
    EXPECT_NE(log.find(date + "\t" + kCannotOpen), std::string::npos);
    EXPECT_EQ(receiver.Drain().size(), 1u);
}

TEST_F(WakeLogEntry, LogThatCannotBeOpenedStillWakes) {
    CWakeLogScope scope(WakeLogTarget{dir.File("no-such-dir") + "/", {}});
    CWakeSocket socket;
    EXPECT_EQ(WakeGroupWithReport(socket, test::DataFile("two_hosts.mp"), "127.0.0.1"),
              WakeOutcome::Woken);
    EXPECT_EQ(receiver.Drain().size(), 2u);
    EXPECT_TRUE(messages.Messages().empty());
}

// Frames that do not leave are not counted: each such host gets a line of its own, with the
// system's reason, before the count. UDP port 0 cannot be sent to on any system.
TEST_F(WakeLogEntry, FramesNotSentAreNamedAndNotCounted) {
    const std::string path = test::DataFile("two_hosts.mp");
    std::vector<std::string> addresses;
    std::string ignored;
    ASSERT_TRUE(ReadHostList(path, ignored, addresses));
    CWakeLogScope scope(
        WakeLogTarget{dir.Dir(), [] { return LocalMoment(2026, 12, 7, 7, 30, 12); }});
    CWakeSocket socket;
    socket.SetPort(0);
    std::string report;
    EXPECT_EQ(WakeGroupWithReport(socket, path, "127.0.0.1", &report, WakeRounds{2, {}}),
              WakeOutcome::NotAllSent);
    ASSERT_TRUE(socket.SendWakeup(addresses[0]) == false);
    const std::string reason = socket.LastSendError();
    EXPECT_FALSE(reason.empty());
    std::string expected = date;
    for (const std::string& a : addresses)
        expected += "\t" + kBadAddress + a + ": " + kNotSent + " (" + reason + ").\r\n";
    expected += "\t" + kWoke + " 0 host " + kIn + " " + path + "\r\n";
    EXPECT_EQ(test::ToHex(Log()), test::ToHex(expected));
    EXPECT_TRUE(receiver.Drain().empty());
}

TEST_F(WakeLogEntry, AddressTheFrameBuilderCannotReadIsNotCounted) {
    const std::string path = test::DataFile("unreadable_address.mp");
    EXPECT_EQ(Wake(path, "127.0.0.1"), WakeOutcome::NotAllSent);
    const std::string expected = date + "\t" + kBadAddress + "00a0c-123456789ab: " + kNotSent +
                                 " (" + kUnreadable + ").\r\n\t" + kWoke + " 1 host " + kIn + " " +
                                 path + "\r\n";
    EXPECT_EQ(test::ToHex(Log()), test::ToHex(expected));
    EXPECT_EQ(receiver.Drain().size(), 1u);
    EXPECT_EQ(messages.Messages().size(), 1u);  // message 61452, as before
}

TEST_F(WakeLogEntry, WakeGroupMemberWritesTheSameEntry) {
    CWakeLogScope scope(WakeLogTarget{dir.Dir(), [] { return LocalMoment(2026, 12, 7, 7, 30); }});
    CWakeSocket socket;
    ASSERT_TRUE(socket.SetDestination("127.0.0.1"));
    socket.WakeGroup(test::DataFile("two_hosts.mp"), "127.0.0.1");
    EXPECT_EQ(receiver.Drain().size(), 2u);
    EXPECT_EQ(Log().rfind(date + "\t" + kWoke + " 2 hosts", 0), 0u);
}

}  // namespace
}  // namespace wb
