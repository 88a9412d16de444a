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

struct EscapeCase {
    const char* label;
    std::string text;
    std::string shown;
};

class EscapeControlCharsTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeControlCharsTest, LeavesOnlyPrintableText) {
    EXPECT_EQ(EscapeControlChars(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EscapeControlCharsTest,
    ::testing::Values(EscapeCase{"TextStays", "D:\\组 1\\😀.mp", "D:\\组 1\\😀.mp"},
                      EscapeCase{"LineEndsTabNulDel", std::string("a\r\n\tb\0\x7f", 7),
                                 "a\\x0D\\x0A\\x09b\\x00\\x7F"},
                      EscapeCase{"EscapeSequence", "\x1b[2J", "\\x1B[2J"},
                      // A terminal may take these as the start of a control sequence.
                      EscapeCase{"C1ControlInUtf8",
                                 "a\xc2\x9b"
                                 "2J\xc2\xa0",
                                 "a\\u009B2J\xc2\xa0"},
                      EscapeCase{"LoneBytes", "caf\xe9 \x9b", "caf\\xE9 \\x9B"},
                      EscapeCase{"CutCharacter", "\xe4\xb8", "\\xE4\\xB8"},
                      EscapeCase{"OverlongAndSurrogate", "\xc0\xaf\xed\xa0\x80",
                                 "\\xC0\\xAF\\xED\\xA0\\x80"}),
    [](const auto& info) { return std::string(info.param.label); });

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
