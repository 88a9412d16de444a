#include "wake/wake_socket.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

#include "base/message_box.h"
#include "base/string_table.h"
#include "platform/inet_addr.h"
#include "wake/address_text.h"
#include "wake/network_error.h"

namespace wb {

namespace {

// Why a host of a wake got no frame when its address text could not be read (the message
// box of 61452 has told the user already).
constexpr char kUnreadableAddress[] = "不合法的以太网地址";

// The dotted conversion sets no error code of its own: a failure reads as code 0, which
// the error table shows as an unknown error.
std::uint32_t ConvertAddress(const std::string& text) {
    platform::SetLastNetError(0);
    return platform::InetAddr(text);
}

}  // namespace

long CWakeSocket::SendRaw(const void* data, std::size_t len) {
    const long sent = m_destAddr.ipv6
                          ? m_socket.SendTo6(data, len, m_destAddr.ip6, m_destAddr.port)
                          : m_socket.SendTo(data, len, m_destAddr.addr, m_destAddr.port);
    if (sent < 0) m_lastError = platform::SystemErrorText(platform::LastNetError());
    return sent;
}

bool CWakeSocket::SetInterface(const std::string& name) {
    if (m_socket.BindToInterface(name)) return true;
    m_lastError = platform::SystemErrorText(platform::LastNetError());
    return false;
}

bool CWakeSocket::SetDestination(const std::string& text) {
    m_destAddr.ipv6 = false;
    // An IPv6 address is always written with colons, which no IPv4 text or host name holds.
    if (text.find(':') != std::string::npos) {
        platform::IpAddress ip;
        if (platform::ParseIpAddress(text, ip) && ip.v6) {
            m_destAddr.ipv6 = true;
            m_destAddr.ip6 = ip;
            return true;
        }
        m_destAddr.addr = platform::kInetAddrNone;
        return false;
    }
    m_destAddr.addr = ConvertAddress(text);
    if (m_destAddr.addr != platform::kInetAddrNone) return true;
    if (text == "255.255.255.255") return true;
    if (!platform::ResolveHostName(text, m_hostEnt)) {
        m_destAddr.addr = platform::kInetAddrNone;
        return false;
    }
    m_pHostEnt = &m_hostEnt;
    m_destAddr.addr = m_hostEnt.addrs.front();
    return true;
}

int CWakeSocket::FillWakeupFrame(std::uint8_t* buffer, int length, const std::uint8_t* address,
                                 int addressLength) {
    if (addressLength <= 0 || length < addressLength) return 0;
    std::memset(buffer, 0xFF, static_cast<std::size_t>(addressLength));
    int offset = addressLength;
    // Only whole copies: a length that is not a multiple of the address never overruns.
    while (offset + addressLength <= length) {
        std::memcpy(buffer + offset, address, static_cast<std::size_t>(addressLength));
        offset += addressLength;
    }
    return offset;
}

std::size_t CWakeSocket::FillFrame(const std::string& text,
                                   std::uint8_t (&frame)[kMaxWakeupFrameSize]) const {
    std::uint8_t address[kEthernetAddressSize] = {};
    if (!ParseEthernetAddress(text, address, kEthernetAddressSize)) {
        ShowMessageBox(FormatString1(IDS_BAD_ETHERNET, text), MsgButtons::Ok);
        return 0;
    }
    FillWakeupFrame(frame, kWakeupFrameSize, address, kEthernetAddressSize);
    std::copy(m_password.begin(), m_password.end(), frame + kWakeupFrameSize);
    return kWakeupFrameSize + m_password.size();
}

bool CWakeSocket::SendFrame(const std::uint8_t* frame, std::size_t len) {
    const long sent = SendRaw(frame, len);
    if (sent >= 0 && static_cast<std::size_t>(sent) != len) m_lastError = "short send";
    return sent >= 0 && static_cast<std::size_t>(sent) == len;
}

bool CWakeSocket::SendWakeup(const std::string& text) {
    std::uint8_t frame[kMaxWakeupFrameSize];
    const std::size_t len = FillFrame(text, frame);
    if (len == 0) {
        m_lastError = kUnreadableAddress;
        return false;
    }
    return SendFrame(frame, len);
}

std::vector<FrameFailure> SendWakeupRounds(CWakeSocket& socket,
                                           const std::vector<std::string>& addresses,
                                           const WakeRounds& rounds) {
    // Each host keeps its parsed address only, and its frame is written into one buffer
    // before each send: a frame of its own per host cost a wake of many hosts more in
    // allocations and page faults than all its sends cost it in the program.
    struct Host {
        std::uint8_t address[kEthernetAddressSize];
        bool readable = false;
        int sent = 0;
    };
    std::vector<Host> hosts(addresses.size());
    std::map<std::size_t, std::string> reasons;  // the last failure of each host that had one
    std::uint8_t frame[kMaxWakeupFrameSize];
    std::size_t frameLen = 0;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        const std::size_t len = socket.FillFrame(addresses[i], frame);
        hosts[i].readable = len > 0;
        if (!hosts[i].readable) {
            reasons[i] = kUnreadableAddress;
            continue;
        }
        frameLen = len;  // the same for every host: the password follows the copies
        std::memcpy(hosts[i].address, frame + kEthernetAddressSize, kEthernetAddressSize);
    }
    const auto stop = [&rounds] { return rounds.stopAsked && rounds.stopAsked(); };
    int repeat = std::max(1, rounds.repeat);
    for (int round = 0; round < repeat; ++round) {
        // The pause goes in slices, so that a stop asked for meanwhile is not kept waiting.
        constexpr std::chrono::milliseconds kSlice{50};
        for (auto left = round > 0 ? rounds.interval : std::chrono::milliseconds(0);
             left.count() > 0 && !stop(); left -= kSlice)
            std::this_thread::sleep_for(std::min(left, kSlice));
        if (round > 0 && stop()) {
            repeat = round;
            break;
        }
        for (std::size_t i = 0; i < hosts.size(); ++i) {
            Host& host = hosts[i];
            if (!host.readable) continue;
            CWakeSocket::FillWakeupFrame(frame, kWakeupFrameSize, host.address,
                                         kEthernetAddressSize);
            if (socket.SendFrame(frame, frameLen))
                ++host.sent;
            else
                reasons[i] = socket.LastSendError();
        }
    }
    std::vector<FrameFailure> failures;
    for (std::size_t i = 0; i < hosts.size(); ++i) {
        if (hosts[i].sent < repeat)
            failures.push_back({addresses[i], hosts[i].sent, repeat, reasons[i]});
    }
    return failures;
}

