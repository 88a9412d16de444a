#include "alarm/alarm_store.h"

#include <filesystem>

#include "alarm/alarm_store_codec.h"
#include "base/message_box.h"
#include "base/string_table.h"
#include "base/translate.h"
#include "platform/atomic_file.h"
#include "platform/file_lock.h"
#include "platform/file_path.h"
#include "platform/regular_file.h"

namespace wb {

namespace fs = std::filesystem;

namespace {

// Sixteen alarms take well under a megabyte even with the longest paths; anything far
// larger is not a store of ours and is not read into memory.
constexpr std::uint64_t kMaxAlarmStoreBytes = 16u << 20;

AlarmOutcome Refused(AlarmOutcome::Code code, std::string text, MsgIcon icon = MsgIcon::None) {
    return AlarmOutcome{code, std::move(text), icon};
}

// A link that another user planted at the store's name is named instead of the usual
// not-saved text, so the user sees why nothing was written.
AlarmOutcome NotSaved(const std::string& refusedLink = {}) {
    return Refused(
        AlarmOutcome::Code::NotSaved,
        SaveFailureText(refusedLink, FormatString1(IDP_ALARMS_NOT_SAVED, kAlarmStoreName)),
        MsgIcon::Exclamation);
}

}  // namespace

std::string AlarmOutcome::OneLine() const {
    constexpr char kBlanks[] = " \t\r";
    std::string line;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::size_t first = text.find_first_not_of(kBlanks, start);
        if (first != std::string::npos && first < end) {
            const std::size_t last = text.find_last_not_of(kBlanks, end - 1);
            if (!line.empty()) line += ' ';
            line.append(text, first, last + 1 - first);
        }
        start = end + 1;
    }
    return line;
}

AlarmOutcome CheckRoomForAlarm(const AlarmList& list) {
    if (list.size() < kMaxAlarms) return {};
    return Refused(AlarmOutcome::Code::Full, FormatText(WB_TR("wakeburst", "组 %1 允许的最大值."),
                                                        {std::to_string(kMaxAlarms)}));
}

std::string GroupFilePath(const std::string& typed, const std::string& baseDir) {
    const fs::path path = platform::PathFromUtf8(typed);
    // A name from the root ("/srv/lab.mp", and "\lab.mp" on Windows) stays as it is: only a
    // name relative to a directory depends on where the program that fires it started.
    if (typed.empty() || path.has_root_directory() || path.has_root_name()) return typed;
    if (!baseDir.empty()) return platform::PathToUtf8(platform::PathFromUtf8(baseDir) / path);
    std::error_code ec;
    const fs::path full = fs::absolute(path, ec);
    return ec ? typed : platform::PathToUtf8(full);
}

AlarmOutcome ResolveGroupFile(const std::string& typed, const std::string& baseDir,
                              std::string& absolute) {
    std::string path = GroupFilePath(typed, baseDir);
    std::error_code ec;
    // Asked of the name, never by opening it: a FIFO without a writer would hang an open.
    const bool found = !typed.empty() && fs::is_regular_file(platform::PathFromUtf8(path), ec);
    AlarmOutcome outcome;
    if (!found)
        outcome =
            Refused(AlarmOutcome::Code::NoGroupFile, FormatString1(IDS_FILE_NOT_FOUND, typed));
    absolute = std::move(path);  // last: `typed` may be `absolute` itself
    return outcome;
}

AlarmOutcome AddAlarm(AlarmList& list, CAlarmSetting alarm, const std::string& baseDir) {
    AlarmOutcome outcome = CheckRoomForAlarm(list);
    if (outcome.Done())
        outcome = ResolveGroupFile(alarm.m_strGroupFile, baseDir, alarm.m_strGroupFile);
    if (outcome.Done()) list.push_back(std::make_shared<CAlarmSetting>(std::move(alarm)));
    return outcome;
}

AlarmOutcome RemoveAlarm(AlarmList& list, std::size_t index) {
    if (index >= list.size())
        return Refused(AlarmOutcome::Code::NoSuchAlarm, WB_TR("wakeburst", "没有撤消"));
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    return {};
}

CAlarmStore::LoadResult CAlarmStore::LoadAlarmsWithResult(AlarmOutcome* damaged) {
    std::string bytes;
    const platform::ReadResult read =
        platform::ReadRegularFile(StorePath(), bytes, kMaxAlarmStoreBytes);
    std::error_code ec;
    if (read == platform::ReadResult::NotOpened ||
        (read == platform::ReadResult::NotRegular &&
         fs::is_directory(platform::PathFromUtf8(StorePath()), ec)))
        return LoadResult::NotOpened;
    // A FIFO or a device in the store's place is no store: said so at once, never read.
    AlarmList loaded;
    if (read != platform::ReadResult::Read || !DecodeAlarmStore(bytes, loaded)) {
        m_alarms = AlarmList();
        if (damaged)
            *damaged = Refused(AlarmOutcome::Code::Damaged, WB_TR("wakeburst", kDamagedStoreText));
        else
            ShowMessageBox(WB_TR("wakeburst", kDamagedStoreText), MsgButtons::Ok, MsgIcon::None);
        return LoadResult::Damaged;
    }
    m_alarms = std::move(loaded);
    return LoadResult::Loaded;
}

bool CAlarmStore::SaveAlarms(const AlarmList& list) {
    const platform::SaveResult saved = WriteAlarms(list);
    if (saved) return true;
    const AlarmOutcome failed = NotSaved(saved.refusedLink);
    ShowMessageBox(failed.text, MsgButtons::Ok, failed.icon);
    return false;
}

