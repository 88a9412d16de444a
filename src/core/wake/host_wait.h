#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/sockets.h"

namespace wb {

// A host counts as awake when one of these answers a connection attempt (ssh, http, the
// Windows file-sharing ports, remote desktop, VNC): whatever the host runs, one of them is
// either open or answers with a reset.
inline constexpr std::uint16_t kAwakeProbePorts[] = {22, 80, 135, 139, 445, 3389, 5900};

// Probes the hosts about once a second until each has answered or `timeout` has passed.
// `onAwake(i, elapsed)` is called as host i answers. Returns, per host, whether it did.
// Large lists are probed in slices, so that one round never holds too many connections.
std::vector<bool> WaitForHosts(
    const std::vector<platform::IpAddress>& hosts, std::chrono::seconds timeout,
    const std::function<void(std::size_t, std::chrono::milliseconds)>& onAwake);

}  // namespace wb
