#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "alarm/wake_group.h"
#include "alarm/wake_log.h"
#include "base/string_table.h"
#include "platform/codepage.h"
#include "platform/inet_addr.h"
#include "support/alarm_test_util.h"
#include "support/case_file.h"
#include "support/message_recorder.h"
#include "support/udp_receiver.h"
#include "wake/network_error.h"
#include "wake/wake_socket.h"

// The frames themselves, and the refusal of an address, through the command line:
// tests/data/cli/send.t and wake.t; the log's dates: core_tick.t.
namespace wb {
namespace {

using test::CaseRow;

TEST(TextRules, EveryRowOfTheTable) {
    for (const CaseRow& row : test::ReadCases("wake/text_rules.cases")) {
        SCOPED_TRACE(row.where);
        const std::string& kind = row[0];
        const char* text = row[1].c_str();
        char buf[16];
        if (kind == "inet") {
            const std::uint32_t a = platform::InetAddr(text);
            if (row[2] == "none") {
                EXPECT_EQ(a, platform::kInetAddrNone);
                continue;
            }
            // In memory in network order, whatever the host's order.
            std::uint8_t b[4];
            std::memcpy(b, &a, 4);
            std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
            EXPECT_EQ(std::string(buf), row[2]);
            EXPECT_EQ(platform::FormatInetAddr(a, buf), row[2]);
        } else if (kind == "destination") {
            CWakeSocket s;
            EXPECT_EQ(s.Destination().port, 2304);
            EXPECT_EQ(s.SetDestination(text), row[2] == "yes");
            EXPECT_EQ(platform::FormatInetAddr(s.Destination().addr, buf), row[3]);
        } else if (kind == "format") {
            const std::string args[2] = {row[2], row[3]};
            EXPECT_EQ(FormatPlaceholders(row[1], args, 2), row[4]);
        } else if (kind == "escape") {
            EXPECT_EQ(EscapeControlChars(row[1]), row[2]);
        } else if (kind == "error") {
            test::MessageRecorder rec;
            std::string out;
            ReportNetworkError(std::stoi(row[1]), &out);
            EXPECT_EQ(out, row[2]);
            EXPECT_TRUE(rec.Messages().empty());
            ReportNetworkError(std::stoi(row[1]));
            EXPECT_EQ(rec.Texts(), std::vector<std::string>{row[2]});
            EXPECT_EQ(rec.Messages()[0].caption, "Wakeburst Utility");
        } else if (kind == "frame") {
            // A length that is not a whole multiple of the address must not be overrun.
            const int length = std::stoi(row[1]);
            std::vector<std::uint8_t> buf(static_cast<std::size_t>(length) + 16, 0xAB), mac(6, 1);
            EXPECT_EQ(
                CWakeSocket::FillWakeupFrame(buf.data(), length, mac.data(), std::stoi(row[2])),
                std::stoi(row[3]));
            EXPECT_EQ(std::count(buf.begin() + length, buf.end(), 0xAB), 16);
        } else {
            ADD_FAILURE() << "unknown kind " << kind;
        }
    }
}

class Codepage : public ::testing::TestWithParam<CaseRow> {};

TEST_P(Codepage, ExactOrRefusedNeverReplaced) {
    const std::string &utf8 = GetParam()[1], &gb = GetParam()[2], &how = GetParam()[3];
    const auto there = platform::Utf8ToGb18030(utf8);
    const auto back = platform::Gb18030ToUtf8(gb);
    if (how == "exact") {
        ASSERT_TRUE(there && back);
    } else if (how == "refused") {
        EXPECT_FALSE(there || back);
        EXPECT_EQ(platform::FromFileText(gb), gb);
    }
    if (there) {
        EXPECT_EQ(*there, gb);
    } else {
        // Written as it came rather than lost.
        EXPECT_EQ(platform::ToFileText(utf8), utf8);
    }
    if (back) {
        EXPECT_EQ(*back, utf8);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Codepage,
                         ::testing::ValuesIn(test::ReadCases("wake/codepage.cases")),
                         [](const auto& info) { return info.param[0]; });

// A time facet that writes nonsense, global while it lives.
class NonsenseTimePut : public std::time_put<char> {
protected:
    iter_type do_put(iter_type out, std::ios_base&, char, const std::tm*, char,
                     char) const override {
        for (char c : std::string("Montag"))
            *out++ = c;
        return out;
    }
};

struct LocaleScope {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new NonsenseTimePut));
    ~LocaleScope() { std::locale::global(previous); }
};

// A user who reads English while it lives.
class EnglishUserScope {
public:
    EnglishUserScope() { platform::PinUiLanguage(platform::UiLanguage::English); }
    ~EnglishUserScope() { platform::PinUiLanguage(platform::UiLanguage::Chinese); }
    EnglishUserScope(const EnglishUserScope&) = delete;
    EnglishUserScope& operator=(const EnglishUserScope&) = delete;
};

class WakeLog : public ::testing::TestWithParam<CaseRow> {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.Path().empty());
        ASSERT_TRUE(receiver.IsBound()) << "127.0.0.1:2304 is taken";
    }

    std::string ListPath(const std::string& list) const {
        return test::FileExists(test::DataFile(list)) ? test::DataFile(list) : dir.File(list);
    }

    WakeOutcome Wake(const std::string& list, const std::string& broadcast = "127.0.0.1",
                     int port = 2304, std::string* reason = nullptr) {
        // The entry is dated in English even in a process whose global locale was set from the
        // environment (the GUI library does that), here one whose dates are nonsense.
        const LocaleScope nonsense;
        // And it is in Chinese, byte for byte, for a user who reads English.
        const EnglishUserScope english;
        CWakeLogScope scope(
            WakeLogTarget{dir.Dir(), [] { return test::LocalMoment(2026, 12, 7, 7, 30, 12); }});
        CWakeSocket socket;
        socket.SetPort(static_cast<std::uint16_t>(port));
        const WakeOutcome o = WakeGroupWithReport(socket, ListPath(list), broadcast, nullptr,
                                                  WakeRounds{port ? 1 : 2, {}, {}});
        // The reason the system gives for port 0, from a frame of our own.
        if (reason && port == 0 && !socket.SendWakeup("02-00-5e-00-00-10"))
            *reason = socket.LastSendError();
        return o;
    }

    std::string Expected(const std::string& name, const std::string& list,
                         const std::string& reason = {}) const {
        const std::string text = test::ReadFileBytes(test::DataFile("logs/" + name + ".log"));
        return test::ToHex(
            test::ReplaceAll(test::ReplaceAll(text, "{path}", ListPath(list)), "{reason}", reason));
    }

    std::string Log() const { return test::ToHex(test::ReadFileBytes(dir.File("Dawnly.log"))); }

    test::TempDir dir;
    test::UdpReceiver receiver;
    test::MessageRecorder messages;
};

