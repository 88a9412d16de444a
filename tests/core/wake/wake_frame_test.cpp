#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "wake/wake_socket.h"

namespace wb {
namespace {

TEST(FillWakeupFrame, SynchronisationThenSixteenCopies) {
    const std::uint8_t mac[6] = {0x00, 0xA0, 0xC9, 0x12, 0x34, 0x56};
    std::uint8_t frame[102] = {};
    ASSERT_EQ(CWakeSocket::FillWakeupFrame(frame, 102, mac, 6), 102);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(frame[i], 0xFF);
    for (int copy = 0; copy < 16; ++copy) {
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(frame[6 + copy * 6 + i], mac[i]) << copy;
    }
}

struct FillCase {
    int length;
    int addressLength;
    int written;
};

class FillWakeupFrameBounds : public ::testing::TestWithParam<FillCase> {};

// A length that is not a whole multiple of the address must not be overrun.
TEST_P(FillWakeupFrameBounds, NeverWritesPastTheBuffer) {
    const FillCase& c = GetParam();
    std::vector<std::uint8_t> buf(static_cast<std::size_t>(c.length) + 16, 0xAB);
    std::vector<std::uint8_t> mac(
        static_cast<std::size_t>(c.addressLength > 0 ? c.addressLength : 1), 0x11);
    EXPECT_EQ(CWakeSocket::FillWakeupFrame(buf.data(), c.length, mac.data(), c.addressLength),
              c.written);
    for (std::size_t i = static_cast<std::size_t>(c.length); i < buf.size(); ++i) {
        EXPECT_EQ(buf[i], 0xAB) << "byte " << i << " past the end was written";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, FillWakeupFrameBounds,
                         ::testing::Values(FillCase{102, 6, 102}, FillCase{100, 6, 96},
                                           FillCase{6, 6, 6}, FillCase{5, 6, 0}, FillCase{0, 6, 0},
                                           FillCase{10, 0, 0}, FillCase{17, 4, 16}));

}  // namespace
}  // namespace wb
