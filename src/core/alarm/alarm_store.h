#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "alarm/alarm_setting.h"
#include "alarm/wake_log.h"
#include "base/message_box.h"
#include "base/translate.h"
#include "platform/atomic_file.h"

namespace wb {

inline constexpr char kAlarmStoreName[] = "DwnGs";
// Beside the store: whoever changes the store holds an exclusive lock on the first; the one
// process that fires the store's alarms holds one on the second for as long as it runs.
inline constexpr char kAlarmStoreLockName[] = "DwnGs.lock";
inline constexpr char kSchedulerLockName[] = "DwnGs.scheduler.lock";

// The store's bytes as they are on disk; nullopt when there is no store.
using StoreBytes = std::optional<std::string>;

// What tells a poller the store was replaced: it appeared, went, or changed size or time.
struct StoreStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};

    bool operator==(const StoreStamp& o) const {
        return exists == o.exists && size == o.size && time == o.time;
    }
    bool operator!=(const StoreStamp& o) const { return !(*this == o); }
};

// The most alarms the store holds; the alarm dialog and `alarms add` refuse more.
inline constexpr std::size_t kMaxAlarms = 16;

// Shown (OK, no icon), translated, when the store cannot be read whole.
inline constexpr char kDamagedStoreText[] =
    WB_TR_NOOP("wakeburst",
               "提醒设置被存储在文件 DwnGs 中.\n不管这个文件被损坏或是以前的版本所保存.\n"
               "请使用文本编辑器查看你是否能挽救一些信息. 无论如何, 你应该使用'启动一组主机(G)' "
               "命令再次设置提醒.");

// What became of adding, removing or saving alarms. The window shows `text` in a message box
// with `icon`, the command-line tool on one line; both decide by `code` what follows.
struct AlarmOutcome {
    enum class Code {
        Done,
        Full,          // the list holds kMaxAlarms already
        NoGroupFile,   // no regular file by the group file's name
        NoSuchAlarm,   // no alarm at the index given
        StoreChanged,  // another program replaced the store since it was read
        Damaged,       // the store on disk cannot be read whole
        NotSaved       // the store could not be locked, read or written; it is as it was
    };
    Code code = Code::Done;
    std::string text;  // UTF-8; empty when done
    MsgIcon icon = MsgIcon::None;

    bool Done() const { return code == Code::Done; }
    // The text on one line: each line without its leading and trailing blanks, empty lines
    // dropped, the rest joined by one blank.
    std::string OneLine() const;
};

// Whether `list` has room for one more alarm: Full, with the limit's message, when not.
AlarmOutcome CheckRoomForAlarm(const AlarmList& list);

// The group file as the store keeps it: `typed` made absolute against `baseDir` (a directory
// with its trailing separator; empty: the current one), so that it names the same file to
// whichever program fires the alarm, from whatever directory.
std::string GroupFilePath(const std::string& typed, const std::string& baseDir);

// GroupFilePath, and whether a regular file is there: NoGroupFile, with message 61546 naming
// the file as typed, when not; a FIFO or a device is refused without being opened.
AlarmOutcome ResolveGroupFile(const std::string& typed, const std::string& baseDir,
                              std::string& absolute);

// Appends `alarm` to `list` when there is room and its group file resolves (see above); the
// record appended keeps the absolute name.
AlarmOutcome AddAlarm(AlarmList& list, CAlarmSetting alarm, const std::string& baseDir);

// Removes the alarm at `index` (from 0); NoSuchAlarm ("没有撤消") when there is none.
AlarmOutcome RemoveAlarm(AlarmList& list, std::size_t index);

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
    // LoadAlarms, telling a missing store from a damaged one. With `damaged`, the
    // damaged-store message is put there instead of shown.
    LoadResult LoadAlarmsWithResult(AlarmOutcome* damaged = nullptr);

    // Makes m_alarms fresh copies of `list` first (they take effect even if the save fails),
    // then replaces the store as a whole. False with message 61448 ("DwnGs") when it could
    // not be written; the old store is then left as it was.
    bool SaveAlarms(const AlarmList& list);

    // (list, bytes) -> the outcome: edits the list as loaded from `bytes`; the list is
    // written only when the outcome is Done.
    using Change = std::function<AlarmOutcome(AlarmList& list, const StoreBytes& onDisk)>;
    // A change that loses no other program's change: under the store's lock, loads the store
    // as it is on disk (none is an empty list), lets `change` edit that list, and replaces
    // the store atomically before the lock is let go. m_alarms is left as loaded from disk
    // unless the change is saved, when it holds the saved list. A damaged store is refused
    // (Damaged), or, when `replaceDamaged`, handed to the change as an empty list (the way
    // to set the alarms again). Nothing is shown: the caller shows the outcome.
    AlarmOutcome UpdateAlarms(const Change& change, bool replaceDamaged = false);

    // Replaces the store by `list` while the store still holds `expected`, the bytes the
    // caller read (nullopt: there was none); otherwise StoreChanged, with `expected` set to
    // the store now on disk. As with SaveAlarms, a list that cannot be saved takes effect
    // all the same.
    AlarmOutcome ReplaceAlarms(const AlarmList& list, StoreBytes& expected);

    // The store's bytes; false when it exists but cannot be read.
    bool ReadStoreBytes(StoreBytes& bytes) const;
    StoreStamp Stamp() const;

    std::string StorePath() const { return m_strStartDir + kAlarmStoreName; }
    std::string LockPath() const { return m_strStartDir + kAlarmStoreLockName; }
    std::string SchedulerLockPath() const { return m_strStartDir + kSchedulerLockName; }
    std::string WakeLogPath() const { return m_strStartDir + kWakeLogName; }

private:
    // What is in the store's place on disk: a regular file that may be a store (its bytes
    // read), nothing, something that cannot be read, or something that is no store (a FIFO,
    // a device, a file larger than any store).
    enum class DiskState { Store, None, Unreadable, NotAStore };
    DiskState ReadStoreFile(std::string& bytes) const;
    // Makes m_alarms fresh copies of `list` and writes them; false when the store could
    // not be written, which is then as it was.
    platform::SaveResult WriteAlarms(const AlarmList& list);

public:
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