TEST_P(WakeLog, OneEntryWithTheReportAndTheCountOfFramesSent) {
    const CaseRow& row = GetParam();
    const std::map<std::string, WakeOutcome> outcomes = {
        {"Woken", WakeOutcome::Woken},
        {"CannotOpenList", WakeOutcome::CannotOpenList},
        {"BadBroadcast", WakeOutcome::BadBroadcast},
        {"NotAllSent", WakeOutcome::NotAllSent}};
    std::string reason;
    EXPECT_EQ(Wake(row[1], row[2], std::stoi(row[6]), &reason), outcomes.at(row[3]));
    EXPECT_FALSE(row[6] == "0" && reason.empty());
    EXPECT_EQ(Log(), Expected(row[0], row[1], reason));
    const auto frames = receiver.Drain();
    EXPECT_EQ(frames.size(), std::stoul(row[4]));
    for (const auto& f : frames)
        EXPECT_EQ(f.size(), 102u);
    EXPECT_EQ(messages.Messages().size(), std::stoul(row[5]));
}

INSTANTIATE_TEST_SUITE_P(Rows, WakeLog,
                         ::testing::ValuesIn(test::ReadCases("alarm/wake_log.cases")),
                         [](const auto& info) { return info.param[0]; });

class WakeLogFile : public WakeLog {};

// Entries are appended, never truncated; a wake that asks for no report writes the same entry. A
// log that cannot be opened still lets the wake happen: tests/data/cli/core_wake_log.t.
TEST_F(WakeLogFile, EntriesAccumulate) {
    test::WriteFileBytes(dir.File("Dawnly.log"), "older entry\r\n");
    Wake("one_host.mp");
    Wake("gone.mp");
    {
        CWakeLogScope scope(
            WakeLogTarget{dir.Dir(), [] { return test::LocalMoment(2026, 12, 7, 7, 30); }});
        CWakeSocket socket;
        ASSERT_TRUE(socket.SetDestination("127.0.0.1"));
        WakeGroupWithReport(socket, test::DataFile("one_host.mp"), "127.0.0.1");
    }
    EXPECT_EQ(Log(), test::ToHex("older entry\r\n") + Expected("one_host", "one_host.mp") +
                         Expected("gone", "gone.mp") + Expected("one_host", "one_host.mp"));
    EXPECT_EQ(receiver.Drain().size(), 2u);
    EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace wb
