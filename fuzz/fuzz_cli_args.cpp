// The command line's argument parsing over arbitrary argument vectors (the input split at
// NUL bytes). What must hold: a refusal is one non-empty line; an accepted vector keeps
// every positional argument in order and only the known options; and writing the result
// out again as "--name value ... -- positional..." parses to the same result.
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "fuzz_support.h"

namespace {

using wb::cli::ParsedArgs;

const std::set<std::string> kValueOptions = {"--to",   "--dir", "--file", "--days",
                                             "--time", "--at",  "--mask", "-o"};
const std::set<std::string> kFlagOptions = {"--help", "--version"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Empty arguments count, the one after a trailing NUL too.
    std::vector<std::string> args;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string arg; std::getline(in, arg, '\0');)
        args.push_back(arg);
    if (size && data[size - 1] == 0) args.emplace_back();

    ParsedArgs parsed;
    std::string error;
    if (!wb::cli::ParseArgs(args, kValueOptions, kFlagOptions, parsed, error)) {
        FUZZ_CHECK(!error.empty() && error.find('\n') == std::string::npos);
        return 0;
    }
    // Positional arguments are a subsequence of the arguments, in order.
    std::size_t at = 0;
    for (const std::string& p : parsed.positional) {
        while (at < args.size() && args[at] != p)
            ++at;
        FUZZ_CHECK(at < args.size());
        ++at;
    }
    std::vector<std::string> again;
    for (const auto& [name, value] : parsed.options) {
        FUZZ_CHECK(kValueOptions.count(name) || (kFlagOptions.count(name) && value.empty()));
        again.push_back(name);
        if (kValueOptions.count(name)) again.push_back(value);
    }
    again.push_back("--");
    again.insert(again.end(), parsed.positional.begin(), parsed.positional.end());
    ParsedArgs reparsed;
    FUZZ_CHECK(wb::cli::ParseArgs(again, kValueOptions, kFlagOptions, reparsed, error));
    FUZZ_CHECK(parsed.positional == reparsed.positional && parsed.options == reparsed.options);
    return 0;
}
