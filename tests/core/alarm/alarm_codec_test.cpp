#include <gtest/gtest.h>

#include "alarm/alarm_store_codec.h"
#include "support/alarm_test_util.h"

namespace wb {
namespace {

using test::FromHex;

const char kClassHeader[] = "ffff 0100 0d00 43416c61726d53657474696e67";

// A record body in the store's encoding, written out independently of the codec.
std::string Body(const std::string& path, int days, int hour, int minute,
                 const std::string& broadcast) {
    auto le32 = [](int v) {
        std::string s;
        for (int k = 0; k < 4; ++k)
            s += static_cast<char>((static_cast<unsigned>(v) >> (8 * k)) & 0xFF);
        return s;
    };
    return static_cast<char>(path.size()) + path + static_cast<char>(days) + le32(hour) +
           le32(minute) + static_cast<char>(broadcast.size()) + broadcast;
}

const std::string kMondayBody = Body("D:\\g.mp", 0x04, 7, 30, "255.255.255.255");

TEST(AlarmStoreCodec, WritesTheFiftyFourByteExample) {
    auto rec = std::make_shared<CAlarmSetting>();
    rec->SetGroupFile("D:\\g.mp");
    rec->SetDays(kMonday);
    rec->SetHour(7);
    rec->SetMinute(30);
    rec->SetBroadcast("255.255.255.255");
    const std::string expected = test::ReadFileBytes(test::DataFile("monday_0730.DwnGs"));
    ASSERT_EQ(expected.size(), 54u);
    EXPECT_EQ(EncodeAlarmStore({rec}), expected);

    AlarmList back;
    ASSERT_TRUE(DecodeAlarmStore(expected, back));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(*back[0], *rec);
}

TEST(AlarmStoreCodec, LaterRecordsReferToTheClassAs8001) {
    auto a = std::make_shared<CAlarmSetting>();
    auto b = std::make_shared<CAlarmSetting>();
    b->SetDays(kEveryDay);
    const std::string bytes = EncodeAlarmStore({a, b, a});
    const std::string empty = Body("", 0, 0, 0, "");
    EXPECT_EQ(bytes, FromHex("0300") + FromHex(kClassHeader) + empty + FromHex("0180") +
                         Body("", 0xFE, 0, 0, "") + FromHex("0180") + empty);
    EXPECT_EQ(EncodeAlarmStore({}), FromHex("0000"));
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    bool ok;
    std::size_t count;
};

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

class AlarmStoreDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(AlarmStoreDecode, AcceptsOnlyWhatTheWriterProduces) {
    AlarmList out;
    out.push_back(std::make_shared<CAlarmSetting>());  // a refused store must leave nothing
    EXPECT_EQ(DecodeAlarmStore(GetParam().bytes, out), GetParam().ok);
    ASSERT_EQ(out.size(), GetParam().count);
    for (const AlarmPtr& rec : out)
        ASSERT_TRUE(rec);
    for (std::size_t i = 0; i + 1 < out.size(); ++i)
        EXPECT_NE(out[i], out[i + 1]);
}

const std::string kHeader = FromHex(kClassHeader);
const std::string kRef = FromHex("0180");

INSTANTIATE_TEST_SUITE_P(
    Table, AlarmStoreDecode,
    ::testing::Values(
        DecodeCase{"EmptyList", FromHex("0000"), true, 0}, DecodeCase{"ZeroLength", "", false, 0},
        DecodeCase{"ShortCount", FromHex("01"), false, 0},
        DecodeCase{"CountThreeTwoRecords",
                   FromHex("0300") + kHeader + kMondayBody + kRef + kMondayBody, false, 0},
        DecodeCase{"CutInsideBody", FromHex("0100") + kHeader + kMondayBody.substr(0, 20), false,
                   0},
        DecodeCase{"SchemaTwo",
                   FromHex("0100 ffff 0200 0d00 43416c61726d53657474696e67") + kMondayBody, false,
                   0},
        DecodeCase{"AnotherClass",
                   FromHex("0100 ffff 0100 0d00 43416c61726d53657474696e68") + kMondayBody, false,
                   0},
        DecodeCase{"LongerClassName",
                   FromHex("0100 ffff 0100 0e00 43416c61726d53657474696e6773") + kMondayBody, false,
                   0},
        DecodeCase{"TwentyRecords",
                   FromHex("1400") + kHeader + kMondayBody + Repeat(kRef + kMondayBody, 19), true,
                   20},
        DecodeCase{"TrailingBytes", FromHex("0100") + kHeader + kMondayBody + FromHex("deadbeef"),
                   true, 1},
        DecodeCase{"TwoEqualRecords", FromHex("0200") + kHeader + kMondayBody + kRef + kMondayBody,
                   true, 2},
        DecodeCase{"LargeCount", FromHex("ffff 01000000") + kHeader + kMondayBody, true, 1},
        DecodeCase{"LargeCountShort", FromHex("ffff 0100"), false, 0},
        DecodeCase{"NullEntry", FromHex("0100 0000"), false, 0},
        DecodeCase{"ClassReferenceFirst", FromHex("0100") + kRef + kMondayBody, false, 0},
        DecodeCase{"BackReferenceToRecord",
                   FromHex("0200") + kHeader + kMondayBody + FromHex("0200"), false, 0},
        DecodeCase{"ClassReferenceToRecord",
                   FromHex("0200") + kHeader + kMondayBody + FromHex("0280") + kMondayBody, false,
                   0},
        DecodeCase{"ClassReferenceUnknown",
                   FromHex("0200") + kHeader + kMondayBody + FromHex("0780") + kMondayBody, false,
                   0},
        DecodeCase{"BigClassTag",
                   FromHex("0200") + kHeader + kMondayBody + FromHex("ff7f 01000080") + kMondayBody,
                   true, 2},
        DecodeCase{"BigObjectBackReference",
                   FromHex("0200") + kHeader + kMondayBody + FromHex("ff7f 02000000"), false, 0},
        // A second description of the same class takes its own number, as the archive does.
        DecodeCase{"ClassDescribedTwice",
                   FromHex("0300") + kHeader + kMondayBody + kHeader + kMondayBody +
                       FromHex("0380") + kMondayBody,
                   true, 3},
        DecodeCase{"TextLongerThanFile", FromHex("0100") + kHeader + FromHex("ff ff00"), false, 0},
        DecodeCase{"HugeCountFewBytes", FromHex("ffff ffffff7f") + kHeader + kMondayBody, false,
                   0}),
    [](const auto& info) { return std::string(info.param.name); });

struct PrefixCase {
    std::size_t length;
    const char* prefix;
};

class AlarmStoreTextPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(AlarmStoreTextPrefix, LengthPrefixAndRoundTrip) {
    auto rec = std::make_shared<CAlarmSetting>();
    rec->SetGroupFile(std::string(GetParam().length, 'p'));
    const std::string bytes = EncodeAlarmStore({rec});
    const std::string prefix = FromHex(GetParam().prefix);
    // After the count (2 bytes) and the class header (19 bytes).
    ASSERT_GE(bytes.size(), 21 + prefix.size() + GetParam().length);
    EXPECT_EQ(test::ToHex(bytes.substr(21, prefix.size())), GetParam().prefix);
    EXPECT_TRUE(bytes.compare(21 + prefix.size(), GetParam().length, rec->m_strGroupFile) == 0);
    AlarmList back;
    ASSERT_TRUE(DecodeAlarmStore(bytes, back));
    EXPECT_TRUE(back.at(0)->m_strGroupFile == rec->m_strGroupFile);
}

INSTANTIATE_TEST_SUITE_P(Table, AlarmStoreTextPrefix,
                         ::testing::Values(PrefixCase{0, "00"}, PrefixCase{1, "01"},
                                           PrefixCase{254, "fe"}, PrefixCase{255, "ffff00"},
                                           PrefixCase{256, "ff0001"}, PrefixCase{0xFFFD, "fffdff"},
                                           PrefixCase{0xFFFE, "fffffffeff0000"},
                                           PrefixCase{0x10000, "ffffff00000100"}));

TEST(AlarmStoreCodec, TextsAreGbkOnDiskAndUtf8InMemory) {
    auto rec = std::make_shared<CAlarmSetting>();
    rec->SetGroupFile("D:\\组1.mp");
    const std::string bytes = EncodeAlarmStore({rec});
    // 组 is D7 E9 in GBK: the store holds the bytes the original program wrote.
    EXPECT_EQ(bytes.substr(21), FromHex("09 443a5c d7e9 31 2e6d70 00 00000000 00000000 00"));
    AlarmList back;
    ASSERT_TRUE(DecodeAlarmStore(bytes, back));
    EXPECT_EQ(back.at(0)->m_strGroupFile, "D:\\组1.mp");
}

// Arbitrary bytes and their round trip through the codec are the fuzz target's work.

}  // namespace
}  // namespace wb
