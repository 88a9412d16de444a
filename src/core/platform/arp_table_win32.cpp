#include "platform/arp_table.h"

#include <algorithm>
#include <thread>

#include <windows.h>

#include "arp_timing.h"

namespace wb::platform {

// The system's own tool, hidden, its output through a pipe; it is given a time-out so that
// a hanging tool cannot hang the caller.
bool ReadArpListing(std::string& listing, std::chrono::milliseconds settle) {
    listing.clear();
    SECURITY_ATTRIBUTES sa{};
    sa.nLength = sizeof sa;
    sa.bInheritHandle = TRUE;
    HANDLE outRead = nullptr, outWrite = nullptr, inRead = nullptr, inWrite = nullptr;
    if (!CreatePipe(&outRead, &outWrite, &sa, 0)) return false;
    if (!CreatePipe(&inRead, &inWrite, &sa, 0)) {
        CloseHandle(outRead);
        CloseHandle(outWrite);
        return false;
    }
    // Only the child's ends may be inherited.
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);

    // The system's tool lists no entry still being resolved: give resolution its time first.
    std::this_thread::sleep_for(settle);

    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    si.wShowWindow = SW_HIDE;
    si.hStdInput = inRead;
    si.hStdOutput = outWrite;
    si.hStdError = outWrite;
    PROCESS_INFORMATION pi{};
    char commandLine[] = "arp -a";
    const BOOL started = CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    CloseHandle(outWrite);
    CloseHandle(inRead);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(inWrite);
        return false;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    char buf[512];
    bool exited = false;
    for (;;) {
        DWORD avail = 0;
        if (!PeekNamedPipe(outRead, nullptr, 0, nullptr, &avail, nullptr)) break;  // closed
        if (avail > 0) {
            DWORD got = 0;
            if (!ReadFile(outRead, buf, std::min<DWORD>(avail, sizeof buf), &got, nullptr) ||
                got == 0)
                break;
            listing.append(buf, got);
            continue;
        }
        if (exited) break;
        exited = WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0;
        if (!exited && std::chrono::steady_clock::now() >= deadline) {
            TerminateProcess(pi.hProcess, 1);
            WaitForSingleObject(pi.hProcess, 1000);
            break;
        }
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(outRead);
    CloseHandle(inWrite);
    return true;
}

std::chrono::milliseconds ArpAnswerGrace() { return kDefaultRetransTime + kAnswerMargin; }

}  // namespace wb::platform
