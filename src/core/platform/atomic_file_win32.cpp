#include "platform/atomic_file.h"

#include <algorithm>
#include <filesystem>

#include <windows.h>

#include "atomic_file_detail.h"
#include "platform/file_path.h"

namespace wb::platform {

using detail::IsTempNameOf;
using detail::kStaleSeconds;
using detail::kTempSuffix;
using detail::TempNameFor;

namespace {

HANDLE Handle(std::intptr_t file) { return reinterpret_cast<HANDLE>(file); }

std::uint64_t Ticks(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// Saves killed half way leave their temporary files; only the user's own plain files of the
// pattern, old enough to belong to no save still running, go.
void RemoveStaleTemporaries(const std::string& path) {
    const std::string dir = DirectoryOf(path);
    const std::string base = BaseNameOf(path);
    const std::filesystem::path pattern = PathFromUtf8(dir + "." + base + ".*" + kTempSuffix);
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t staleTicks = static_cast<std::uint64_t>(kStaleSeconds) * 10000000u;
    do {
        const std::string name = WideToUtf8(found.cFileName);
        if (!IsTempNameOf(name, base) ||
            (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
            Ticks(now) < Ticks(found.ftLastWriteTime) + staleTicks)
            continue;
        const std::filesystem::path file = PathFromUtf8(dir + name);
        HANDLE h = CreateFileW(file.c_str(), READ_CONTROL | DELETE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h == INVALID_HANDLE_VALUE) continue;
        BY_HANDLE_FILE_INFORMATION info{};
        FILE_DISPOSITION_INFO gone{TRUE};
        if (GetFileInformationByHandle(h, &info) &&
            !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsOwnedByUser(h))
            SetFileInformationByHandle(h, FileDispositionInfo, &gone, sizeof gone);
        CloseHandle(h);
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

}  // namespace

CAtomicFileWriter::CAtomicFileWriter(const std::string& linkPath) {
    if (!ResolveWriteTarget(linkPath, m_path, m_refusedLink)) return;
    if (Utf8ToWide(m_path).empty()) return;
    RemoveStaleTemporaries(m_path);
    HANDLE h = INVALID_HANDLE_VALUE;
    // A name may be taken by the leftover of a save that was killed half way: try others.
    for (int tries = 0; h == INVALID_HANDLE_VALUE && tries < 16; ++tries) {
        m_tmp = TempNameFor(m_path);
        const std::wstring tmp = Utf8ToWide(m_tmp);
        if (tmp.empty()) break;
        // A new file, never anything that a link put in its place leads to.
        h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (h == INVALID_HANDLE_VALUE) {
        m_tmp.clear();  // a name taken is someone else's file
        return;
    }
    m_file = reinterpret_cast<std::intptr_t>(h);
    m_ok = true;
}

bool CAtomicFileWriter::WriteOut(std::string_view bytes) {
    while (m_ok && !bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(Handle(m_file), bytes.data(), chunk, &written, nullptr) || written == 0)
            m_ok = false;
        bytes.remove_prefix(written);
    }
    return m_ok;
}

SaveResult CAtomicFileWriter::Commit() {
    if (m_file == kNoFile) return SaveResult{false, m_refusedLink};
    if (!Flush() || !FlushFileBuffers(Handle(m_file))) m_ok = false;
    CloseHandle(Handle(m_file));
    m_file = kNoFile;
    const std::wstring tmp = Utf8ToWide(m_tmp), target = Utf8ToWide(m_path);
    if (m_ok)
        m_ok = MoveFileExW(tmp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!m_ok) Discard();
    m_tmp.clear();
    return SaveResult{m_ok, {}};
}

void CAtomicFileWriter::Discard() {
    if (m_file != kNoFile) CloseHandle(Handle(m_file));
    m_file = kNoFile;
    if (!m_tmp.empty()) DeleteFileW(Utf8ToWide(m_tmp).c_str());
    m_tmp.clear();
    m_ok = false;
}

SaveResult CheckReplaceable(const std::string& linkPath) {
    SaveResult result;
    std::string path;
    if (!ResolveWriteTarget(linkPath, path, result.refusedLink)) return result;
    const std::wstring target = Utf8ToWide(path);
    if (target.empty()) return result;
    const DWORD attrs = GetFileAttributesW(target.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES &&
        (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return result;
    const std::wstring probe = Utf8ToWide(TempNameFor(path));
    HANDLE h = CreateFileW(
        probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return result;
    CloseHandle(h);
    result.done = true;
    return result;
}
}  // namespace wb::platform
