#include <gtest/gtest.h>

#include <cstdint>

#include "platform/inet_addr.h"
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

class LenientForms : public WakeSocketLoopback,
                     public ::testing::WithParamInterface<const char*> {};

TEST_P(LenientForms, EachSendsOneFrameOf102Bytes) {
    CWakeSocket s;
    ASSERT_TRUE(s.SetDestination("127.0.0.1"));
    s.SendWakeup(GetParam());
    s.Close();
    auto got = receiver.Drain();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(test::ToHex(got[0]), test::ToHex(test::ExpectedFrame(kMac)));
    EXPECT_TRUE(messages.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, LenientForms,
                         ::testing::Values("00-A0-C9-12-34-56", "00a0c9123456", "00a0.c912.3456",
                                           "00 a0 c9 12 34 56", "00-A0-C9-12-34-56-78"));

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

struct DestCase {
    const char* text;
    bool ok;
    const char* addr;
};

class SetDestinationTest : public ::testing::TestWithParam<DestCase> {};

// Only the destination is looked at here; nothing is sent.
TEST_P(SetDestinationTest, SetsTheAddress) {
    CWakeSocket s;
    EXPECT_EQ(s.Destination().addr, 0xFFFFFFFFu);
    EXPECT_EQ(s.Destination().port, 2304);
    EXPECT_EQ(s.SetDestination(GetParam().text), GetParam().ok);
    char buf[16];
    EXPECT_EQ(platform::FormatInetAddr(s.Destination().addr, buf), GetParam().addr);
}

INSTANTIATE_TEST_SUITE_P(Table, SetDestinationTest,
                         ::testing::Values(DestCase{"255.255.255.255", true, "255.255.255.255"},
                                           DestCase{"198.51.100.255", true, "198.51.100.255"},
                                           DestCase{"127.0.0.1", true, "127.0.0.1"},
                                           DestCase{"localhost", true, "127.0.0.1"},
                                           DestCase{"no-such-host.invalid", false,
                                                    "255.255.255.255"},
                                           DestCase{"", false, "255.255.255.255"}));

}  // namespace
}  // namespace wb
