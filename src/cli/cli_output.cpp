#include "cli/cli_output.h"

#include <cstdio>

#include "base/message_box.h"
#include "base/string_table.h"
#include "platform/console.h"

namespace wb::cli {

namespace {

// The last guard before the terminal: whatever a message holds, only its own line feeds
// and tabs arrive as control characters; values in it are escaped where they are built.
void WriteLine(std::FILE* f, const std::string& text) {
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
    platform::WriteText(f, s);
}

}  // namespace

void InstallStderrMessageHandler() {
    SetMessageHandler([](const MessageRequest& req) {
        WriteLine(stderr, req.text);
        return req.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    });
}

void PrintOut(const std::string& line) { WriteLine(stdout, line); }
void PrintErr(const std::string& line) { WriteLine(stderr, line); }

}  // namespace wb::cli
