#include "wake/wake_socket.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <thread>

#include "base/message_box.h"
#include "base/string_table.h"
#include "base/translate.h"
#include "platform/inet_addr.h"
#include "wake/address_text.h"

namespace wb {

namespace {

// Why a host of a wake got no frame when its address text could not be read (the message
// box of 61452 has told the user already).
const SendFailureReason kUnreadableAddress{WB_TR_NOOP("wakeburst", "不合法的以太网地址"), true};
// A datagram the system took only part of.
const SendFailureReason kShortSend{WB_TR_NOOP("wakeburst", "帧未被完整发送"), true};

}  // namespace

std::string SendFailureReason::In(platform::UiLanguage language) const {
    return ours ? TranslateTo(language, "wakeburst", text.c_str()) : text;
}

std::uint32_t ConvertDottedAddress(const std::string& text) {
    platform::SetLastNetError(0);
    return platform::InetAddr(text);
}

long CWakeSocket::SendRaw(const void* data, std::size_t len) {
    const long sent = m_destAddr.ipv6
                          ? m_socket.SendTo6(data, len, m_destAddr.ip6, m_destAddr.port)
                          : m_socket.SendTo(data, len, m_destAddr.addr, m_destAddr.port);
    if (sent < 0) m_lastError = {platform::SystemErrorText(platform::LastNetError()), false};
    return sent;
}

long CWakeSocket::SendRawTo(std::uint32_t addrNet, const void* data, std::size_t len) {
    const long sent = m_socket.SendTo(data, len, addrNet, m_destAddr.port);
    if (sent < 0) m_lastError = {platform::SystemErrorText(platform::LastNetError()), false};
    return sent;
}

bool CWakeSocket::SetInterface(const std::string& name) {
    if (m_socket.BindToInterface(name)) return true;
    m_lastError = {platform::SystemErrorText(platform::LastNetError()), false};
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
        m_lastError = {platform::SystemErrorText(result.error), false};
    else if (static_cast<std::size_t>(result.sent) != len)
        m_lastError = kShortSend;
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

namespace {

// The frames of a wake of many hosts, round after round. Each host keeps its parsed address
// only, and its frame is written into a shared buffer before each send: a frame of its own
// per host cost a wake of many hosts more in allocations and page faults than all its sends
// cost it in the program.
class CRoundSender final {
public:
    CRoundSender(CWakeSocket& socket, const std::vector<std::string>& addresses)
        : m_socket(socket), m_hosts(addresses.size()) {
        std::uint8_t frame[kMaxWakeupFrameSize];
        for (std::size_t i = 0; i < addresses.size(); ++i) {
            const std::size_t len = socket.FillFrame(addresses[i], frame);
            m_hosts[i].readable = len > 0;
            if (!m_hosts[i].readable) {
                m_reasons[i] = kUnreadableAddress;
                continue;
            }
            m_frameLen = len;  // the same for every host: the password follows the copies
            std::memcpy(m_hosts[i].address, frame + kEthernetAddressSize, kEthernetAddressSize);
        }
        // Every slot starts as a whole frame (the password after the copies), so a host
        // only rewrites its copies of the address.
        if (m_frameLen > 0)
            for (std::size_t k = 0; k < kGroupFrames; ++k)
                m_group.insert(m_group.end(), frame, frame + m_frameLen);
    }

    // A round's frames leave in groups, written one after another into one buffer, each
    // group in as few system calls as the system allows; every frame's result is still its
    // own.
    void SendRound() {
        std::size_t count = 0;
        for (std::size_t i = 0; i < m_hosts.size(); ++i) {
            if (!m_hosts[i].readable) continue;
            CWakeSocket::FillWakeupFrame(m_group.data() + count * m_frameLen, kWakeupFrameSize,
                                         m_hosts[i].address, kEthernetAddressSize);
            m_members[count++] = i;
            if (count == kGroupFrames) {
                SendGroup(count);
                count = 0;
            }
        }
        if (count > 0) SendGroup(count);
    }

    std::vector<FrameFailure> Failures(const std::vector<std::string>& addresses, int rounds) {
        std::vector<FrameFailure> failures;
        for (std::size_t i = 0; i < m_hosts.size(); ++i) {
            if (m_hosts[i].sent < rounds)
                failures.push_back({addresses[i], m_hosts[i].sent, rounds, m_reasons[i]});
        }
        return failures;
    }

private:
    static constexpr std::size_t kGroupFrames = 256;
    struct Host {
        std::uint8_t address[kEthernetAddressSize];
        bool readable = false;
        int sent = 0;
    };

    void SendGroup(std::size_t count) {
        m_socket.SendFrames(m_group.data(), m_frameLen, count, m_results);
        for (std::size_t k = 0; k < count; ++k) {
            if (m_socket.FrameSent(m_results[k], m_frameLen))
                ++m_hosts[m_members[k]].sent;
            else
                m_reasons[m_members[k]] = m_socket.LastSendFailure();
        }
    }

    CWakeSocket& m_socket;
    std::vector<Host> m_hosts;
    std::map<std::size_t, SendFailureReason>
        m_reasons;  // the last failure of each host that had one
    std::size_t m_frameLen = 0;
    std::vector<std::uint8_t> m_group;
    std::size_t m_members[kGroupFrames];
    platform::SendResult m_results[kGroupFrames];
};

// Waits the interval before a round after the first, in slices, so that a stop asked for
// meanwhile is not kept waiting. False when a stop was asked for.
bool WaitForRound(int round, const WakeRounds& rounds) {
    const auto stop = [&rounds] { return rounds.stopAsked && rounds.stopAsked(); };
    constexpr std::chrono::milliseconds kSlice{50};
    for (auto left = round > 0 ? rounds.interval : std::chrono::milliseconds(0);
         left.count() > 0 && !stop(); left -= kSlice)
        std::this_thread::sleep_for(std::min(left, kSlice));
    return round == 0 || !stop();
}

}  // namespace

std::vector<FrameFailure> SendWakeupRounds(CWakeSocket& socket,
                                           const std::vector<std::string>& addresses,
                                           const WakeRounds& rounds) {
    CRoundSender sender(socket, addresses);
    int repeat = std::max(1, rounds.repeat);
    for (int round = 0; round < repeat; ++round) {
        if (!WaitForRound(round, rounds)) {
            repeat = round;
            break;
        }
        sender.SendRound();
    }
    return sender.Failures(addresses, repeat);
}

}  // namespace wb
