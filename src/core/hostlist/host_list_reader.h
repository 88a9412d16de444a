#pragma once

#include <string>
#include <vector>

namespace wb {

// Reads a host-list file and appends every Ethernet address written in it to `addresses`
// (which is not emptied first), in file order. `report` is emptied, then receives one
// message per line that holds only an IP address or only an Ethernet address. False, with
// message 61449 in `report` and `addresses` as it was, when the file cannot be read.
bool ReadHostList(const std::string& path, std::string& report,
                  std::vector<std::string>& addresses);

// The report line for line `lineNumber` of `path` that holds only one of the two addresses.
std::string BadLineMessage(const std::string& path, int lineNumber);

}  // namespace wb
