#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "alarm/alarm_store_codec.h"
#include "support/alarm_test_util.h"

namespace wb {
namespace {

using test::FromHex;

const char kClassHeader[] = "ffff 0100 0d00 43416c61726d53657474696e67";

// Record bodies: the group file, the days, hour and minute (32 bits each), the broadcast.
const std::string kMondayBody =
    FromHex("07 443a5c672e6d70 04 07000000 1e000000 0f 3235352e3235352e3235352e323535");
const std::string kEmptyBody = FromHex("00 00 00000000 00000000 00");

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
    EXPECT_EQ(bytes, FromHex("0300") + FromHex(kClassHeader) + kEmptyBody + FromHex("0180") +
                         FromHex("00 fe 00000000 00000000 00") + FromHex("0180") + kEmptyBody);
    EXPECT_EQ(EncodeAlarmStore({}), FromHex("0000"));
}

struct DecodeCase {
    std::string name, bytes;
    bool ok;
    std::size_t count;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

std::vector<DecodeCase> DecodeCases() {
    const std::map<char, std::string> parts = {
        {'H', FromHex(kClassHeader)}, {'B', kMondayBody}, {'R', FromHex("0180")}};
    std::ifstream in(test::DataFile("decode.txt"));
    std::vector<DecodeCase> cases;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        DecodeCase c;
        if (line.empty() || line[0] == '#' || !(words >> c.name >> c.ok >> c.count)) continue;
        for (std::string w; words >> w;) {
            const auto star = w.find('*');
            const std::string unit = w.substr(0, star);
            std::string bytes;
            for (char p : unit)
                bytes += parts.count(p) ? parts.at(p) : "";
            if (bytes.empty()) bytes = FromHex(unit);
            for (int n = star == std::string::npos ? 1 : std::stoi(w.substr(star + 1)); n > 0; --n)
                c.bytes += bytes;
        }
        cases.push_back(c);
    }
    return cases;
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

INSTANTIATE_TEST_SUITE_P(Data, AlarmStoreDecode, ::testing::ValuesIn(DecodeCases()),
                         [](const auto& info) { return info.param.name; });

TEST(AlarmStoreDecodeData, IsRead) { EXPECT_GE(DecodeCases().size(), 20u); }

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
