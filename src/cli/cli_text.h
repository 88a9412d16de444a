#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include "base/string_text.h"

namespace wb::cli {

// A JSON string literal, quotes included: UTF-8 passes through, control characters are
// written as \u00XX, invalid bytes become U+FFFD.
std::string JsonString(std::string_view text);

// The IP address a host list gives a host whose address is not known.
inline constexpr char kNoIpAddress[] = "0.0.0.0";

// One CSV field, quoted when it holds a separator, a quote, a line end or outer blanks. A
// field a spreadsheet would run as a formula (one that starts with '=', '+', '-', '@', a
// TAB or a CR, after any single quotes) gets one more single quote in front, and quotes.
std::string CsvField(std::string_view text);
// A CSV field as it was before CsvField guarded it.
std::string CsvUnguarded(std::string text);

// The closing line of a command that met `lines` host-list lines it could not read: how the
// system writes an Ethernet address, and where to get other forms converted.
std::string UnreadLinesHint(std::uint64_t lines);

// The whole of a regular file, or of standard input for "-". A pipe, a device or a
// directory given by name is refused rather than read, since it may never end.
bool ReadInputFile(const std::string& path, std::string& bytes);

// Why a file that was to be read could not be, as the system words it (" (No such file or
// directory)"), to follow the message that names the file.
std::string ReadFailureReason(const std::string& path);

// Input that is read a line at a time, whatever its size: a regular file, or standard input
// for "-" (a pipe, a device or a directory given by name is refused, since it may never
// end). A line longer than kMaxInputLine bytes is refused rather than held: no line of the
// input that the tool takes comes near it.
class CInputLines final {
public:
    static constexpr std::size_t kMaxInputLine = 4096;
    enum class Result { Line, End, TooLong, Failed };

    explicit CInputLines(const std::string& path);
    bool IsOpen() const { return m_in != nullptr; }
    // The next line without its line end (LF or CR LF); `number` counts from 1.
    Result Next(std::string& line);
    std::uint64_t Number() const { return m_number; }
    // A CSV record: lines joined by a line feed while a quoted field is open, up to
    // kMaxInputLine bytes in all; `First()` is the number of its first line. A quote still
    // open at the end comes back as it is.
    Result NextRecord(std::string& record);
    std::uint64_t First() const { return m_first; }
    // The first byte that is not white space, not taken, or -1 at the end; the line feeds
    // passed count as lines.
    int PeekSignificant();
    // The next byte, or -1 at the end or on a read error (then `Failed()`).
    int Get();
    int Peek() { return m_in && m_in->peek() != std::char_traits<char>::eof() ? m_in->peek() : -1; }
    bool Failed() const { return m_in && m_in->bad(); }

private:
    std::unique_ptr<std::istream> m_file;
    std::istream* m_in = nullptr;
    std::uint64_t m_number = 0;
    std::uint64_t m_first = 0;
};

}  // namespace wb::cli
