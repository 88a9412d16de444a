#pragma once

#include <string>
#include <system_error>
#include <utility>

#include "platform/file_lock.h"

// What the two systems' ways of taking a lock file share.
namespace wb::platform::detail {

// How often a lock file replaced while it is being taken is tried again before giving up.
inline constexpr int kMaxReplaced = 100;

inline LockOutcome LockFailed(std::string reason) {
    return {LockStatus::Failed, std::move(reason)};
}

inline LockOutcome LockFailedWith(int code) {
    return LockFailed(std::system_category().message(code));
}

}  // namespace wb::platform::detail
