#pragma once

#include <ctime>
#include <string>

namespace wb {

// Local broken-down time of a moment (time zone and daylight saving applied).
std::tm LocalTime(std::time_t t);

// Reads "YYYY-MM-DD HH:MM" as a local time; false when it is not a real date and time.
bool ParseLocalMinute(const std::string& text, std::time_t& out);

}  // namespace wb
