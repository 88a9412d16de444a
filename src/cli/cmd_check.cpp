#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/commands.h"
#include "hostlist/host_list_reader.h"

namespace wb::cli {

int RunCheck(const ParsedArgs& pa) {
    std::string error;
    // Told as they are found: a list of any size costs no more than one line.
    const std::string& path = pa.positional[0];
    std::uint64_t badLines = 0;
    const bool read = ReadHostListLines(
        path,
        [](std::vector<std::string>& addresses, std::string_view) {
            for (const std::string& a : addresses)
                PrintOut(a);
        },
        [&](std::uint64_t line) {
            ++badLines;
            PrintErr(BadLineMessage(path, line));
        },
        error);
    if (!read) {
        PrintErr(error + ReadFailureReason(path));
        return kExitFailed;
    }
    if (badLines == 0) return kExitOk;
    PrintErr("wakeburst check: " + UnreadLinesHint(badLines));
    return kExitFailed;
}

}  // namespace wb::cli
