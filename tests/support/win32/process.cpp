#include <windows.h>

#include <thread>

#include "platform/file_path.h"
#include "support/process.h"

namespace wb::test {

namespace {

// Quoting by the rules that CommandLineToArgvW and the C runtime undo.
std::wstring QuoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring q = L"\"";
    for (std::size_t i = 0;; ++i) {
        std::size_t slashes = 0;
        for (; i < arg.size() && arg[i] == L'\\'; ++i)
            ++slashes;
        // Backslashes double before a quote, the closing one included.
        if (i == arg.size()) return q.append(slashes * 2, L'\\') + L"\"";
        q.append(arg[i] == L'"' ? slashes * 2 + 1 : slashes, L'\\');
        q += arg[i];
    }
}

void Drain(HANDLE pipe, std::string& sink) {
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buf, sizeof buf, &got, nullptr) && got > 0)
        sink.append(buf, got);
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& cwd,
                         const std::string& input) {
    ProcessResult r;
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    // Standard input, output and error: the child's end inherited, the parent's end not.
    HANDLE child[3], parent[3];
    for (int k = 0; k < 3; ++k) {
        if (!(k == 0 ? CreatePipe(&child[k], &parent[k], &sa, 0)
                     : CreatePipe(&parent[k], &child[k], &sa, 0)))
            return r;
        SetHandleInformation(parent[k], HANDLE_FLAG_INHERIT, 0);
    }
    std::wstring commandLine;
    for (const auto& a : argv)
        commandLine += (commandLine.empty() ? L"" : L" ") + QuoteArgument(platform::Utf8ToWide(a));
    const std::wstring dir = platform::Utf8ToWide(cwd);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = child[0];
    si.hStdOutput = child[1];
    si.hStdError = child[2];
    PROCESS_INFORMATION pi{};
    // Under Wine on a loaded machine a start now and then fails for the emulator's own reasons
    // (the program never ran: no output, no exit code); a few more tries keep such a start
    // from passing for the program's failure.
    BOOL started = FALSE;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0) Sleep(200);
        started =
            CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                           nullptr, dir.empty() ? nullptr : dir.c_str(), &si, &pi);
    }
    for (HANDLE h : child)
        CloseHandle(h);
    if (started) {
        std::thread errReader(Drain, parent[2], std::ref(r.err));
        DWORD written = 0;
        if (!input.empty())
            WriteFile(parent[0], input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
        CloseHandle(parent[0]);
        parent[0] = nullptr;
        Drain(parent[1], r.out);
        errReader.join();
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(pi.hProcess, &code)) r.exitCode = static_cast<int>(code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    for (HANDLE h : parent)
        if (h) CloseHandle(h);
    return r;
}

}  // namespace wb::test
