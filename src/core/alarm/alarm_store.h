#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "alarm/alarm_setting.h"
#include "alarm/wake_log.h"

namespace wb {

inline constexpr char kAlarmStoreName[] = "DwnGs";

// The most alarms the store holds; the alarm dialog and `alarms add` refuse more.
inline constexpr std::size_t kMaxAlarms = 16;

// Shown (OK, no icon) when the store cannot be read whole.
inline constexpr char kDamagedStoreText[] =
    "提醒设置被存储在文件 DwnGs 中.\n不管这个文件被损坏或是以前的版本所保存.\n"
    "请使用文本编辑器查看你是否能挽救一些信息. 无论如何, 你应该使用'启动一组主机(G)' "
    "命令再次设置提醒.";

// The state the program shares for its whole run: the alarm list and the directory that
// was current at start-up, which prefixes the alarm store and the wake log. The desktop
// program and the command-line tool both keep one of these.
class CAlarmStore final {
public:
    CAlarmStore() = default;
    explicit CAlarmStore(std::string startDir) : m_strStartDir(std::move(startDir)) {}

    // Fills m_alarms from the store. False, with m_alarms untouched and nothing shown, when
    // the store cannot be opened; false with the damaged-store message and m_alarms empty
    // when it cannot be read whole.
    bool LoadAlarms() { return LoadAlarmsWithResult() == LoadResult::Loaded; }

    enum class LoadResult { Loaded, NotOpened, Damaged };
    // LoadAlarms, telling a missing store from a damaged one.
    LoadResult LoadAlarmsWithResult();

    // Makes m_alarms fresh copies of `list` first (they take effect even if the save fails),
    // then replaces the store as a whole. False with message 61448 ("DwnGs") when it could
    // not be written; the old store is then left as it was.
    bool SaveAlarms(const AlarmList& list);

    std::string StorePath() const { return m_strStartDir + kAlarmStoreName; }
    std::string WakeLogPath() const { return m_strStartDir + kWakeLogName; }

    // Replaced as a whole by LoadAlarms and SaveAlarms; a running tick holds its own
    // references to the records it uses.
    AlarmList m_alarms;
    // The start-up directory with a trailing separator, or empty.
    std::string m_strStartDir;
};

// `dir` with a trailing separator ("" stays ""), as the start-up directory is kept.
std::string WithTrailingSeparator(const std::string& dir);

// The process's current directory with a trailing separator, or "" when it cannot be read.
std::string CurrentStartDir();

// The start-up directory for a directory given by the user: made absolute once, so that
// later changes of the current directory do not move the store; "" means the current one.
std::string ResolveStartDir(const std::string& dir);

}  // namespace wb
