#include "platform/file_lock.h"

#include <windows.h>

#include "base/translate.h"
#include "file_lock_detail.h"
#include "platform/file_path.h"

namespace wb::platform {

LockOutcome FileLock::TakeOnce(const std::string& utf8Path) {
    const std::wstring path = Utf8ToWide(utf8Path);
    if (path.empty()) return detail::LockFailedWith(ERROR_INVALID_NAME);
    // Without FILE_SHARE_DELETE nobody removes or renames the file while it is open here; a
    // reparse point (a link) is opened as itself and refused.
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return detail::LockFailedWith(static_cast<int>(GetLastError()));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
        GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return detail::LockFailed(WB_TR("wakeburst", "不是普通文件"));
    }
    OVERLAPPED at{};
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const DWORD error = GetLastError();
        CloseHandle(h);
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING)
            return {LockStatus::Busy, {}};
        return detail::LockFailedWith(static_cast<int>(error));
    }
    m_handle = reinterpret_cast<std::intptr_t>(h);
    return {LockStatus::Locked, {}};
}

void FileLock::Unlock() {
    if (m_handle == kNone) return;
    HANDLE h = reinterpret_cast<HANDLE>(m_handle);
    OVERLAPPED at{};
    UnlockFileEx(h, 0, 1, 0, &at);
    CloseHandle(h);
    m_handle = kNone;
}

// The file cannot be removed or renamed while our handle, opened without delete sharing,
// is open.
bool FileLock::StillNamed() const { return Held(); }

std::string FileLock::ReadNote() const {
    if (!Held()) return {};
    char buf[kMaxNote];
    OVERLAPPED at{};
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(m_handle), buf, sizeof buf, &got, &at)) return {};
    return std::string(buf, got);
}

bool FileLock::WriteNote(const std::string& note) {
    if (!Held() || note.size() > kMaxNote) return false;
    HANDLE h = reinterpret_cast<HANDLE>(m_handle);
    OVERLAPPED at{};
    DWORD put = 0;
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(note.size());
    return WriteFile(h, note.data(), static_cast<DWORD>(note.size()), &put, &at) &&
           put == note.size() && SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
}

}  // namespace wb::platform
