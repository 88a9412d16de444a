#pragma once

#include <string>

namespace wb {

// Where the ARP listing is left for the conversion: relative, so in the current directory.
inline constexpr char kArpListingFile[] = "temp.mp";

// Writes the ARP cache as listing text to `listingPath`, replacing what stood there. When
// the cache cannot be read the file is left empty (the conversion reports that). False,
// after message 61450, only when the file cannot be written.
bool CaptureArpCache(const std::string& listingPath = kArpListingFile);

}  // namespace wb
