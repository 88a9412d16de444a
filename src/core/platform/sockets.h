#pragma once

#include <array>
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

// An IPv4 or IPv6 address; a link-local or multicast IPv6 address carries the interface
// it belongs to (its scope).
struct IpAddress {
    bool v6 = false;
    std::uint32_t v4 = 0;  // network byte order
    std::array<std::uint8_t, 16> bytes6{};
    std::uint32_t scopeId = 0;
};

// A numeric address: dotted-decimal IPv4 (four parts) or IPv6 with an optional "%scope"
// (an interface name or number). No name look-up.
bool ParseIpAddress(const std::string& text, IpAddress& out);
std::string FormatIpAddress(const IpAddress& addr);
// fe80::/10, or a multicast address of interface- or link-local scope: meaningless without
// the interface it belongs to.
bool NeedsScope(const IpAddress& addr);
// 255.255.255.255, an IPv4 or IPv6 multicast address, or the broadcast address of one of
// this machine's interfaces: many hosts at once, never one host to wait for.
bool IsBroadcastOrMulticast(const IpAddress& addr);

// The system's own text for an error code of the socket calls below.
std::string SystemErrorText(int code);

// What became of one datagram of a batch: the bytes sent, or -1 with the system's error code.
struct SendResult {
    long sent = 0;
    int error = 0;
};

enum class InterfaceState { Up, Down, Missing };
// On Windows an interface is named by one of its IPv4 addresses.
InterfaceState CheckInterface(const std::string& name);

// A UDP socket with broadcasts allowed. Every send reports its result; a failure leaves
// its system error code in LastNetError().
class UdpSocket final {
public:
    UdpSocket();
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    bool IsOpen() const;
    // The bytes sent, or -1.
    long SendTo(const void* data, std::size_t len, std::uint32_t addrNet, std::uint16_t port);
    long SendTo6(const void* data, std::size_t len, const IpAddress& addr, std::uint16_t port);
    // `count` datagrams of `len` bytes each, laid one after another in `data`, to one
    // destination, with as few system calls as the system allows; `results[i]` tells what
    // became of datagram i, as SendTo would have. False (LastNetError set, no result filled)
    // only when the socket cannot be had.
    bool SendToMany(const std::uint8_t* data, std::size_t len, std::size_t count,
                    const IpAddress& addr, std::uint16_t port, SendResult* results);
    // Sends through this interface only, broadcasts included. False with LastNetError set
    // when the system refuses.
    bool BindToInterface(const std::string& name);
    void Close();

private:
    bool Open(bool v6);

    std::intptr_t m_handle;
    bool m_v6 = false;
    std::string m_interface;
};

}  // namespace wb::platform
