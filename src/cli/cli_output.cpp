#include "cli/cli_output.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>
#include <vector>

#include "base/message_box.h"
#include "base/string_table.h"
#include "base/translate.h"
#include "cli/cli_args.h"
#include "hostlist/host_list_reader.h"
#include "platform/console.h"

namespace wb::cli {

namespace {

std::string g_command = "wakeburst";

// The first write that failed on each stream, kept to the end: a later write that happens
// to succeed does not bring back what was lost.
struct StreamState {
    bool failed = false;
    int error = 0;
};
StreamState g_out, g_err;
bool g_progressShown = false;  // stderr's last line is a progress line, without its line feed

void Write(std::FILE* f, StreamState& state, std::string_view text) {
    if (g_progressShown) {
        g_progressShown = false;
        Write(stderr, g_err, "\n");
    }
    if (state.failed) return;
    errno = 0;
    if (platform::WriteText(f, text)) return;
    state.failed = true;
    state.error = errno ? errno : EIO;
}

// The last guard before the terminal: whatever a message holds, only its own line feeds
// and tabs arrive as control characters; values in it are escaped where they are built.
std::string Guarded(std::string_view text) {
    std::string s;
    s.reserve(text.size() + 1);
    for (char c : text) {
        if (c == '\r') continue;  // the message texts carry CR LF pairs meant for a box
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\n' && c != '\t') || u == 0x7F)
            s += EscapeControlChars(std::string_view(&c, 1));
        else
            s += c;
    }
    if (s.empty() || s.back() != '\n') s += '\n';
    return s;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// A line already written for this command ("wakeburst alarms add: ..." or, before the
// sub-command is known, "wakeburst alarms: ...") keeps its own prefix.
bool HasCommandPrefix(std::string_view line) {
    if (StartsWith(line, g_command + ": ")) return true;
    const std::size_t first = g_command.find(' ');
    const std::size_t last = g_command.rfind(' ');
    return first != last && StartsWith(line, g_command.substr(0, last) + ": ");
}

// The lines of a text that hold something, without leading tabs and blanks and trailing
// blanks (a message's CRs included).
std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t first = line.find_first_not_of("\t \r");
        if (first != std::string_view::npos)
            lines.emplace_back(line.substr(first, line.find_last_not_of(" \r") + 1 - first));
    }
    return lines;
}

}  // namespace

void SetCommandName(const std::string& name) { g_command = name; }

void InstallStderrMessageHandler() {
    SetMessageHandler([](const MessageRequest& req) {
        PrintErr(req.text);
        return req.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    });
}

std::string JoinedLine(std::string_view text) {
    std::string out;
    for (const std::string& line : Lines(text))
        out += (out.empty() ? "" : " ") + line;
    return out;
}

void PrintOut(const std::string& line) { Write(stdout, g_out, Guarded(line)); }

void WriteOut(std::string_view text) { Write(stdout, g_out, text); }

void PrintErr(const std::string& text) {
    std::string line = JoinedLine(text);
    if (!HasCommandPrefix(line)) line = g_command + ": " + line;
    Write(stderr, g_err, Guarded(line));
}

void ShowProgress(const std::string& text) {
    static const bool terminal = platform::IsTerminal(stderr);
    if (!terminal) return;
    std::string line = Guarded(g_command + ": " + text);
    g_progressShown = false;  // overwritten, not ended
    Write(stderr, g_err, "\r" + line.substr(0, line.size() - 1));
    g_progressShown = true;
}

void PrintReport(const std::string& report) {
    // Three messages of a report run over more than one line: a bad line of the list goes on
    // with its line number, the lines left out with their count, a bad broadcast address
    // with the list's name. Each in the user's language, as the report is.
    const auto beforeZero = [](const std::string& message) {
        const std::string second = Lines(message).at(1);
        return second.substr(0, second.find('0'));
    };
    static const std::string numberLine = beforeZero(BadLineMessage({}, 0));
    static const std::string omittedLine = beforeZero(OmittedBadLinesMessage({}, 0));
    static const std::string fileLine = Lines(FormatString2(IDS_BAD_BROADCAST, {}, {})).back();
    std::string message;
    for (const std::string& line : Lines(report)) {
        const bool goesOn = StartsWith(line, numberLine) || StartsWith(line, omittedLine) ||
                            StartsWith(line, fileLine);
        if (!goesOn && !message.empty()) {
            PrintErr(message);
            message.clear();
        }
        message += (message.empty() ? "" : " ") + line;
    }
    if (!message.empty()) PrintErr(message);
}

int FinishOutput(int code) {
    Write(stderr, g_err, {});  // ends a progress line
    errno = 0;
    if (!g_out.failed && std::fflush(stdout) != 0) {
        g_out.failed = true;
        g_out.error = errno ? errno : EIO;
    }
    const StreamState& lost = g_out.failed ? g_out : g_err;
    if (lost.failed) {
        const std::string reason = std::generic_category().message(lost.error);
        Write(stderr, g_err,
              FormatText(WB_TR("wakeburst", "wakeburst: 写入出错: %1"), {reason}) + "\n");
        return kExitFailed;
    }
    if (std::fflush(stderr) != 0) return kExitFailed;
    return code;
}

}  // namespace wb::cli
