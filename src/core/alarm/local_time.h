#pragma once

#include <ctime>
#include <string>

namespace wb {

// Local broken-down time of a moment (time zone and daylight saving applied).
std::tm LocalTime(std::time_t t);

// The first moment at which the local clock shows year-month-day hour:minute (the date
// fields may be out of range and are carried over, as mktime does). False when the clock
// never shows it that day: a minute skipped when daylight saving starts, or no such
// date. A minute the clock passes twice when daylight saving ends gives the first pass,
// the one the scheduler fires in.
bool FirstLocalMoment(int year, int month, int day, int hour, int minute, std::time_t& out);

// Reads "YYYY-MM-DD HH:MM" as a local time; false when it is not a real date and time.
bool ParseLocalMinute(const std::string& text, std::time_t& out);

}  // namespace wb
