#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui_language.h"

namespace wb {

// Reads a host-list file and appends every Ethernet address written in it to `addresses`
// (which is not emptied first), in file order. `report` is emptied, then receives one
// message per line that holds only an IP address or only an Ethernet address, in the user's
// language. False, with message 61449 in `report` and `addresses` as it was, when the file
// cannot be read.
bool ReadHostList(const std::string& path, std::string& report,
                  std::vector<std::string>& addresses);

// The report line for line `lineNumber` of `path` that holds only one of the two addresses,
// in `language` (the wake log's is Chinese).
std::string BadLineMessage(const std::string& path, std::uint64_t lineNumber,
                           platform::UiLanguage language = platform::UserUiLanguage());
// The report line that stands for `count` more such lines of `path`, when a report leaves
// them out.
std::string OmittedBadLinesMessage(const std::string& path, std::uint64_t count,
                                   platform::UiLanguage language = platform::UserUiLanguage());

// What ReadHostList finds, handed out line by line so that a list of any size costs no more
// memory than one line: `onLine(addresses, ip)` for every line that gave Ethernet addresses,
// in file order, `ip` being the first IP-form token of the line (empty when it has none):
// the host whose answer can be waited for; `onBadLine(n)` for every line n that holds only
// one of the two addresses. False, with message 61449 (in the user's language) in `error`,
// when the file cannot be opened or a read fails part way; what was handed out before the
// failure stays handed out, so a caller that must not act on half a list holds the addresses
// back until the end.
using HostListLineFn =
    std::function<void(std::vector<std::string>& addresses, std::string_view ip)>;
using HostListBadLineFn = std::function<void(std::uint64_t lineNumber)>;
bool ReadHostListLines(const std::string& path, const HostListLineFn& onLine,
                       const HostListBadLineFn& onBadLine, std::string& error);

// The same for host-list text already in memory (a document being edited, in the file's
// code page), its lines numbered as the file's would be.
void ReadHostListText(std::string_view bytes, const HostListLineFn& onLine,
                      const HostListBadLineFn& onBadLine);

}  // namespace wb
