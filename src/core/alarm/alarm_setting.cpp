#include "alarm/alarm_setting.h"

namespace wb {

AlarmList CopyAlarmList(const AlarmList& list) {
    AlarmList copy;
    copy.reserve(list.size());
    for (const AlarmPtr& rec : list) {
        auto fresh = std::make_shared<CAlarmSetting>();
        if (rec) fresh->CopyFrom(*rec);
        copy.push_back(std::move(fresh));
    }
    return copy;
}

}  // namespace wb
