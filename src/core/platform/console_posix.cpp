#include "platform/console.h"

#include <unistd.h>

namespace wb::platform {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool WriteText(std::FILE* stream, std::string_view utf8) {
    // An empty view may have no data at all, which fwrite must not be given.
    const bool whole =
        utf8.empty() || std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
    return std::fflush(stream) == 0 && whole;
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

}  // namespace wb::platform
