#include "alarm/alarm_store.h"

#include <filesystem>

#include "alarm/alarm_store_codec.h"
#include "base/message_box.h"
#include "base/string_table.h"
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

}  // namespace

CAlarmStore::LoadResult CAlarmStore::LoadAlarmsWithResult() {
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

CAlarmStore::UpdateResult CAlarmStore::UpdateAlarms(const Change& change, bool replaceDamaged) {
    // Everyone who changes the store takes this lock before reading it, so no change is
    // made to a list that another program has replaced in the meantime. Readers need no
    // lock: the store is only ever replaced whole.
    platform::FileLock lock;
    const platform::LockOutcome locked = lock.Lock(LockPath(), [this] {
        ShowMessageBox("等待另一个程序释放 " + LockPath() + " ...", MsgButtons::Ok,
                       MsgIcon::Information);
    });
    if (!locked.Locked()) {
        ShowMessageBox(FormatString1(IDP_ALARMS_NOT_SAVED, kAlarmStoreName) + "\n" + LockPath() +
                           ": " + locked.reason,
                       MsgButtons::Ok, MsgIcon::Exclamation);
        return UpdateResult::NotLocked;
    }
    std::string read;
    const DiskState state = ReadStoreFile(read);
    if (state == DiskState::Unreadable) return UpdateResult::Unreadable;
    StoreBytes bytes;
    if (state == DiskState::Store) bytes = std::move(read);
    AlarmList list;
    if (state == DiskState::NotAStore || (bytes && !DecodeAlarmStore(*bytes, list))) {
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
