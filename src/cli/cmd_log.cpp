#include <algorithm>
#include <cctype>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "alarm/alarm_store.h"
#include "alarm/wake_log.h"
#include "base/string_table.h"
#include "base/translate.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/commands.h"
#include "platform/codepage.h"
#include "platform/file_path.h"

namespace wb::cli {

namespace {

// An entry begins with its date line, "%A, %B %d, %Y %H:%M" in English; body lines begin
// with a TAB or are empty.
bool IsDateLine(const std::string& line) {
    static const std::regex date(
        "(Sun|Mon|Tues|Wednes|Thurs|Fri|Satur)day, (January|February|March|April|May|June|July|"
        "August|September|October|November|December) [0-9]{2}, [0-9]{4} [0-9]{2}:[0-9]{2}");
    return !line.empty() && line[0] != '\t' && std::regex_match(line, date);
}

// The number of --tail, or -1 without it; false after one line for a value that is no number.
bool ReadTail(const ParsedArgs& pa, long long& tail) {
    tail = -1;
    if (!pa.Has("--tail")) return true;
    const std::string text = pa.Get("--tail");
    if (text.size() <= 9 && AllDigits(text)) {
        tail = std::stoll(text);
        return true;
    }
    PrintErr(FormatText(WB_TR("wakeburst", "wakeburst log: --tail 须为条目的数目, 而不是 '%1'"),
                        {EscapeControlChars(text)}));
    return false;
}

// Lines in UTF-8 without their CRs (a message's own CR LF is stored as CR CR LF), and the
// indices of the date lines. GB18030 never uses the byte 0x0A inside a character, so each
// line converts alone and a damaged one spoils no other.
void SplitEntries(const std::string& bytes, std::vector<std::string>& lines,
                  std::vector<std::size_t>& starts) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        const bool ended = end != std::string::npos;
        if (!ended) end = bytes.size();
        std::size_t stop = end;
        while (ended && stop > pos && bytes[stop - 1] == '\r')
            --stop;
        const std::string raw = bytes.substr(pos, stop - pos);
        const auto utf8 = platform::Gb18030ToUtf8(raw);
        lines.push_back((utf8 ? *utf8 : ValidUtf8(raw)) + (ended ? "\n" : ""));
        if (IsDateLine(raw)) starts.push_back(lines.size() - 1);
        pos = end + 1;
    }
}

}  // namespace

int RunLog(const ParsedArgs& pa) {
    long long tail = -1;
    if (!ReadTail(pa, tail)) return kExitUsage;
    const std::string dir = StoreDirectory(pa);
    if (dir.empty()) return kExitFailed;
    const std::string path = dir + kWakeLogName;
    std::error_code ec;
    // No log yet: nothing has been woken by a group wake here.
    if (!std::filesystem::exists(platform::PathFromUtf8(path), ec)) return kExitOk;
    std::string bytes;
    if (!ReadInputFile(path, bytes)) {
        PrintErr(FormatText(WB_TR("wakeburst", "wakeburst %1: 无法读取 %2"),
                            {"log", EscapeControlChars(path)}) +
                 ReadFailureReason(path));
        return kExitFailed;
    }
    std::vector<std::string> lines;
    std::vector<std::size_t> starts;
    SplitEntries(bytes, lines, starts);
    if (tail == 0) return kExitOk;
    const std::size_t n = static_cast<std::size_t>(tail);
    const std::size_t first = tail > 0 && n <= starts.size() ? starts[starts.size() - n] : 0;
    std::string out;
    for (std::size_t i = first; i < lines.size(); ++i)
        out += lines[i];
    WriteOut(out);
    return kExitOk;
}

}  // namespace wb::cli
