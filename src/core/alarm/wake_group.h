#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wake/wake_socket.h"

namespace wb {

enum class WakeOutcome {
    Woken,           // the list was read and a frame sent to each of its addresses
    BadBroadcast,    // the destination was neither an address nor a resolvable name
    CannotOpenList,  // the host-list file could not be opened
    NotAllSent,      // the list was read, but a frame or more could not be sent
};

// What a group wake found besides its report.
struct WakeGroupFindings {
    // Host-list lines reported as unusable (they may still have given an address).
    std::uint64_t badLines = 0;
    // With `wantHostIps`: the IP addresses of the hosts woken, one per line that gave an
    // address, the first kMaxHostIps of them; `moreHostIps` counts the rest.
    static constexpr std::size_t kMaxHostIps = 65536;
    bool wantHostIps = false;
    std::vector<std::string> hostIps;
    std::uint64_t moreHostIps = 0;
};

// The group wake of an alarm through `socket`: sets the destination, reads the host list,
// sends each address its frames and appends the report to the wake log. `report`, when
// given, receives the body that went to the log in the user's language (the log's own is
// always in Chinese). Only hosts that a frame was sent to are
// counted as woken; each host with a frame not sent gets a line of its own in the report.
// Memory stays bounded whatever the list holds: the list is read as it is sent, in batches
// of kWakeBatch addresses (the rounds of `rounds` go over one batch at a time), and the lines
// about unusable lines and unsent frames are each kept up to kMaxReportedBytes of the log's
// text (the user's copy keeps the same lines), the rest being counted in one closing line of
// each kind.
inline constexpr std::size_t kWakeBatch = 16384;
inline constexpr std::size_t kMaxReportedBytes = 1 << 20;
WakeOutcome WakeGroupWithReport(CWakeSocket& socket, const std::string& groupFile,
                                const std::string& broadcast, std::string* report = nullptr,
                                const WakeRounds& rounds = {},
                                WakeGroupFindings* findings = nullptr);

}  // namespace wb
