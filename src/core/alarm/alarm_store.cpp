#include "alarm/alarm_store.h"

#include <filesystem>

#include "alarm/alarm_store_codec.h"
#include "base/message_box.h"
#include "base/string_table.h"
#include "platform/atomic_file.h"
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
