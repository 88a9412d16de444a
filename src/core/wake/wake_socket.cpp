#include "wake/wake_socket.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <thread>

#include "base/message_box.h"
#include "base/string_table.h"
#include "platform/inet_addr.h"
#include "wake/address_text.h"

namespace wb {

namespace {

// Why a host of a wake got no frame when its address text could not be read (the message
// box of 61452 has told the user already).
constexpr char kUnreadableAddress[] = "不合法的以太网地址";

}  // namespace

std::uint32_t ConvertDottedAddress(const std::string& text) {
    platform::SetLastNetError(0);
    return platform::InetAddr(text);
}

long CWakeSocket::SendRaw(const void* data, std::size_t len) {
    const long sent = m_destAddr.ipv6
                          ? m_socket.SendTo6(data, len, m_destAddr.ip6, m_destAddr.port)
                          : m_socket.SendTo(data, len, m_destAddr.addr, m_destAddr.port);
    if (sent < 0) m_lastError = platform::SystemErrorText(platform::LastNetError());
    return sent;
}

long CWakeSocket::SendRawTo(std::uint32_t addrNet, const void* data, std::size_t len) {
    const long sent = m_socket.SendTo(data, len, addrNet, m_destAddr.port);
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
    m_destAddr.addr = ConvertDottedAddress(text);
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

bool CWakeSocket::FrameSent(const platform::SendResult& result, std::size_t len) {
    if (result.sent < 0)
        m_lastError = platform::SystemErrorText(result.error);
    else if (static_cast<std::size_t>(result.sent) != len)
        m_lastError = "short send";
    return result.sent >= 0 && static_cast<std::size_t>(result.sent) == len;
}

bool CWakeSocket::SendFrame(const std::uint8_t* frame, std::size_t len) {
    const long sent = SendRaw(frame, len);  // a failure's reason is set already
    return sent >= 0 && FrameSent({sent, 0}, len);
}

void CWakeSocket::SendFrames(const std::uint8_t* frames, std::size_t len, std::size_t count,
                             platform::SendResult* results) {
    platform::IpAddress to = m_destAddr.ipv6 ? m_destAddr.ip6 : platform::IpAddress{};
    if (!m_destAddr.ipv6) to.v4 = m_destAddr.addr;
    if (m_socket.SendToMany(frames, len, count, to, m_destAddr.port, results)) return;
    std::fill(results, results + count, platform::SendResult{-1, platform::LastNetError()});
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
    // A round's frames leave in groups, written one after another into one buffer, each
    // group in as few system calls as the system allows; every frame's result is still its
    // own. Every slot starts as a whole frame (the password after the copies), so a host
    // only rewrites its copies of the address.
    constexpr std::size_t kGroupFrames = 256;
    std::vector<std::uint8_t> group;
    if (frameLen > 0)
        for (std::size_t k = 0; k < kGroupFrames; ++k)
            group.insert(group.end(), frame, frame + frameLen);
    std::size_t members[kGroupFrames];
    platform::SendResult results[kGroupFrames];
    const auto sendGroup = [&](std::size_t count) {
        socket.SendFrames(group.data(), frameLen, count, results);
        for (std::size_t k = 0; k < count; ++k) {
            if (socket.FrameSent(results[k], frameLen))
                ++hosts[members[k]].sent;
            else
                reasons[members[k]] = socket.LastSendError();
        }
    };
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
        std::size_t count = 0;
        for (std::size_t i = 0; i < hosts.size(); ++i) {
            if (!hosts[i].readable) continue;
            CWakeSocket::FillWakeupFrame(group.data() + count * frameLen, kWakeupFrameSize,
                                         hosts[i].address, kEthernetAddressSize);
            members[count++] = i;
            if (count == kGroupFrames) {
                sendGroup(count);
                count = 0;
            }
        }
        if (count > 0) sendGroup(count);
    }
    std::vector<FrameFailure> failures;
    for (std::size_t i = 0; i < hosts.size(); ++i) {
        if (hosts[i].sent < repeat)
            failures.push_back({addresses[i], hosts[i].sent, repeat, reasons[i]});
    }
    return failures;
}

}  // namespace wb
