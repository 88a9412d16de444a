#pragma once

#include <cstdio>
#include <string>
#include <string_view>
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

}  // namespace wb::platform
