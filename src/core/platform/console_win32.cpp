#include "platform/console.h"

#include <cerrno>

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include "platform/file_path.h"

namespace wb::platform {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(WideToUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

bool WriteText(std::FILE* stream, std::string_view utf8) {
    HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode)) {
        const std::wstring wide = Utf8ToWide(utf8);
        if (!wide.empty() || utf8.empty()) {
            if (std::fflush(stream) != 0) return false;
            DWORD written = 0;
            if (WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
                written == wide.size())
                return true;
            errno = EIO;
            return false;
        }
    }
    // Line ends as on every other platform: the texts already carry the CRs they need.
    _setmode(_fileno(stream), _O_BINARY);
    const bool whole =
        utf8.empty() || std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
    return std::fflush(stream) == 0 && whole;
}

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

}  // namespace wb::platform
