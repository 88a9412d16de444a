#include "base/message_box.h"

#include <utility>

#include "base/string_table.h"

namespace wb {

namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

}  // namespace

MsgAnswer ShowMessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                         const std::string& caption) {
    MessageRequest req{text, caption.empty() ? std::string(kAppTitle) : caption, buttons, icon};
    // A copy, so that a handler that replaces itself while its box is open stays alive.
    MessageHandler handler = Handler();
    if (!handler) return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    return handler(req);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace wb
