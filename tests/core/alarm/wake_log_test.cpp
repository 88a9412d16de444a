#include <gtest/gtest.h>

#include <locale>

#include "alarm/alarm_scheduler.h"
#include "alarm/wake_group.h"
#include "alarm/wake_log.h"
#include "support/alarm_test_util.h"
#include "support/message_recorder.h"
#include "support/udp_receiver.h"

namespace wb {
namespace {

using test::LocalMoment;

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

// A group wake to 127.0.0.1 at Monday 2026-12-07 07:30:12 (unless sent to UDP port 0, which
// no system sends to: those frames are not counted, and each host gets a line with the
// system's reason), and the log entry it writes: tests/data/alarm/logs/NAME.log, GBK with
// CR LF, with {path} the list's path and {reason} the system's reason.
struct LogCase {
    const char* name;
    const char* list;  // in tests/data/alarm, or in the test's directory when missing
    const char* broadcast;
    WakeOutcome outcome;
    int frames;
    std::size_t messages = 0;
    std::uint16_t port = 2304;
};

void PrintTo(const LogCase& c, std::ostream* os) { *os << c.name; }

class WakeLogEntry : public ::testing::TestWithParam<LogCase> {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.Path().empty());
        ASSERT_TRUE(receiver.IsBound()) << "127.0.0.1:2304 is taken";
    }

    std::string ListPath(const LogCase& c) const {
        return c.list == std::string("gone.mp") ? dir.File(c.list) : test::DataFile(c.list);
    }

    WakeOutcome Wake(const LogCase& c, std::string* reason = nullptr) {
        CWakeLogScope scope(
            WakeLogTarget{dir.Dir(), [] { return LocalMoment(2026, 12, 7, 7, 30, 12); }});
        CWakeSocket socket;
        socket.SetPort(c.port);
        const WakeOutcome o = WakeGroupWithReport(socket, ListPath(c), c.broadcast, nullptr,
                                                  WakeRounds{c.port ? 1 : 2, {}});
        // The reason the system gives for port 0, from a frame of our own.
        if (reason && c.port == 0 && !socket.SendWakeup("02-00-5e-00-00-10"))
            *reason = socket.LastSendError();
        socket.Close();
        return o;
    }

    std::string Expected(const LogCase& c, const std::string& reason = {}) const {
        std::string text =
            test::ReadFileBytes(test::DataFile("logs/" + std::string(c.name) + ".log"));
        text = test::ReplaceAll(text, "{path}", ListPath(c));
        return test::ReplaceAll(text, "{reason}", reason);
    }

    std::string Log() const { return test::ReadFileBytes(dir.File("Dawnly.log")); }

    test::TempDir dir;
    test::UdpReceiver receiver;
    test::MessageRecorder messages;
};

TEST_P(WakeLogEntry, OneEntryWithTheReportAndTheCountOfFramesSent) {
    const LogCase& c = GetParam();
    std::string reason;
    EXPECT_EQ(Wake(c, &reason), c.outcome);
    EXPECT_FALSE(c.port == 0 && reason.empty());
    EXPECT_EQ(test::ToHex(Log()), test::ToHex(Expected(c, reason)));
    const auto frames = receiver.Drain();
    EXPECT_EQ(frames.size(), static_cast<std::size_t>(c.frames));
    for (const auto& f : frames)
        EXPECT_EQ(f.size(), 102u);
    EXPECT_EQ(messages.Messages().size(), c.messages);  // 61452 for an unreadable address
}

const LogCase kOneHost{"one_host", "one_host.mp", "127.0.0.1", WakeOutcome::Woken, 1};
const LogCase kGone{"gone", "gone.mp", "127.0.0.1", WakeOutcome::CannotOpenList, 0};

INSTANTIATE_TEST_SUITE_P(
    Table, WakeLogEntry,
    ::testing::Values(
        LogCase{"three_hosts", "three_hosts.mp", "127.0.0.1", WakeOutcome::Woken, 3},
        LogCase{"two_hosts", "two_hosts.mp", "127.0.0.1", WakeOutcome::Woken, 2}, kOneHost,
        LogCase{"no_hosts", "no_hosts.mp", "127.0.0.1", WakeOutcome::Woken, 0},
        LogCase{"same_twice", "same_twice.mp", "127.0.0.1", WakeOutcome::Woken, 2}, kGone,
        // Message 61453 with its carriage returns.
        LogCase{"bad_broadcast", "three_hosts.mp", "no-such-host.invalid",
                WakeOutcome::BadBroadcast, 0},
        LogCase{"not_sent", "two_hosts.mp", "127.0.0.1", WakeOutcome::NotAllSent, 0, 0, 0},
        LogCase{"unreadable_address", "unreadable_address.mp", "127.0.0.1", WakeOutcome::NotAllSent,
                1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

class WakeLogFile : public WakeLogEntry {};

TEST_F(WakeLogFile, EntriesAccumulateAndNothingIsTruncated) {
    test::WriteFileBytes(dir.File("Dawnly.log"), "older entry\r\n");
    Wake(kOneHost);
    Wake(kGone);
    EXPECT_EQ(test::ToHex(Log()),
              test::ToHex("older entry\r\n" + Expected(kOneHost) + Expected(kGone)));
    EXPECT_EQ(receiver.Drain().size(), 1u);
}

TEST_F(WakeLogFile, LogThatCannotBeOpenedStillWakes) {
    CWakeLogScope scope(WakeLogTarget{dir.File("no-such-dir") + "/", {}});
    CWakeSocket socket;
    EXPECT_EQ(WakeGroupWithReport(socket, test::DataFile("two_hosts.mp"), "127.0.0.1"),
              WakeOutcome::Woken);
    EXPECT_EQ(receiver.Drain().size(), 2u);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(WakeLogFile, WakeGroupMemberWritesTheSameEntry) {
    CWakeLogScope scope(WakeLogTarget{dir.Dir(), [] { return LocalMoment(2026, 12, 7, 7, 30); }});
    CWakeSocket socket;
    ASSERT_TRUE(socket.SetDestination("127.0.0.1"));
    socket.WakeGroup(test::DataFile("two_hosts.mp"), "127.0.0.1");
    EXPECT_EQ(receiver.Drain().size(), 2u);
    const LogCase two{"two_hosts", "two_hosts.mp", "", WakeOutcome::Woken, 2};
    EXPECT_EQ(test::ToHex(Log()), test::ToHex(Expected(two)));
}

}  // namespace
}  // namespace wb
