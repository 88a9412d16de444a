#include "dialogs/send_channel.h"

#include "wake/wake_socket.h"

namespace wb::gui {

namespace {

class CWakeSocketChannel final : public CSendChannel {
public:
    bool SetDestination(const std::string& text) override { return m_socket.SetDestination(text); }
    void SendWakeup(const std::string& ethernetText) override { m_socket.SendWakeup(ethernetText); }
    void Close() override { m_socket.Close(); }

private:
    CWakeSocket m_socket;
};

}  // namespace

std::unique_ptr<CSendChannel> MakeWakeSocketChannel() {
    return std::make_unique<CWakeSocketChannel>();
}

}  // namespace wb::gui
