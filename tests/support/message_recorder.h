#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/message_box.h"

namespace wb::test {

// Installs itself as the message handler for its lifetime, records every message and
// answers from a queue (OK, or No for a question, once the queue is empty).
class MessageRecorder final {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void SetNextAnswer(MsgAnswer answer) { m_answers.push_back(answer); }
    const std::vector<MessageRequest>& Messages() const { return m_messages; }
    std::vector<std::string> Texts() const;
    void Clear() { m_messages.clear(); }

private:
    MessageHandler m_previous;
    std::deque<MsgAnswer> m_answers;
    std::vector<MessageRequest> m_messages;
};

}  // namespace wb::test
