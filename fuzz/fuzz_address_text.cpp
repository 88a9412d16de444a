// The three address rules over arbitrary text. The first byte chooses how many bytes
// ParseEthernetAddress is asked for (-1 to 8); the rest is the text. What must hold:
// IsValidIpText and IsValidEthernetText agree with their grammars written as regular
// expressions; ParseEthernetAddress either fails with every requested byte zero or returns
// the pairs that a regular expression finds at the start of the text; it never writes past
// the bytes it was asked for.
#include <cstdint>
#include <cstring>
#include <regex>
#include <string>

#include "fuzz_support.h"
#include "wake/address_text.h"

namespace {

constexpr std::uint8_t kCanary = 0xA5;
constexpr int kRoom = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int count = static_cast<int>(data[0] % 10) - 1;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    // std::regex recurses per character; the rules themselves only look at 17 characters.
    if (text.size() > 64) return 0;

    static const std::regex ip("[0-9.-]{7,15}"),
        ethernet(
            "[0-9A-Fa-f]{2}[-.0-9A-Fa-f][0-9A-Fa-f]{2}[-.0-9A-Fa-f][0-9A-Fa-f]{2}[-.0-9A-Fa-f]"
            "[0-9A-Fa-f]{2}[-.0-9A-Fa-f][0-9A-Fa-f]{2}[-.0-9A-Fa-f][0-9A-Fa-f]{2}");
    FUZZ_CHECK(wb::IsValidIpText(text) == std::regex_match(text, ip));
    const bool allZero = text == "00-00-00-00-00-00" || text == "00.00.00.00.00.00";
    FUZZ_CHECK(wb::IsValidEthernetText(text) == (!allZero && std::regex_match(text, ethernet)));

    std::uint8_t out[kRoom];
    std::memset(out, kCanary, sizeof out);
    const bool parsed = wb::ParseEthernetAddress(text, out, count);
    for (int i = count > 0 ? count : 0; i < kRoom; ++i)
        FUZZ_CHECK(out[i] == kCanary);
    if (count <= 0) {
        FUZZ_CHECK(parsed);
        return 0;
    }
    // `count` pairs, each behind any run of blanks, hyphens and points, at the text's start.
    std::string lenient;
    for (int i = 0; i < count; ++i)
        lenient += "[ .-]*([0-9A-Fa-f]{2})";
    std::smatch m;
    const bool expected =
        std::regex_search(text, m, std::regex(lenient), std::regex_constants::match_continuous);
    FUZZ_CHECK(parsed == expected);
    for (int i = 0; i < count; ++i) {
        if (!parsed) {
            FUZZ_CHECK(out[i] == 0);
            continue;
        }
        FUZZ_CHECK(out[i] == std::stoi(m[i + 1].str(), nullptr, 16));
    }
    return 0;
}
