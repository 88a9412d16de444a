#pragma once

#include <string>
#include <vector>

#include "base/message_box.h"

namespace wb::test {

// Installs itself as the message handler for its lifetime, records every message and
// answers OK, or No to a question.
class MessageRecorder final {
public:
    MessageRecorder() {
        m_previous = SetMessageHandler([this](const MessageRequest& req) {
            m_messages.push_back(req);
            return req.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
        });
    }
    ~MessageRecorder() { SetMessageHandler(std::move(m_previous)); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<MessageRequest>& Messages() const { return m_messages; }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& m : m_messages)
            out.push_back(m.text);
        return out;
    }
    void Clear() { m_messages.clear(); }

private:
    MessageHandler m_previous;
    std::vector<MessageRequest> m_messages;
};

}  // namespace wb::test
