#pragma once

#include <functional>
#include <memory>
#include <string>

namespace wb::gui {

// The socket one direct send goes through. The program uses a fresh wake socket per send;
// tests put a recorder in its place so that no broadcast ever leaves the machine.
class CSendChannel {
public:
    virtual ~CSendChannel() = default;

    // Dotted address, "255.255.255.255" or a host name; false when none of these works, the
    // destination then being the limited broadcast address.
    virtual bool SetDestination(const std::string& text) = 0;
    // True only when the frame was handed to the network; otherwise FailureReason says why.
    virtual bool SendWakeup(const std::string& ethernetText) = 0;
    virtual std::string FailureReason() const = 0;
    virtual void Close() = 0;
};

using SendChannelFactory = std::function<std::unique_ptr<CSendChannel>()>;

// A channel over a new CWakeSocket.
std::unique_ptr<CSendChannel> MakeWakeSocketChannel();

// The channel every send of the window goes through: the factory set for the send dialog
// when there is one, else a wake socket.
std::unique_ptr<CSendChannel> NewSendChannel();

}  // namespace wb::gui
