#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace wb {

// Weekday bits of m_nDays: 2 shifted left by tm_wday (0 Sunday .. 6 Saturday). Bit 0x01
// belongs to no day.
inline constexpr std::uint8_t kSunday = 0x02;
inline constexpr std::uint8_t kMonday = 0x04;
inline constexpr std::uint8_t kTuesday = 0x08;
inline constexpr std::uint8_t kWednesday = 0x10;
inline constexpr std::uint8_t kThursday = 0x20;
inline constexpr std::uint8_t kFriday = 0x40;
inline constexpr std::uint8_t kSaturday = 0x80;
inline constexpr std::uint8_t kEveryDay = 0xFE;

// The bit of m_nDays for a tm_wday value 0..6.
inline constexpr std::uint8_t WeekdayBit(int tmWday) {
    return static_cast<std::uint8_t>(1u << (tmWday + 1));
}

// One group alarm: at m_nHour:m_nMinute on the days of m_nDays, wake every host of
// m_strGroupFile through m_strBroadcast. Texts are UTF-8.
class CAlarmSetting final {
public:
    CAlarmSetting() = default;

    void CopyFrom(const CAlarmSetting& other) { *this = other; }

    void SetGroupFile(const std::string& path) { m_strGroupFile = path; }
    void SetDays(std::uint8_t days) { m_nDays = days; }
    void SetHour(int hour) { m_nHour = hour; }
    void SetMinute(int minute) { m_nMinute = minute; }
    void SetBroadcast(const std::string& broadcast) { m_strBroadcast = broadcast; }

    bool operator==(const CAlarmSetting& o) const {
        return m_strGroupFile == o.m_strGroupFile && m_nDays == o.m_nDays && m_nHour == o.m_nHour &&
               m_nMinute == o.m_nMinute && m_strBroadcast == o.m_strBroadcast;
    }
    bool operator!=(const CAlarmSetting& o) const { return !(*this == o); }

    std::string m_strGroupFile;  // exactly as the user gave it
    std::uint8_t m_nDays = 0;
    std::int32_t m_nHour = 0;
    std::int32_t m_nMinute = 0;
    std::string m_strBroadcast;
};

// A list of alarms in the order the user added them. Records are shared so that a tick
// still using one keeps it alive when the list is replaced under it; every entry is a
// distinct, non-null record.
using AlarmPtr = std::shared_ptr<CAlarmSetting>;
using AlarmList = std::vector<AlarmPtr>;

// Fresh copies of every record, so the result shares nothing with `list`.
AlarmList CopyAlarmList(const AlarmList& list);

}  // namespace wb
