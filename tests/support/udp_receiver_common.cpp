#include "support/udp_receiver.h"

namespace wb::test {

std::string ToHex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (unsigned char c : bytes) {
        s += digits[c >> 4];
        s += digits[c & 15];
    }
    return s;
}

std::string ExpectedFrame(const std::uint8_t (&mac)[6]) {
    std::string f(6, '\xff');
    for (int i = 0; i < 16; ++i)
        f.append(reinterpret_cast<const char*>(mac), 6);
    return f;
}

}  // namespace wb::test
