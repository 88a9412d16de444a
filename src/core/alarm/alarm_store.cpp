#include "alarm/alarm_store.h"

#include <filesystem>
#include <iterator>

#include "alarm/alarm_store_codec.h"
#include "base/message_box.h"
#include "base/string_table.h"
#include "platform/atomic_file.h"
#include "platform/file_lock.h"
#include "platform/file_path.h"

namespace wb {

namespace fs = std::filesystem;

CAlarmStore::LoadResult CAlarmStore::LoadAlarmsWithResult() {
    const std::string path = StorePath();
    std::error_code ec;
    if (fs::is_directory(platform::PathFromUtf8(path), ec)) return LoadResult::NotOpened;
    std::ifstream in = platform::OpenInputFile(path);
    if (!in) return LoadResult::NotOpened;

    std::string bytes;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    AlarmList loaded;
    if (in.bad() || !DecodeAlarmStore(bytes, loaded)) {
        m_alarms = AlarmList();
        ShowMessageBox(kDamagedStoreText, MsgButtons::Ok, MsgIcon::None);
        return LoadResult::Damaged;
    }
    m_alarms = std::move(loaded);
    return LoadResult::Loaded;
}

bool CAlarmStore::SaveAlarms(const AlarmList& list) {
    // The accepted alarms take effect for the rest of the run even if the store cannot be
    // written. Assigning a new vector leaves the old records to whoever still holds them.
    m_alarms = CopyAlarmList(list);
    // Written whole to a temporary file and renamed over the store, so a failure half way
    // leaves the old store intact rather than cut short.
    if (!platform::WriteFileAtomically(StorePath(), EncodeAlarmStore(m_alarms))) {
        ShowMessageBox(FormatString1(IDP_ALARMS_NOT_SAVED, kAlarmStoreName), MsgButtons::Ok,
                       MsgIcon::Exclamation);
        return false;
    }
    return true;
}

bool CAlarmStore::ReadStoreBytes(StoreBytes& bytes) const {
    std::string read;
    if (platform::ReadWholeFile(StorePath(), read)) {
        bytes = std::move(read);
        return true;
    }
    std::error_code ec;
    if (fs::exists(platform::PathFromUtf8(StorePath()), ec) || ec) return false;
    bytes.reset();
    return true;
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

CAlarmStore::UpdateResult CAlarmStore::UpdateAlarms(const Change& change, bool replaceDamaged) {
    // Everyone who changes the store takes this lock before reading it, so no change is
    // made to a list that another program has replaced in the meantime. Readers need no
    // lock: the store is only ever replaced whole.
    platform::FileLock lock;
    if (!lock.Lock(LockPath())) {
        ShowMessageBox(FormatString1(IDP_ALARMS_NOT_SAVED, kAlarmStoreName), MsgButtons::Ok,
                       MsgIcon::Exclamation);
        return UpdateResult::NotLocked;
    }
    StoreBytes bytes;
    if (!ReadStoreBytes(bytes)) return UpdateResult::Unreadable;
    AlarmList list;
    if (bytes && !DecodeAlarmStore(*bytes, list)) {
        list.clear();
        if (!replaceDamaged) {
            m_alarms = AlarmList();
            ShowMessageBox(kDamagedStoreText, MsgButtons::Ok, MsgIcon::None);
            return UpdateResult::Damaged;
        }
    }
    m_alarms = CopyAlarmList(list);
    if (!change(list, bytes)) return UpdateResult::Refused;
    // SaveAlarms puts the list into effect even when it cannot be written; here only what
    // is on disk counts, so a failed save leaves the list as loaded.
    AlarmList loaded = m_alarms;
    if (!SaveAlarms(list)) {
        m_alarms = std::move(loaded);
        return UpdateResult::NotSaved;
    }
    return UpdateResult::Saved;
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
