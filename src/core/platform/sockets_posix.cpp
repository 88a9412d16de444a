#include "platform/sockets.h"

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
