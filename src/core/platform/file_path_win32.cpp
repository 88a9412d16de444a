#include "platform/file_path.h"

#include <vector>

#include <windows.h>
// After windows.h, which it needs.
#include <aclapi.h>

namespace wb::platform {

std::wstring Utf8ToWide(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                      static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        w.data(), n);
    return w;
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n,
                        nullptr, nullptr);
    return s;
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    std::wstring wide = Utf8ToWide(utf8);
    // Not UTF-8 at all: the bytes are most likely in the ANSI code page already.
    if (wide.empty() && !utf8.empty()) return std::filesystem::path(std::string(utf8));
    return std::filesystem::path(std::move(wide));
}

std::string PathToUtf8(const std::filesystem::path& path) { return WideToUtf8(path.native()); }

namespace {

using Sid = std::vector<unsigned char>;

Sid CopyOfSid(PSID sid) {
    if (!sid || !IsValidSid(sid)) return Sid();
    Sid copy(GetLengthSid(sid));
    if (!CopySid(static_cast<DWORD>(copy.size()), copy.data(), sid)) return Sid();
    return copy;
}

Sid OwnerOf(HANDLE h) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (GetSecurityInfo(h, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                        nullptr, &sd) != ERROR_SUCCESS)
        return Sid();
    Sid sid = CopyOfSid(owner);
    LocalFree(sd);
    return sid;
}

Sid CurrentUser() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return Sid();
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buf(size);
    Sid sid;
    if (size && GetTokenInformation(token, TokenUser, buf.data(), size, &size))
        sid = CopyOfSid(reinterpret_cast<TOKEN_USER*>(buf.data())->User.Sid);
    CloseHandle(token);
    return sid;
}

// A SID's bytes are its identity: two equal SIDs are equal byte for byte.
bool SameOwner(const Sid& a, const Sid& b) { return !a.empty() && a == b; }

// The owner of the name itself: a reparse point is opened, not what it points to.
Sid OwnerOfName(const std::filesystem::path& path, DWORD flags) {
    HANDLE h = CreateFileW(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Sid();
    Sid owner = OwnerOf(h);
    CloseHandle(h);
    return owner;
}

}  // namespace

bool IsOwnedByUser(void* handle) {
    return SameOwner(OwnerOf(static_cast<HANDLE>(handle)), CurrentUser());
}

bool ResolveWriteTarget(const std::string& utf8Path, std::string& target,
                        std::string& refusedLink) {
    refusedLink.clear();
    target = utf8Path;
    const std::filesystem::path path = PathFromUtf8(utf8Path);
    if (path.empty()) return false;
    const DWORD attrs = GetFileAttributesW(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
    // No sticky directories here to tell a shared place: a link or junction is followed only
    // when it is the user's or was made by whoever owns the directory it stands in.
    const Sid owner = OwnerOfName(path, FILE_FLAG_OPEN_REPARSE_POINT);
    const std::string dir = DirectoryOf(utf8Path);
    if (SameOwner(owner, CurrentUser()) ||
        SameOwner(owner, OwnerOfName(PathFromUtf8(dir.empty() ? "." : dir), 0)))
        return true;
    refusedLink = utf8Path;
    return false;
}

}  // namespace wb::platform
