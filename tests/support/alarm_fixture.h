#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "alarm/alarm_setting.h"

namespace wb::test {

// An alarm for `file` at hour:minute on `days`, waking through 127.0.0.1 only.
inline AlarmPtr Alarm(const std::string& file, int hour, int minute = 5,
                      std::uint8_t days = kEveryDay) {
    auto a = std::make_shared<CAlarmSetting>();
    a->SetGroupFile(file);
    a->SetDays(days);
    a->SetHour(hour);
    a->SetMinute(minute);
    a->SetBroadcast("127.0.0.1");
    return a;
}

}  // namespace wb::test
