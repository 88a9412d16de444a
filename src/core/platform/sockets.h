#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wb::platform {

// Codes of the socket layer's error table. Resolver failures on POSIX are mapped onto the
// same numbers so that every platform shows the same texts.
enum NetErrorCode : int {
    kNetErrNone = 0,
    kNetErrIntr = 10004,
    kNetErrFault = 10014,
    kNetErrInProgress = 10036,
    kNetErrNetDown = 10050,
    kNetErrNotInitialised = 10093,
    kNetErrHostNotFound = 11001,
    kNetErrTryAgain = 11002,
    kNetErrNoRecovery = 11003,
    kNetErrNoData = 11004,
};

// Starts the sockets layer once per process (Winsock); true on POSIX.
bool StartSockets();

// The last error of the calls below, in the codes above (or a code outside the table).
int LastNetError();
void SetLastNetError(int code);

// A host-database record: what the resolver answered for a name or an address.
struct HostEnt {
    std::string name;                  // official name
    std::vector<std::uint32_t> addrs;  // IPv4, network byte order
};

bool GetLocalHostName(std::string& name);
bool ResolveHostName(const std::string& name, HostEnt& out);
bool ResolveAddress(std::uint32_t addrNet, HostEnt& out);

// The first IPv4 address of an interface that is up and is not a loopback.
bool FirstInterfaceAddress(std::uint32_t& addrNet);

inline bool IsLoopbackAddress(std::uint32_t addrNet) {
    return (reinterpret_cast<const unsigned char*>(&addrNet))[0] == 127;
}

// A UDP socket with broadcasts allowed. Send results are handed back but the system
// never needs them.
class UdpSocket final {
public:
    UdpSocket();
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    bool IsOpen() const;
    long SendTo(const void* data, std::size_t len, std::uint32_t addrNet, std::uint16_t port);
    void Close();

private:
    std::intptr_t m_handle;
};

}  // namespace wb::platform
