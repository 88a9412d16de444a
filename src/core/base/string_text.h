#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wb {

// Small rules on text that the core, the tool and the window share. They know ASCII only
// where they say so: a byte of 0x80 or above is never a digit, a letter or a blank.

inline constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// 0-9, a-f and A-F.
inline constexpr bool IsHexDigit(char c) {
    return IsAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The value of a hexadecimal digit, or -1 for any other character.
int HexValue(char c);

// Not empty, and every character an ASCII digit.
bool AllDigits(std::string_view text);

// The text with A-Z turned into a-z; every other byte, UTF-8 included, as it is.
std::string AsciiLower(std::string text);

// The length of the well-formed UTF-8 character at the start of `text` (1 to 4), or 0 when
// none starts there: a stray continuation byte, an overlong form, a surrogate, a value past
// U+10FFFF or a character cut off by the end of the text. 0 for an empty text.
std::size_t Utf8SequenceLength(std::string_view text);

// The text with every byte that starts no well-formed UTF-8 character replaced by U+FFFD,
// so that what is printed or handed to a JSON reader is always UTF-8 (a log cut off inside a
// character, a name that was never converted).
std::string ValidUtf8(std::string_view text);

// A value from outside (a file name, an address, an argument) as it is shown inside a
// message: control characters, DEL and bytes that are not UTF-8 become \xHH, the C1
// controls \uHHHH, so that a line feed in it cannot forge a line of its own and an escape
// sequence cannot reach a terminal. Other characters stay as they are.
std::string EscapeControlChars(std::string_view text);

}  // namespace wb
