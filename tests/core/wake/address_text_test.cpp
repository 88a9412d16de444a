#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "wake/address_text.h"

namespace wb {
namespace {

struct TextCase {
    const char* text;
    bool valid;
};

class IpTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(IpTextTest, Judges) { EXPECT_EQ(IsValidIpText(GetParam().text), GetParam().valid); }

INSTANTIATE_TEST_SUITE_P(
    Table, IpTextTest,
    ::testing::Values(TextCase{"1.2.3.4", true}, TextCase{"255.255.255.255", true},
                      TextCase{"1.2.3", false}, TextCase{"192.168.100.1000", false},
                      TextCase{"10-0-0-1", true}, TextCase{"1234567", true},
                      TextCase{"10.0.0.a", false}, TextCase{"10.0. 0.1", false},
                      TextCase{"", false}, TextCase{"1.2.3.\xe4\xb8\x80", false}));

class EthernetTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(EthernetTextTest, Judges) {
    EXPECT_EQ(IsValidEthernetText(GetParam().text), GetParam().valid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, EthernetTextTest,
    ::testing::Values(TextCase{"00-A0-C9-12-34-56", true}, TextCase{"00.a0.c9.12.34.56", true},
                      TextCase{"00-a0.C9-12.34-56", true}, TextCase{"00:A0:C9:12:34:56", false},
                      TextCase{"00 A0 C9 12 34 56", false}, TextCase{"00-00-00-00-00-00", false},
                      TextCase{"00.00.00.00.00.00", false}, TextCase{"00-00.00-00-00-00", true},
                      TextCase{"00a0c9123456789ab", true}, TextCase{"00a0c-123456789ab", true},
                      TextCase{"00-A0-C9-12-34-5", false}, TextCase{"00-A0-C9-12-34-567", false},
                      TextCase{"0-0A0-C9-12-34-56", false}, TextCase{"00-A0-C9-12-34-5g", false},
                      TextCase{"", false}));

struct ParseCase {
    const char* text;
    bool ok;
    std::array<std::uint8_t, 6> bytes;
};

class ParseEthernetTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseEthernetTest, Reads) {
    std::array<std::uint8_t, 6> out;
    out.fill(0xEE);
    EXPECT_EQ(ParseEthernetAddress(GetParam().text, out.data(), 6), GetParam().ok);
    EXPECT_EQ(out, GetParam().bytes) << GetParam().text;
}

constexpr std::array<std::uint8_t, 6> kMac = {0x00, 0xA0, 0xC9, 0x12, 0x34, 0x56};
constexpr std::array<std::uint8_t, 6> kZero = {};

INSTANTIATE_TEST_SUITE_P(
    Table, ParseEthernetTest,
    ::testing::Values(
        ParseCase{"00-A0-C9-12-34-56", true, kMac}, ParseCase{"00a0c9123456", true, kMac},
        ParseCase{"00 a0 c9 12 34 56", true, kMac}, ParseCase{"00a0.c912.3456", true, kMac},
        ParseCase{"--00--a0 c9.12-34 56", true, kMac},
        ParseCase{"00-A0-C9-12-34-56-78", true, kMac},
        ParseCase{"00-A0-C9-12-34-56junk", true, kMac}, ParseCase{"0-A0-C9-12-34-56", false, kZero},
        ParseCase{"00-A0-C9-12-34", false, kZero}, ParseCase{"00-A0-C9-12-34-5", false, kZero},
        ParseCase{"00:A0:C9:12:34:56", false, kZero}, ParseCase{"00a0c-123456789ab", false, kZero},
        ParseCase{"", false, kZero}, ParseCase{"   ", false, kZero}));

TEST(ParseEthernetAddress, CountOfZeroOrLessWritesNothing) {
    std::uint8_t out[2] = {7, 7};
    EXPECT_TRUE(ParseEthernetAddress("zz", out, 0));
    EXPECT_TRUE(ParseEthernetAddress("zz", out, -3));
    EXPECT_EQ(out[0], 7);
    EXPECT_EQ(out[1], 7);
}

TEST(IsHexDigit, AcceptsOnlyHexadecimalDigits) {
    for (int c = 0; c < 256; ++c) {
        bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        EXPECT_EQ(IsHexDigit(static_cast<char>(c)), hex) << c;
    }
}

}  // namespace
}  // namespace wb
