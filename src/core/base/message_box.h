#pragma once

#include <functional>
#include <string>

namespace wb {

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Exclamation, Information, Question, Stop };
enum class MsgAnswer { Ok, Yes, No };

struct MessageRequest {
    std::string text;     // UTF-8
    std::string caption;  // never empty when it reaches a handler
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
};

using MessageHandler = std::function<MsgAnswer(const MessageRequest&)>;

// The one way the core shows a message and waits for its answer. The desktop program
// installs message boxes, the command-line tool prints to stderr, tests record. Without a
// handler a message is answered at once (OK, or No to a question).
MsgAnswer ShowMessageBox(const std::string& text, MsgButtons buttons = MsgButtons::Ok,
                         MsgIcon icon = MsgIcon::None, const std::string& caption = {});

// Installs a handler and returns the one it replaces.
MessageHandler SetMessageHandler(MessageHandler handler);

}  // namespace wb
