#include <gtest/gtest.h>

#include "support/message_recorder.h"
#include "wake/network_error.h"

namespace wb {
namespace {

struct ErrorCase {
    int code;
    const char* text;
};

class NetworkErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(NetworkErrorTest, HandsBackTheTextWithoutABox) {
    test::MessageRecorder rec;
    std::string out;
    ReportNetworkError(GetParam().code, &out);
    EXPECT_EQ(out, GetParam().text);
    EXPECT_TRUE(rec.Messages().empty());
}

TEST_P(NetworkErrorTest, ShowsOneBoxWithoutAnOutput) {
    test::MessageRecorder rec;
    ReportNetworkError(GetParam().code);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Messages()[0].text, GetParam().text);
    EXPECT_EQ(rec.Messages()[0].caption, "Wakeburst Utility");
    EXPECT_EQ(rec.Messages()[0].buttons, MsgButtons::Ok);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NetworkErrorTest,
    ::testing::Values(ErrorCase{10004, "阻止调用被取消."},
                      ErrorCase{10014, "name属性不是用户地址空间的有效组成部分."},
                      ErrorCase{10036, "服务仍在处理一个回调函数."}, ErrorCase{10050, "网络错误."},
                      ErrorCase{10093, "Winsock初始化错误."},
                      ErrorCase{11001, "未发现授权应答主机."},
                      ErrorCase{11002, "未发现主机 或 服务器故障."},
                      ErrorCase{11003, "不可恢复的错误."},
                      ErrorCase{11004, "名称有效,但没有数据记录"}, ErrorCase{0, "未知错误!!!"},
                      ErrorCase{10060, "未知错误!!!"}, ErrorCase{-1, "未知错误!!!"}));

}  // namespace
}  // namespace wb
