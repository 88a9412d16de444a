#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/commands.h"
#include "hostlist/host_list_reader.h"

namespace wb::cli {

int RunCheck(const std::vector<std::string>& args) {
    ParsedArgs pa;
    std::string error;
    if (!ParseArgs(args, {}, {}, pa, error) || pa.positional.size() != 1) {
        PrintErr("wakeburst check: " + (error.empty() ? "expects one host-list file" : error));
        return kExitUsage;
    }
    std::string report;
    std::vector<std::string> addresses;
    const bool read = ReadHostList(pa.positional[0], report, addresses);
    for (const std::string& a : addresses)
        PrintOut(a);
    if (!read) {
        PrintErr(report + ReadFailureReason(pa.positional[0]));
        return kExitFailed;
    }
    PrintReport(report);
    return kExitOk;
}

}  // namespace wb::cli
