#pragma once

#include <string>
#include <string_view>

namespace wb::cli {

// The text with every byte sequence that is not UTF-8 replaced by U+FFFD, so that what we
// print or hand to a JSON reader is always UTF-8 (a log cut off inside a character, a
// name that was never converted).
std::string ValidUtf8(std::string_view text);

// A JSON string literal, quotes included: UTF-8 passes through, control characters are
// written as \u00XX, invalid bytes become U+FFFD.
std::string JsonString(std::string_view text);

// One CSV field, quoted when it holds a separator, a quote, a line end or outer blanks.
std::string CsvField(std::string_view text);

// Four numbers 0..255 joined by points, in plain decimal; `canonical` gets them without
// leading zeros (a leading zero would make the address conversion read the number as
// octal). Anything else, a part of an address included, leaves `canonical` empty.
bool ParseDottedQuad(const std::string& text, std::string& canonical);

// The whole of a regular file, or of standard input for "-". A pipe, a device or a
// directory given by name is refused rather than read, since it may never end.
bool ReadInputFile(const std::string& path, std::string& bytes);

// Why a file that was to be read could not be, as the system words it (" (No such file or
// directory)"), to follow the message that names the file.
std::string ReadFailureReason(const std::string& path);

}  // namespace wb::cli
