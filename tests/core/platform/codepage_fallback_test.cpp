#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace wb::platform {
namespace {

// Where code page 54936 is missing (Wine), the files fall back on GBK. Either way a text
// must come out exactly as GB18030 has it or be refused, never with '?' put in its place.
struct FallbackCase {
    const char* label;
    const char* utf8;
    const char* gb18030;
    bool inGbk;
};

void PrintTo(const FallbackCase& c, std::ostream* os) { *os << c.label; }

class CodepageFallback : public ::testing::TestWithParam<FallbackCase> {};

TEST_P(CodepageFallback, ExactOrRefusedNeverReplaced) {
    const FallbackCase& c = GetParam();
    const auto gb = Utf8ToGb18030(c.utf8);
    if (c.inGbk) {
        ASSERT_TRUE(gb);
    }
    if (gb) {
        EXPECT_EQ(*gb, c.gb18030);
    } else {
        // Written as it came rather than lost: ToFileText keeps the UTF-8 bytes.
        EXPECT_EQ(ToFileText(c.utf8), c.utf8);
    }
    const auto back = Gb18030ToUtf8(c.gb18030);
    if (c.inGbk) {
        ASSERT_TRUE(back);
    }
    if (back) {
        EXPECT_EQ(*back, c.utf8);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CodepageFallback,
                         ::testing::Values(FallbackCase{"AlarmText", "提醒设置",
                                                        "\xcc\xe1\xd0\xd1\xc9\xe8\xd6\xc3", true},
                                           FallbackCase{"GbkSymbol", "￥", "\xa3\xa4", true},
                                           FallbackCase{"EmojiFourBytes", "\xf0\x9f\x98\x80",
                                                        "\x94\x39\xfc\x36", false},
                                           FallbackCase{"CjkExtensionB", "\xf0\xa0\x80\x80",
                                                        "\x95\x32\x82\x36", false}));

}  // namespace
}  // namespace wb::platform
