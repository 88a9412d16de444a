#include <gtest/gtest.h>

#include "base/message_box.h"
#include "base/string_table.h"
#include "support/message_recorder.h"

namespace wb {
namespace {

struct FormatCase {
    const char* pattern;
    const char* a1;
    const char* a2;
    const char* expected;
};

class FormatPlaceholdersTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatPlaceholdersTest, ReplacesOnlyNumberedPlaceholders) {
    const FormatCase& c = GetParam();
    const std::string args[2] = {c.a1, c.a2};
    EXPECT_EQ(FormatPlaceholders(c.pattern, args, 2), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FormatPlaceholdersTest,
                         ::testing::Values(FormatCase{"%1 and %2", "a", "b", "a and b"},
                                           FormatCase{"%2%1%2", "a", "b", "bab"},
                                           FormatCase{"100% %d %s %%1", "x", "y", "100% %d %s %x"},
                                           FormatCase{"%3 end", "x", "y", " end"},
                                           FormatCase{"tail %", "x", "y", "tail %"},
                                           FormatCase{"%1", "%2", "y",
                                                      "%2"}));  // arguments are not re-scanned

// The formatted messages are checked where each is shown, byte for byte.
TEST(StringTable, UnknownIdIsEmpty) { EXPECT_TRUE(LoadStringText(1).empty()); }

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

}  // namespace
}  // namespace wb
