#include <gtest/gtest.h>

#include <cstdint>

#include "platform/inet_addr.h"

namespace wb::platform {
namespace {

struct InetCase {
    const char* text;
    bool ok;
    std::uint8_t b[4];
};

class InetAddrTest : public ::testing::TestWithParam<InetCase> {};

TEST_P(InetAddrTest, Converts) {
    const InetCase& c = GetParam();
    std::uint32_t a = InetAddr(c.text);
    if (!c.ok) {
        EXPECT_EQ(a, kInetAddrNone) << c.text;
        return;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&a);
    EXPECT_EQ(bytes[0], c.b[0]) << c.text;
    EXPECT_EQ(bytes[1], c.b[1]) << c.text;
    EXPECT_EQ(bytes[2], c.b[2]) << c.text;
    EXPECT_EQ(bytes[3], c.b[3]) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, InetAddrTest,
    ::testing::Values(
        InetCase{"127.0.0.1", true, {127, 0, 0, 1}},
        InetCase{"198.51.100.255", true, {198, 51, 100, 255}},
        InetCase{"255.255.255.0", true, {255, 255, 255, 0}},
        InetCase{"255.255.255.010", true, {255, 255, 255, 8}},  // octal
        InetCase{"0x7f.1", true, {127, 0, 0, 1}}, InetCase{"10.1", true, {10, 0, 0, 1}},
        InetCase{"10.1.258", true, {10, 1, 1, 2}}, InetCase{"2130706433", true, {127, 0, 0, 1}},
        InetCase{"0", true, {0, 0, 0, 0}}, InetCase{"1.2.3.4 ", true, {1, 2, 3, 4}},
        InetCase{"255.255.255.255", false, {}},  // same bits as the error value
        InetCase{"", false, {}}, InetCase{"1.2.3.256", false, {}}, InetCase{"1.2.3.4.5", false, {}},
        InetCase{"1..2", false, {}}, InetCase{"1.2.3.", false, {}}, InetCase{"08.1.1.1", false, {}},
        InetCase{"0x", false, {}}, InetCase{"1.2.3.4x", false, {}},
        InetCase{"host.example", false, {}}, InetCase{"4294967296", false, {}},
        InetCase{"-1", false, {}}));

TEST(FormatInetAddr, WritesDottedDecimal) {
    char buf[16];
    EXPECT_EQ(FormatInetAddr(InetAddr("198.51.100.37"), buf), "198.51.100.37");
}

}  // namespace
}  // namespace wb::platform
