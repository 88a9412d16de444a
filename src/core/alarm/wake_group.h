#pragma once

#include <string>

#include "wake/wake_socket.h"

namespace wb {

enum class WakeOutcome {
    Woken,           // the list was read and a frame sent to each of its addresses
    BadBroadcast,    // the destination was neither an address nor a resolvable name
    CannotOpenList,  // the host-list file could not be opened
    NotAllSent,      // the list was read, but a frame or more could not be sent
};

// The group wake behind CWakeSocket::WakeGroup: sets the destination, reads the host list,
// sends each address its frames and appends the report to the wake log. `report`, when
// given, receives the body that went to the log; `hostIps` the IP addresses of the hosts
// woken (ReadHostList). Only hosts that a frame was sent to are counted as woken; each host
// with a frame not sent gets a line of its own in the report.
WakeOutcome WakeGroupWithReport(CWakeSocket& socket, const std::string& groupFile,
                                const std::string& broadcast, std::string* report = nullptr,
                                const WakeRounds& rounds = {},
                                std::vector<std::string>* hostIps = nullptr);

}  // namespace wb
