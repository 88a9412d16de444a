#include "wake/address_text.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/sockets.h"

namespace wb {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '-' || c == '.'; }

}  // namespace

bool IsValidIpText(const std::string& text) {
    if (text.size() < 7 || text.size() > 15) return false;
    for (char c : text) {
        if (!(IsAsciiDigit(c) || c == '.' || c == '-')) return false;
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

bool ParseEthernetArgument(const std::string& text, std::uint8_t (&out)[6]) {
    const bool bare = text.size() == 12;
    if (!bare && text.size() != 17) return false;
    const char separator = bare ? '\0' : text[2];
    if (!bare && separator != '-' && separator != ':' && separator != '.') return false;
    std::size_t i = 0;
    for (int k = 0; k < 6; ++k) {
        if (k > 0 && !bare && text[i++] != separator) return false;
        if (!IsHexDigit(text[i]) || !IsHexDigit(text[i + 1])) return false;
        out[k] = static_cast<std::uint8_t>(HexValue(text[i]) * 16 + HexValue(text[i + 1]));
        i += 2;
    }
    return true;
}

HostEthernetFault ParseHostEthernet(const std::string& text, std::uint8_t (&out)[6]) {
    if (!ParseEthernetArgument(text, out)) return HostEthernetFault::Malformed;
    const auto all = [&out](std::uint8_t b) {
        return std::all_of(std::begin(out), std::end(out), [b](std::uint8_t x) { return x == b; });
    };
    if (all(0x00)) return HostEthernetFault::AllZero;
    if (all(0xFF)) return HostEthernetFault::Broadcast;
    return HostEthernetFault::None;
}

bool ParseSecureOnPassword(const std::string& text, std::vector<std::uint8_t>& out) {
    std::uint8_t six[6];
    if (ParseEthernetArgument(text, six)) {
        out.assign(six, six + 6);
        return true;
    }
    platform::IpAddress dotted;
    if (text.find(':') == std::string::npos && platform::ParseIpAddress(text, dotted) &&
        !dotted.v6) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&dotted.v4);
        out.assign(bytes, bytes + 4);
        return true;
    }
    return false;
}

bool ParseToolEthernet(const std::string& text, std::string& hyphenated) {
    const char sep = text.find(':') != std::string::npos ? ':' : '-';
    hyphenated.clear();
    std::size_t start = 0;
    for (int part = 0; part < 6; ++part) {
        const std::size_t end = text.find(sep, start);
        if ((part < 5) == (end == std::string::npos)) return false;
        const std::string digits = text.substr(start, end - start);
        if (digits.empty() || digits.size() > 2 ||
            !std::all_of(digits.begin(), digits.end(), IsHexDigit))
            return false;
        hyphenated += (part ? "-" : "") + std::string(2 - digits.size(), '0') + digits;
        start = end + 1;
    }
    return true;
}

}  // namespace wb
