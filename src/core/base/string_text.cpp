#include "base/string_text.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace wb {

namespace {

// A lead byte range of a multi-byte UTF-8 character, the character's length and the range
// its second byte must fall in (narrower after E0, ED, F0 and F4: overlong forms,
// surrogates and values past U+10FFFF).
struct Utf8Lead {
    unsigned char first, last;
    std::size_t length;
    unsigned char low, high;
};

constexpr Utf8Lead kUtf8Leads[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

unsigned char Byte(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

constexpr char kReplacement[] = "\xEF\xBF\xBD";

}  // namespace

int HexValue(char c) {
    if (IsAsciiDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::size_t Utf8SequenceLength(std::string_view text) {
    if (text.empty()) return 0;
    const unsigned char c = Byte(text, 0);
    if (c < 0x80) return 1;
    const auto* lead = std::find_if(std::begin(kUtf8Leads), std::end(kUtf8Leads),
                                    [c](const Utf8Lead& l) { return c >= l.first && c <= l.last; });
    if (lead == std::end(kUtf8Leads) || text.size() < lead->length) return 0;
    if (Byte(text, 1) < lead->low || Byte(text, 1) > lead->high) return 0;
    for (std::size_t k = 2; k < lead->length; ++k)
        if ((Byte(text, k) & 0xC0) != 0x80) return 0;
    return lead->length;
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t n = Utf8SequenceLength(text);
        if (n)
            out.append(text.substr(0, n));
        else
            out += kReplacement;
        text.remove_prefix(n ? n : 1);
    }
    return out;
}

std::string EscapeControlChars(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    char buf[8];
    while (!text.empty()) {
        const unsigned char c = Byte(text, 0);
        std::size_t n = Utf8SequenceLength(text);
        if (n == 0 || c < 0x20 || c == 0x7F) {
            // A control character, or a byte that is no text (a terminal may read a lone
            // 0x9B as the start of a control sequence).
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
            n = 1;
        } else if (c == 0xC2 && Byte(text, 1) < 0xA0) {
            std::snprintf(buf, sizeof buf, "\\u%04X", Byte(text, 1));
            out += buf;
        } else {
            out.append(text.substr(0, n));
        }
        text.remove_prefix(n);
    }
    return out;
}

}  // namespace wb
