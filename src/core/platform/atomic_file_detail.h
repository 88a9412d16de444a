#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What the two systems' atomic saves share: the names of their temporary files.
namespace wb::platform::detail {

// A temporary file is ".NAME.<16 hex digits>.tmp" beside the file it will replace.
inline constexpr std::size_t kTempDigits = 16;
inline constexpr char kTempSuffix[] = ".tmp";
// A save still running has touched its temporary file more recently than this.
inline constexpr std::int64_t kStaleSeconds = 60;

// A fresh temporary name beside `path`.
std::string TempNameFor(const std::string& path);
// Whether `name` is a temporary name of the file named `base` (either system's saves).
bool IsTempNameOf(const std::string& name, const std::string& base);

}  // namespace wb::platform::detail
