#pragma once

#include <chrono>
#include <ctime>
#include <string>

#include "support/temp_dir.h"
#include "support/udp_receiver.h"

namespace wb::test {

inline std::string DataFile(const std::string& name) {
    return std::string(WAKEBURST_TEST_DATA) + "/alarm/" + name;
}

// `text` with every `from` replaced by `to`.
inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto p = text.find(from); p != std::string::npos; p = text.find(from, p + to.size()))
        text.replace(p, from.size(), to);
    return text;
}

// A local wall-clock moment, with the milliseconds past the given second.
inline std::chrono::system_clock::time_point LocalMoment(int year, int month, int day, int hour,
                                                         int minute, int second = 0,
                                                         int millis = 0) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm)) +
           std::chrono::milliseconds(millis);
}

}  // namespace wb::test
