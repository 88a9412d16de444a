#include "platform/file_lock.h"

#include <thread>

#include "base/translate.h"
#include "file_lock_detail.h"

namespace wb::platform {

namespace {

// Between two tries of a lock that another program holds.
constexpr std::chrono::milliseconds kRetryPause{20};

}  // namespace

LockOutcome FileLock::Lock(const std::string& utf8Path, const WaitNotice& longWait) {
    const auto start = std::chrono::steady_clock::now();
    bool told = false;
    while (true) {
        LockOutcome got = TryLock(utf8Path);
        if (got.status != LockStatus::Busy) return got;
        if (!told && std::chrono::steady_clock::now() - start >= kQuietWait) {
            told = true;
            if (longWait) longWait();
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

LockOutcome FileLock::TryLock(const std::string& utf8Path) {
    Unlock();
    for (int i = 0; i < detail::kMaxReplaced; ++i) {
        LockOutcome got = TakeOnce(utf8Path);
        if (got.status != LockStatus::Locked) return got;
        m_path = utf8Path;
        if (StillNamed()) return got;
        // Removed or replaced between our open and our lock: whoever locks the file there now
        // would not be excluded by this one.
        Unlock();
    }
    return detail::LockFailed(WB_TR("wakeburst", "加锁期间一再被替换"));
}

}  // namespace wb::platform
