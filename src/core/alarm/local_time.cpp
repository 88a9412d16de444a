#include "alarm/local_time.h"

namespace wb {

std::tm LocalTime(std::time_t t) {
    // Copied at once: the program has one thread, so the shared buffer is not a hazard.
    const std::tm* p = std::localtime(&t);
    return p ? *p : std::tm{};
}

namespace {

// Noon of a date, normalised by mktime (an out-of-range day is carried into the real
// date); noon, because no zone changes its clock then. False when mktime cannot.
bool NoonOf(int year, int month, int day, std::tm& date) {
    date = std::tm{};
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    date.tm_hour = 12;
    date.tm_isdst = -1;
    return std::mktime(&date) != static_cast<std::time_t>(-1);
}

}  // namespace

bool FirstLocalMoment(int year, int month, int day, int hour, int minute, std::time_t& out) {
    std::tm date;
    if (!NoonOf(year, month, day, date)) return false;
    // Asked as summer time, as standard time and as "whichever": each answer that the
    // clock really shows is a pass through that minute. mktime moves a skipped minute
    // past the gap, which then fails the comparison.
    bool found = false;
    for (int isdst : {1, 0, -1}) {
        std::tm tm{};
        tm.tm_year = date.tm_year;
        tm.tm_mon = date.tm_mon;
        tm.tm_mday = date.tm_mday;
        tm.tm_hour = hour;
        tm.tm_min = minute;
        tm.tm_isdst = isdst;
        const std::time_t t = std::mktime(&tm);
        if (t == static_cast<std::time_t>(-1)) continue;
        const std::tm shown = LocalTime(t);
        if (shown.tm_year != date.tm_year || shown.tm_mon != date.tm_mon ||
            shown.tm_mday != date.tm_mday || shown.tm_hour != hour || shown.tm_min != minute)
            continue;
        if (!found || t < out) out = t;
        found = true;
    }
    return found;
}

bool ParseLocalMinute(const std::string& text, std::time_t& out) {
    static constexpr char kShape[] = "dddd-dd-dd dd:dd";
    if (text.size() != sizeof kShape - 1) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return false;
    }
    auto num = [&](std::size_t pos, std::size_t len) { return std::stoi(text.substr(pos, len)); };
    const int year = num(0, 4), month = num(5, 2), day = num(8, 2);
    // 2026-02-30 would be carried into March; it names no real date.
    if (month < 1 || month > 12 || day < 1) return false;
    std::tm check;
    if (!NoonOf(year, month, day, check) || check.tm_mday != day || check.tm_mon != month - 1)
        return false;
    return FirstLocalMoment(year, month, day, num(11, 2), num(14, 2), out);
}

}  // namespace wb
