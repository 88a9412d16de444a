#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wb::platform {

// The program's arguments (without the program name) as UTF-8. Windows hands `main` its
// arguments in the ANSI code page, which cannot hold every file name, so there they are
// taken from the wide-character command line instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Writes UTF-8 text to stdout or stderr. A Windows console is given the text as UTF-16, so
// Chinese shows whatever the console's code page; a pipe or a file gets the UTF-8 bytes.
// The text is flushed at once; false, with errno set, when not all of it was written.
bool WriteText(std::FILE* stream, std::string_view utf8);
bool IsTerminal(std::FILE* stream);

// While it lives, the signals that ask a program to stop (SIGINT, SIGTERM, and SIGHUP where
// there is one) are noted instead of ending the process, so that work which must not stop
// half way (a group wake and its log entry) ends first; a signal that was ignored stays
// ignored (nohup). Signal() is the first such signal noted, 0 while none came.
class CDeferredStop final {
public:
    CDeferredStop();
    ~CDeferredStop();
    CDeferredStop(const CDeferredStop&) = delete;
    CDeferredStop& operator=(const CDeferredStop&) = delete;
    int Signal() const;

private:
    std::vector<std::pair<int, void (*)(int)>> m_previous;
};

}  // namespace wb::platform
