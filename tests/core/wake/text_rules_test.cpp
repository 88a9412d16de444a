#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/message_box.h"
#include "base/string_table.h"
#include "platform/codepage.h"
#include "platform/inet_addr.h"
#include "support/alarm_test_util.h"
#include "support/case_file.h"
#include "support/message_recorder.h"
#include "support/udp_receiver.h"
#include "wake/address_text.h"
#include "wake/network_error.h"
#include "wake/wake_socket.h"

namespace wb {
namespace {

TEST(TextRules, EveryRowOfTheTable) {
    for (const test::CaseRow& row : test::ReadCases("wake/text_rules.cases")) {
        SCOPED_TRACE(row.where);
        const std::string& kind = row[0];
        const char* text = row[1].c_str();
        if (kind == "ip") {
            EXPECT_EQ(IsValidIpText(text), row[2] == "yes");
        } else if (kind == "ethernet") {
            EXPECT_EQ(IsValidEthernetText(text), row[2] == "yes");
        } else if (kind == "parse") {
            std::string out(6, '\xEE');
            EXPECT_EQ(ParseEthernetAddress(text, reinterpret_cast<std::uint8_t*>(out.data()), 6),
                      row[2] == "yes");
            EXPECT_EQ(test::ToHex(out), test::ToHex(test::FromHex(row[3])));
        } else if (kind == "inet") {
            const std::uint32_t a = platform::InetAddr(text);
            if (row[2] == "none") {
                EXPECT_EQ(a, platform::kInetAddrNone);
                continue;
            }
            // In memory in network order, whatever the host's order.
            std::uint8_t b[4];
            std::memcpy(b, &a, 4);
            char dotted[16];
            std::snprintf(dotted, sizeof dotted, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
            EXPECT_EQ(std::string(dotted), row[2]);
            char buf[16];
            EXPECT_EQ(platform::FormatInetAddr(a, buf), row[2]);
        } else if (kind == "destination") {
            CWakeSocket s;
            EXPECT_EQ(s.Destination().port, 2304);
            EXPECT_EQ(s.SetDestination(text), row[2] == "yes");
            char buf[16];
            EXPECT_EQ(platform::FormatInetAddr(s.Destination().addr, buf), row[3]);
        } else if (kind == "format") {
            const std::string args[2] = {row[2], row[3]};
            EXPECT_EQ(FormatPlaceholders(row[1], args, 2), row[4]);
        } else if (kind == "escape") {
            EXPECT_EQ(EscapeControlChars(row[1]), row[2]);
        } else {
            ADD_FAILURE() << "unknown kind " << kind;
        }
    }
}

TEST(ParseEthernetAddress, CountOfZeroOrLessWritesNothing) {
    std::uint8_t out[2] = {7, 7};
    EXPECT_TRUE(ParseEthernetAddress("zz", out, 0));
    EXPECT_TRUE(ParseEthernetAddress("zz", out, -3));
    EXPECT_EQ(out[0], 7);
    EXPECT_EQ(out[1], 7);
}

class Codepage : public ::testing::TestWithParam<test::CaseRow> {};

TEST_P(Codepage, ExactOrRefusedNeverReplaced) {
    const std::string& utf8 = GetParam()[1];
    const std::string& gb = GetParam()[2];
    const bool exact = GetParam()[3] == "exact";
    const auto there = platform::Utf8ToGb18030(utf8);
    const auto back = platform::Gb18030ToUtf8(gb);
    if (exact) {
        ASSERT_TRUE(there && back);
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

TEST(Codepage, RefusesInvalidInputAndPassesItThroughForFiles) {
    EXPECT_FALSE(platform::Utf8ToGb18030("\xff\xfe"));
    EXPECT_FALSE(platform::Gb18030ToUtf8("\x81"));
    EXPECT_EQ(platform::ToFileText("\xff"), "\xff");
    EXPECT_EQ(platform::FromFileText("\x81"), "\x81");
}

TEST(MessageBoxSeam, DefaultCaptionAndQueuedAnswers) {
    test::MessageRecorder rec;
    rec.SetNextAnswer(MsgAnswer::Yes);
    EXPECT_EQ(ShowMessageBox("q?", MsgButtons::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(ShowMessageBox("again?", MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_EQ(ShowMessageBox("t", MsgButtons::Ok, MsgIcon::None, "ERROR"), MsgAnswer::Ok);
    ASSERT_EQ(rec.Messages().size(), 3u);
    EXPECT_EQ(rec.Messages()[0].caption, "Wakeburst Utility");
    EXPECT_EQ(rec.Messages()[2].caption, "ERROR");
}

// One known and one unknown code, handed back as text or shown in one box.
TEST(NetworkError, TextHandedBackOrShownOnce) {
    for (const auto& [code, text] :
         {std::pair<int, std::string>{11001, "未发现授权应答主机."}, {10060, "未知错误!!!"}}) {
        test::MessageRecorder rec;
        std::string out;
        ReportNetworkError(code, &out);
        EXPECT_EQ(out, text);
        EXPECT_TRUE(rec.Messages().empty());
        ReportNetworkError(code);
        ASSERT_EQ(rec.Messages().size(), 1u);
        EXPECT_EQ(rec.Messages()[0].text, text);
        EXPECT_EQ(rec.Messages()[0].caption, "Wakeburst Utility");
        EXPECT_EQ(rec.Messages()[0].buttons, MsgButtons::Ok);
    }
}

// A length that is not a whole multiple of the address must not be overrun.
TEST(FillWakeupFrame, NeverWritesPastTheBuffer) {
    struct Case {
        int length, addressLength, written;
    };
    for (const Case c : {Case{102, 6, 102}, Case{100, 6, 96}, Case{6, 6, 6}, Case{5, 6, 0},
                         Case{0, 6, 0}, Case{10, 0, 0}, Case{17, 4, 16}}) {
        std::vector<std::uint8_t> buf(static_cast<std::size_t>(c.length) + 16, 0xAB);
        const std::vector<std::uint8_t> mac(6, 0x11);
        EXPECT_EQ(CWakeSocket::FillWakeupFrame(buf.data(), c.length, mac.data(), c.addressLength),
                  c.written)
            << c.length;
        for (std::size_t i = static_cast<std::size_t>(c.length); i < buf.size(); ++i)
            EXPECT_EQ(buf[i], 0xAB) << "byte " << i << " past " << c.length << " was written";
    }
}

}  // namespace
}  // namespace wb
