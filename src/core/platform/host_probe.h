#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/sockets.h"

namespace wb::platform {

// One round of "are you there?" to some hosts: a TCP connection attempt to each port (an
// accepted connection or a reset both prove that the host is up) and, where the system lets
// an unprivileged program ping, one ICMP echo. Returns, per host, whether it answered within
// `budget`. Attempts still pending then are abandoned; nothing else is sent.
std::vector<bool> ProbeHosts(const std::vector<IpAddress>& hosts,
                             const std::vector<std::uint16_t>& ports,
                             std::chrono::milliseconds budget);

}  // namespace wb::platform