platform::SaveResult CAlarmStore::WriteAlarms(const AlarmList& list) {
    // The accepted alarms take effect for the rest of the run even if the store cannot be
    // written. Assigning a new vector leaves the old records to whoever still holds them.
    m_alarms = CopyAlarmList(list);
    // Written whole to a temporary file and renamed over the store, so a failure half way
    // leaves the old store intact rather than cut short.
    return platform::WriteFileAtomically(StorePath(), EncodeAlarmStore(m_alarms));
}

CAlarmStore::DiskState CAlarmStore::ReadStoreFile(std::string& bytes) const {
    std::error_code ec;
    const fs::path path = platform::PathFromUtf8(StorePath());
    switch (platform::ReadRegularFile(StorePath(), bytes, kMaxAlarmStoreBytes)) {
        case platform::ReadResult::Read:
            return DiskState::Store;
        case platform::ReadResult::NotOpened:
            return fs::exists(path, ec) || ec ? DiskState::Unreadable : DiskState::None;
        case platform::ReadResult::NotRegular:
            return fs::is_directory(path, ec) ? DiskState::Unreadable : DiskState::NotAStore;
        case platform::ReadResult::TooLarge:
            return DiskState::NotAStore;
        case platform::ReadResult::Failed:
            break;
    }
    return DiskState::Unreadable;
}

bool CAlarmStore::ReadStoreBytes(StoreBytes& bytes) const {
    std::string read;
    switch (ReadStoreFile(read)) {
        case DiskState::Store:
            bytes = std::move(read);
            return true;
        case DiskState::None:
            bytes.reset();
            return true;
        case DiskState::Unreadable:
        case DiskState::NotAStore:
            break;
    }
    return false;
}

StoreStamp CAlarmStore::Stamp() const {
    const fs::path path = platform::PathFromUtf8(StorePath());
    std::error_code ec;
    StoreStamp s;
    s.time = fs::last_write_time(path, ec);
    if (ec) return StoreStamp{};
    s.size = fs::file_size(path, ec);
    s.exists = !ec;
    return s;
}

AlarmOutcome CAlarmStore::UpdateAlarms(const Change& change, bool replaceDamaged) {
    // Everyone who changes the store takes this lock before reading it, so no change is
    // made to a list that another program has replaced in the meantime. Readers need no
    // lock: the store is only ever replaced whole.
    platform::FileLock lock;
    const platform::LockOutcome locked = lock.Lock(LockPath(), [this] {
        ShowMessageBox(LockWaitText(LockPath()), MsgButtons::Ok, MsgIcon::Information);
    });
    if (!locked.Locked()) {
        AlarmOutcome failed = NotSaved();
        failed.text += "\n" + LockPath() + ": " + locked.reason;
        return failed;
    }
    std::string read;
    const DiskState state = ReadStoreFile(read);
    if (state == DiskState::Unreadable) return NotSaved();
    StoreBytes bytes;
    if (state == DiskState::Store) bytes = std::move(read);
    AlarmList list;
    if (state == DiskState::NotAStore || (bytes && !DecodeAlarmStore(*bytes, list))) {
        list.clear();
        if (!replaceDamaged) {
            m_alarms = AlarmList();
            return Refused(AlarmOutcome::Code::Damaged, WB_TR("wakeburst", kDamagedStoreText));
        }
    }
    m_alarms = CopyAlarmList(list);
    AlarmOutcome outcome = change(list, bytes);
    if (!outcome.Done()) return outcome;
    // WriteAlarms puts the list into effect even when it cannot be written; here only what
    // is on disk counts, so a failed save leaves the list as loaded.
    AlarmList loaded = m_alarms;
    const platform::SaveResult saved = WriteAlarms(list);
    if (!saved) {
        m_alarms = std::move(loaded);
        return NotSaved(saved.refusedLink);
    }
    return outcome;
}

AlarmOutcome CAlarmStore::ReplaceAlarms(const AlarmList& list, StoreBytes& expected) {
    std::optional<StoreBytes> changed;
    const AlarmOutcome outcome = UpdateAlarms(
        [&](AlarmList& onDiskList, const StoreBytes& onDisk) {
            if (onDisk != expected) {
                changed = onDisk;
                return AlarmOutcome{AlarmOutcome::Code::StoreChanged, {}, MsgIcon::None};
            }
            onDiskList = list;
            return AlarmOutcome{};
        },
        true);
    if (changed)
        expected = std::move(*changed);
    else if (!outcome.Done())
        m_alarms = CopyAlarmList(list);
    return outcome;
}

std::string WithTrailingSeparator(const std::string& dir) {
    if (dir.empty()) return dir;
    const char last = dir.back();
    if (last == '/' || last == static_cast<char>(fs::path::preferred_separator)) return dir;
    return dir + static_cast<char>(fs::path::preferred_separator);
}

std::string CurrentStartDir() {
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    if (ec) return std::string();
    return WithTrailingSeparator(platform::PathToUtf8(cwd));
}

std::string ResolveStartDir(const std::string& dir) {
    if (dir.empty()) return CurrentStartDir();
    std::error_code ec;
    const fs::path abs = fs::absolute(platform::PathFromUtf8(dir), ec);
    return WithTrailingSeparator(ec ? dir : platform::PathToUtf8(abs));
}

}  // namespace wb
