#pragma once

#include <chrono>

namespace wb::platform {

// Resolution sends its second request one retransmission time after the first, and the
// first leaves with the first datagram to the address. A host on the LAN answers within a
// millisecond; the margin is three times the kernel's timer slack at a one-second time-out
// (a 1 s timer fires up to 32 ms late at 250 Hz), so that a host which missed the first
// request is still seen. Hosts that missed both would need a third request; waiting for it would
// double the wait of every scan for hosts that are most likely down.
inline constexpr std::chrono::milliseconds kAnswerMargin{100};
inline constexpr std::chrono::milliseconds kDefaultRetransTime{1000};

}  // namespace wb::platform
