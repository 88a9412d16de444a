#include "platform/sockets.h"

#include <cstring>
#include <system_error>

#include "socket_native.h"

namespace wb::platform {

namespace {

thread_local int t_lastError = 0;

using native::kNoSocket;

}  // namespace

int LastNetError() { return t_lastError; }
void SetLastNetError(int code) { t_lastError = code; }

std::string SystemErrorText(int code) { return std::system_category().message(code); }

UdpSocket::UdpSocket() : m_handle(kNoSocket) {
    StartSockets();
    Open(false);
}

bool UdpSocket::Open(bool v6) {
    Close();
    m_v6 = v6;
    m_handle = native::OpenUdpSocket(v6 ? AF_INET6 : AF_INET);
    if (m_handle == kNoSocket) {
        t_lastError = native::SystemError();
        return false;
    }
    native::SetSocketOption(m_handle, SOL_SOCKET, SO_BROADCAST, 1);
    // Datagrams to addresses still being resolved stay charged to the socket; with the
    // default buffer a subnet poll stalls in sendto until those resolutions time out.
    native::SetSocketOption(m_handle, SOL_SOCKET, SO_SNDBUF, 1 << 20);
    if (!m_interface.empty()) return BindToInterface(m_interface);
    return true;
}

UdpSocket::~UdpSocket() { Close(); }

bool UdpSocket::IsOpen() const { return m_handle != kNoSocket; }

bool UdpSocket::BindToInterface(const std::string& name) {
    m_interface = name;
    if (m_handle == kNoSocket) return false;
    const int rc = native::BindToInterface(m_handle, name, m_v6);
    if (rc != 0) t_lastError = native::SystemError();
    return rc == 0;
}

long UdpSocket::SendTo(const void* data, std::size_t len, std::uint32_t addrNet,
                       std::uint16_t port) {
    if (m_v6 && !Open(false)) return -1;
    if (m_handle == kNoSocket) {
        t_lastError = kNetErrNotInitialised;
        return -1;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = addrNet;
    const long sent = native::SendDatagram(m_handle, data, len,
                                           reinterpret_cast<const sockaddr*>(&to), sizeof to);
    if (sent < 0) t_lastError = native::SystemError();
    return sent;
}

long UdpSocket::SendTo6(const void* data, std::size_t len, const IpAddress& addr,
                        std::uint16_t port) {
    if (!m_v6 && !Open(true)) return -1;
    if (m_handle == kNoSocket) {
        t_lastError = kNetErrNotInitialised;
        return -1;
    }
    sockaddr_in6 to{};
    to.sin6_family = AF_INET6;
    to.sin6_port = htons(port);
    std::memcpy(&to.sin6_addr, addr.bytes6.data(), 16);
    to.sin6_scope_id = addr.scopeId;
    const long sent = native::SendDatagram(m_handle, data, len,
                                           reinterpret_cast<const sockaddr*>(&to), sizeof to);
    if (sent < 0) t_lastError = native::SystemError();
    return sent;
}

bool UdpSocket::SendToMany(const std::uint8_t* data, std::size_t len, std::size_t count,
                           const IpAddress& addr, std::uint16_t port, SendResult* results) {
    if (m_v6 != addr.v6 && !Open(addr.v6)) return false;
    if (m_handle == kNoSocket) {
        t_lastError = kNetErrNotInitialised;
        return false;
    }
    sockaddr_storage to{};
    socklen_t toLen;
    if (addr.v6) {
        auto& to6 = reinterpret_cast<sockaddr_in6&>(to);
        to6.sin6_family = AF_INET6;
        to6.sin6_port = htons(port);
        std::memcpy(&to6.sin6_addr, addr.bytes6.data(), 16);
        to6.sin6_scope_id = addr.scopeId;
        toLen = sizeof to6;
    } else {
        auto& to4 = reinterpret_cast<sockaddr_in&>(to);
        to4.sin_family = AF_INET;
        to4.sin_port = htons(port);
        to4.sin_addr.s_addr = addr.v4;
        toLen = sizeof to4;
    }
    native::SendDatagrams(m_handle, data, len, count, reinterpret_cast<const sockaddr*>(&to), toLen,
                          results);
    for (std::size_t i = count; i-- > 0;) {
        if (results[i].sent < 0) {
            t_lastError = results[i].error;
            break;
        }
    }
    return true;
}

void UdpSocket::Close() {
    if (m_handle == kNoSocket) return;
    native::CloseSocket(m_handle);
    m_handle = kNoSocket;
}

}  // namespace wb::platform
