#include <gtest/gtest.h>

#include "core/message_box.h"
#include "core/string_table.h"
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

TEST(StringTable, KnownMessagesFormatExactly) {
    EXPECT_EQ(FormatString1(IDS_BAD_ETHERNET, "00-A0"),
              "不合法的以太网地址: 00-A0\r\n\nWakeburst 未被发送.");
    EXPECT_EQ(FormatString1(IDS_CANNOT_OPEN_READ, "g.mp"), "\t无法以只读方式打开 g.mp .\n");
    EXPECT_EQ(FormatString1(IDS_CANNOT_OPEN_WRITE, "temp.mp"), "\t无法以写入方式打开 temp.mp.\n");
    EXPECT_EQ(FormatString1(IDP_ALARMS_NOT_SAVED, "DwnGs"),
              "无法创建文件 DwnGs\n提醒设置未被保存.");
    EXPECT_EQ(FormatString2(IDS_BAD_BROADCAST, "1.2.3", "g.mp"),
              "\t错误: 1.2.3是一个非法的IP 广播地址.\r\n\n\t文件: g.mp\r\n");
    EXPECT_EQ(FormatString1(IDS_FILE_NOT_FOUND, "x.mp"), "文件 \r\nx.mp\n未被发现.  请查实后重试.");
    EXPECT_EQ(LoadStringText(IDS_SOCKETS_INIT_FAILED), "Windows套接字初始化失败.");
    EXPECT_TRUE(LoadStringText(1).empty());
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

}  // namespace
}  // namespace wb
