#include "alarm/local_time.h"

namespace wb {

std::tm LocalTime(std::time_t t) {
    // Copied at once: the program has one thread, so the shared buffer is not a hazard.
    const std::tm* p = std::localtime(&t);
    return p ? *p : std::tm{};
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
    const int hour = num(11, 2), minute = num(14, 2);
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    // mktime moves 2026-02-30 into March and a time skipped by daylight saving into the next
    // hour; neither names a real local minute.
    if (t == static_cast<std::time_t>(-1) || tm.tm_year != year - 1900 || tm.tm_mon != month - 1 ||
        tm.tm_mday != day || tm.tm_hour != hour || tm.tm_min != minute)
        return false;
    out = t;
    return true;
}

}  // namespace wb
