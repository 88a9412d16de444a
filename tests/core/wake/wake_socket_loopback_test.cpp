#include <gtest/gtest.h>

#include <cstdint>

#include "support/message_recorder.h"
#include "support/udp_receiver.h"
#include "wake/wake_socket.h"

namespace wb {
namespace {

constexpr std::uint8_t kMac[6] = {0x00, 0xA0, 0xC9, 0x12, 0x34, 0x56};

class WakeSocketLoopback : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(receiver.IsBound()) << "127.0.0.1:2304 is taken"; }
    test::UdpReceiver receiver;
    test::MessageRecorder messages;
};

// Every form the parser takes sends the same frame (the forms themselves are text rows).
TEST_F(WakeSocketLoopback, ReadableFormsEachSendOneFrameOf102Bytes) {
    for (const char* form : {"00-A0-C9-12-34-56", "00a0.c912.3456"}) {
        CWakeSocket s;
        ASSERT_TRUE(s.SetDestination("127.0.0.1"));
        s.SendWakeup(form);
        s.Close();
        auto got = receiver.Drain();
        ASSERT_EQ(got.size(), 1u) << form;
        EXPECT_EQ(test::ToHex(got[0]), test::ToHex(test::ExpectedFrame(kMac)));
    }
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(WakeSocketLoopback, TwoHostsThroughOneObjectGoToTheSameDestination) {
    CWakeSocket s;
    ASSERT_TRUE(s.SetDestination("127.0.0.1"));
    s.SendWakeup("00-A0-C9-12-34-56");
    s.SendWakeup("02-00-5e-00-00-10");
    auto got = receiver.Drain();
    ASSERT_EQ(got.size(), 2u);
    const std::uint8_t second[6] = {0x02, 0x00, 0x5e, 0x00, 0x00, 0x10};
    EXPECT_EQ(got[1], test::ExpectedFrame(second));
}

TEST_F(WakeSocketLoopback, UnparsableAddressShowsTheMessageAndSendsNothing) {
    CWakeSocket s;
    ASSERT_TRUE(s.SetDestination("127.0.0.1"));
    s.SendWakeup("00-A0-C9-12-34");
    s.SendWakeup("00a0c-123456789ab");  // passes the strict test, fails the parse
    EXPECT_TRUE(receiver.Drain().empty());
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[0].text,
              "不合法的以太网地址: 00-A0-C9-12-34\r\n\nWakeburst 未被发送.");
    EXPECT_EQ(messages.Messages()[1].caption, "Wakeburst Utility");
}

}  // namespace
}  // namespace wb
