#pragma once

#include <string>

#include "wake/wake_socket.h"

namespace wb {

enum class WakeOutcome {
    Woken,           // the list was read and a frame sent to each of its addresses
    BadBroadcast,    // the destination was neither an address nor a resolvable name
    CannotOpenList,  // the host-list file could not be opened
};

// The group wake behind CWakeSocket::WakeGroup: sets the destination, reads the host list,
// sends one frame per address and appends the report to the wake log. `report`, when
// given, receives the body that went to the log.
WakeOutcome WakeGroupWithReport(CWakeSocket& socket, const std::string& groupFile,
                                const std::string& broadcast, std::string* report = nullptr);

}  // namespace wb
