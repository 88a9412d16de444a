#include "wake/address_text.h"

#include <cstring>

namespace wb {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

bool IsSeparator(char c) { return c == ' ' || c == '-' || c == '.'; }

}  // namespace

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsValidIpText(const std::string& text) {
    if (text.size() < 7 || text.size() > 15) return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-')) return false;
    }
    return true;
}

bool IsValidEthernetText(const std::string& text) {
    if (text.size() != 17) return false;
    if (text == "00-00-00-00-00-00" || text == "00.00.00.00.00.00") return false;
    for (std::size_t i = 0; i < 17; ++i) {
        char c = text[i];
        if (IsHexDigit(c)) continue;
        if ((c == '-' || c == '.') && (i + 1) % 3 == 0) continue;
        return false;
    }
    return true;
}

bool ParseEthernetAddress(const std::string& text, std::uint8_t* out, int count) {
    if (count <= 0) return true;
    std::size_t pos = 0;
    const std::size_t n = text.size();
    for (int j = 0; j < count; ++j) {
        while (pos < n && IsSeparator(text[pos]))
            ++pos;
        if (pos + 1 >= n || !IsHexDigit(text[pos]) || !IsHexDigit(text[pos + 1])) {
            std::memset(out, 0, static_cast<std::size_t>(count));
            return false;
        }
        out[j] = static_cast<std::uint8_t>(HexValue(text[pos]) * 16 + HexValue(text[pos + 1]));
        pos += 2;
    }
    return true;
}

}  // namespace wb
