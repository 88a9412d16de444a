#pragma once

#include <array>
#include <string>

namespace wb {

inline constexpr char kDefaultHostListName[] = "新建组.mp";
inline constexpr char kDefaultSubnetMask[] = "255.255.255.0";

// The four mask fields as typed, first byte first.
using MaskFields = std::array<std::string, 4>;

// The name a host list is saved under: "新建组.mp" for an empty name; ".mp" appended unless
// a lower-case copy of the name already holds ".mp" somewhere.
std::string HostListFileName(const std::string& typed);

// Checks each field like the creation dialog does: an unsigned integer from 0 to 255, the
// fourth from 0 to 254. False with a one-line reason otherwise.
bool ValidateMaskFields(const MaskFields& fields, std::string& reason);

// The fields exactly as typed, joined by points ("010" stays "010").
std::string BuildMaskText(const MaskFields& fields);

// Splits "A.B.C.D" at its points; false unless there are exactly four parts.
bool SplitMaskText(const std::string& text, MaskFields& fields);

}  // namespace wb
