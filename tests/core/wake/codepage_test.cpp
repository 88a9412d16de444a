#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace wb::platform {
namespace {

struct CodeCase {
    const char* utf8;
    const char* gb;
};

class CodepageTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CodepageTest, ConvertsBothWays) {
    auto gb = Utf8ToGb18030(GetParam().utf8);
    ASSERT_TRUE(gb);
    EXPECT_EQ(*gb, GetParam().gb);
    auto back = Gb18030ToUtf8(*gb);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodepageTest,
    ::testing::Values(CodeCase{"", ""}, CodeCase{"DwnGs\r\n", "DwnGs\r\n"},
                      CodeCase{"新建组.mp", "\xd0\xc2\xbd\xa8\xd7\xe9.mp"},  // GBK bytes
                      CodeCase{"*名称未被发现*",
                               "*\xc3\xfb\xb3\xc6\xce\xb4\xb1\xbb\xb7\xa2\xcf\xd6*"},
                      // Outside GBK: GB18030's four-byte form keeps it.
                      CodeCase{"\xf0\x9f\x98\x80", "\x94\x39\xfc\x36"}));

TEST(Codepage, RefusesInvalidInputAndPassesItThroughForFiles) {
    EXPECT_FALSE(Utf8ToGb18030("\xff\xfe"));
    EXPECT_FALSE(Gb18030ToUtf8("\x81"));
    EXPECT_EQ(ToFileText("\xff"), "\xff");
    EXPECT_EQ(FromFileText("\x81"), "\x81");
}

}  // namespace
}  // namespace wb::platform
