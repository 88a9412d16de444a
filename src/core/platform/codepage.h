#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wb::platform {

// Texts live in memory as UTF-8; the system's own files hold GBK. GB18030 is the same as
// GBK for every GBK character and can also carry every other one, so no text is lost.
// Both return nothing when the input is not valid in its encoding.
std::optional<std::string> Utf8ToGb18030(std::string_view utf8);
std::optional<std::string> Gb18030ToUtf8(std::string_view gb);

// For texts that must be written whatever they hold: invalid input passes through as is.
std::string ToFileText(std::string_view utf8);
std::string FromFileText(std::string_view gb);

}  // namespace wb::platform
