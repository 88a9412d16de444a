#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace wb {

// The name of a host whose name could not be found.
inline constexpr char kNameNotFound[] = "*名称未被发现*";

// Called with (0, total) before the first name lookup and as lookups finish.
using LookupProgress = std::function<void(std::size_t done, std::size_t total)>;

// The host name of an IP address text, or kNameNotFound after the failure has been shown:
// a text that is not an address as a network error, an address without a name as its text,
// a line feed and the resolver's reason.
std::string LookupHostName(const std::string& ipText);

// LookupHostName for every address, the lookups side by side so that a name server that
// does not answer costs one resolver time-out rather than one per host. The failures are
// shown afterwards in the order of `ipTexts`, and the names come back in that order.
// `progress` (when given) hears (done, total) on the calling thread as lookups finish.
std::vector<std::string> LookupHostNames(const std::vector<std::string>& ipTexts,
                                         const LookupProgress& progress = {});

}  // namespace wb
