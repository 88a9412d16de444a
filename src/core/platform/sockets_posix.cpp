#include "platform/sockets.h"

#include <algorithm>

#include "socket_native.h"

namespace wb::platform {

bool StartSockets() { return true; }

namespace native {

int SystemError() { return errno; }

std::intptr_t OpenUdpSocket(int family) {
    return socket(family, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
}

void CloseSocket(std::intptr_t handle) { close(static_cast<int>(handle)); }

void SetSocketOption(std::intptr_t handle, int level, int name, int value) {
    setsockopt(static_cast<int>(handle), level, name, &value, sizeof value);
}

long SendDatagram(std::intptr_t handle, const void* data, std::size_t len, const sockaddr* to,
                  socklen_t toLen) {
    return static_cast<long>(sendto(static_cast<int>(handle), data, len, 0, to, toLen));
}

void SendDatagrams(std::intptr_t handle, const std::uint8_t* data, std::size_t len,
                   std::size_t count, const sockaddr* to, socklen_t toLen, SendResult* results) {
    const int fd = static_cast<int>(handle);
    // One system call per datagram cost a group wake more than the datagrams themselves.
    constexpr std::size_t kPerCall = 64;
    mmsghdr msgs[kPerCall];
    iovec iov[kPerCall];
    std::size_t i = 0;
    while (i < count) {
        const std::size_t n = std::min(count - i, kPerCall);
        for (std::size_t k = 0; k < n; ++k) {
            iov[k].iov_base = const_cast<std::uint8_t*>(data + (i + k) * len);
            iov[k].iov_len = len;
            msgs[k] = mmsghdr{};
            msgs[k].msg_hdr.msg_name = const_cast<sockaddr*>(to);
            msgs[k].msg_hdr.msg_namelen = toLen;
            msgs[k].msg_hdr.msg_iov = &iov[k];
            msgs[k].msg_hdr.msg_iovlen = 1;
        }
        const int done = sendmmsg(fd, msgs, static_cast<unsigned>(n), 0);
        if (done < 0) {
            // The first datagram of the call failed, and errno says why.
            results[i++] = {-1, errno};
            continue;
        }
        for (int k = 0; k < done; ++k)
            results[i + k] = {static_cast<long>(msgs[k].msg_len), 0};
        i += static_cast<std::size_t>(done);
        if (static_cast<std::size_t>(done) == n) continue;
        // The call stopped at a datagram whose error it does not tell: that one goes again
        // alone, for its own result, and the rest follow in the next call.
        const long sent = static_cast<long>(sendto(fd, data + i * len, len, 0, to, toLen));
        results[i++] = {sent, sent < 0 ? errno : 0};
    }
}

Socket OpenNonBlocking(int family, int type, int protocol) {
    return socket(family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
}

void CloseNonBlocking(Socket s) { close(s); }

int PollSockets(PollFd* fds, std::size_t n, int ms) { return poll(fds, n, ms); }

bool ConnectInProgress() { return errno == EINPROGRESS; }

bool IsRefused(int error) { return error == ECONNREFUSED; }

int BindToInterface(std::intptr_t handle, const std::string& name, bool v6) {
    const int fd = static_cast<int>(handle);
#if defined(SO_BINDTODEVICE)
    (void)v6;
    return setsockopt(fd, SOL_SOCKET, SO_BINDTODEVICE, name.c_str(),
                      static_cast<socklen_t>(name.size()));
#elif defined(IP_BOUND_IF)
    const unsigned index = if_nametoindex(name.c_str());
    if (v6) return setsockopt(fd, IPPROTO_IPV6, IPV6_BOUND_IF, &index, sizeof index);
    return setsockopt(fd, IPPROTO_IP, IP_BOUND_IF, &index, sizeof index);
#else
    (void)fd;
    (void)name;
    (void)v6;
    errno = ENOSYS;
    return -1;
#endif
}

}  // namespace native

}  // namespace wb::platform