bool CWakeSocket::GetLocalAddress() {
    std::string name;
    if (!platform::GetLocalHostName(name) || !platform::ResolveHostName(name, m_hostEnt)) {
        ReportNetworkError(platform::LastNetError());
        return false;
    }
    m_pHostEnt = &m_hostEnt;
    // Many systems map their own name to a loopback address; polling 127.x.x.x would find
    // nobody, so take the first real address, or else the first interface's.
    for (std::uint32_t a : m_hostEnt.addrs) {
        if (!platform::IsLoopbackAddress(a)) {
            m_destAddr.addr = a;
            return true;
        }
    }
    std::uint32_t ifAddr = 0;
    m_destAddr.addr = platform::FirstInterfaceAddress(ifAddr) ? ifAddr : m_hostEnt.addrs.front();
    return true;
}

void CWakeSocket::PollSubnet(const std::string& maskText) {
    std::uint32_t mask = ConvertAddress(maskText);
    if (mask == platform::kInetAddrNone) ReportNetworkError(platform::LastNetError());

    std::uint8_t dest[4];
    std::uint8_t maskBytes[4];
    std::memcpy(dest, &m_destAddr.addr, 4);
    std::memcpy(maskBytes, &mask, 4);
    for (int k = 0; k < 4; ++k)
        dest[k] &= maskBytes[k];
    std::memcpy(&m_destAddr.addr, dest, 4);

    const int n = 255 - maskBytes[3];
    if (n <= 1) return;
    for (int k = 0; k < n - 1; ++k) {
        ++dest[3];
        std::memcpy(&m_destAddr.addr, dest, 4);
        for (int r = 0; r < 3; ++r)
            SendRaw(kPollDatagram, kPollDatagramSize);
    }
}

// What one reverse lookup found, kept until its failure (if any) can be shown in turn.
struct CWakeSocket::NameLookup {
    std::uint32_t addr = platform::kInetAddrNone;
    bool found = false;
    int error = 0;
    platform::HostEnt record;
};

void CWakeSocket::ResolveOne(const std::string& ipText, NameLookup& out) {
    out.addr = ConvertAddress(ipText);
    if (out.addr != platform::kInetAddrNone)
        out.found = platform::ResolveAddress(out.addr, out.record);
    if (!out.found) out.error = platform::LastNetError();
}

namespace {

// Enough lookups at once for a whole /24 of live hosts to wait about one resolver time-out,
// few enough that the threads stay cheap whatever the listing holds.
constexpr std::size_t kMaxParallelLookups = 64;

}  // namespace

std::string CWakeSocket::TakeLookup(const std::string& ipText, NameLookup& lookup) {
    m_destAddr.addr = lookup.addr;
    if (lookup.addr == platform::kInetAddrNone) {
        ReportNetworkError(lookup.error);
        return kNameNotFound;
    }
    if (lookup.found) {
        m_hostEnt = std::move(lookup.record);
        m_pHostEnt = &m_hostEnt;
        return m_hostEnt.name;
    }
    std::string reason;
    ReportNetworkError(lookup.error, &reason);
    ShowMessageBox(ipText + "\n" + reason, MsgButtons::Ok);
    return kNameNotFound;
}

void CWakeSocket::LookupHostName(const std::string& ipText, std::string& name) {
    NameLookup lookup;
    ResolveOne(ipText, lookup);
    name = TakeLookup(ipText, lookup);
}

std::vector<std::string> CWakeSocket::LookupHostNames(
    const std::vector<std::string>& ipTexts,
    const std::function<void(std::size_t, std::size_t)>& progress) {
    const std::size_t total = ipTexts.size();
    std::vector<NameLookup> lookups(total);
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    std::size_t done = 0;
    auto work = [&] {
        for (std::size_t i; (i = next++) < total;) {
            ResolveOne(ipTexts[i], lookups[i]);
            {
                const std::lock_guard<std::mutex> lock(mutex);
                ++done;
            }
            finished.notify_one();
        }
    };
    std::vector<std::thread> workers;
    try {
        while (workers.size() < std::min(total, kMaxParallelLookups))
            workers.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads only make it slower; with none at all this thread does the work.
        if (workers.empty()) work();
    }
    if (progress) progress(0, total);
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (std::size_t shown = 0; shown < total;) {
            finished.wait(lock, [&] { return done != shown; });
            shown = done;
            if (progress) {
                lock.unlock();
                progress(shown, total);
                lock.lock();
            }
        }
    }
    for (std::thread& t : workers)
        t.join();

    std::vector<std::string> names;
    names.reserve(total);
    for (std::size_t i = 0; i < total; ++i)
        names.push_back(TakeLookup(ipTexts[i], lookups[i]));
    return names;
}

}  // namespace wb
