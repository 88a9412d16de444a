#include "support/message_recorder.h"

namespace wb::test {

MessageRecorder::MessageRecorder() {
    m_previous = SetMessageHandler([this](const MessageRequest& req) {
        m_messages.push_back(req);
        if (m_answers.empty())
            return req.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
        MsgAnswer a = m_answers.front();
        m_answers.pop_front();
        return a;
    });
}

MessageRecorder::~MessageRecorder() { SetMessageHandler(std::move(m_previous)); }

std::vector<std::string> MessageRecorder::Texts() const {
    std::vector<std::string> out;
    for (const auto& m : m_messages)
        out.push_back(m.text);
    return out;
}

}  // namespace wb::test
