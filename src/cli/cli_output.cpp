#include "cli/cli_output.h"

#include <cstdio>

#include "base/message_box.h"
#include "platform/console.h"

namespace wb::cli {

namespace {

void WriteLine(std::FILE* f, const std::string& text) {
    std::string s;
    s.reserve(text.size() + 1);
    for (char c : text) {
        if (c != '\r') s += c;  // the message texts carry CR LF pairs meant for a box
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
