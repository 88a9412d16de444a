#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/string_text.h"

namespace wb::cli {

enum ExitCode : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;  // "--to" -> "127.0.0.1"; flags map to ""

    bool Has(const std::string& name) const { return options.count(name) != 0; }
    std::string Get(const std::string& name, const std::string& fallback = {}) const;
};

// Options may stand anywhere among the positional arguments, as "--name VALUE" or
// "--name=VALUE"; "--" ends them. Unknown options, a missing value or a repeated option
// give false with a one-line reason in `error`.
bool ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
               const std::set<std::string>& flagOptions, ParsedArgs& out, std::string& error);

// The directory of the alarm store and the wake log: that of --dir, else the current one,
// absolute and with its trailing separator. Empty, after one line on stderr, when it does
// not exist or cannot be read: a mistyped name must not pass for an empty store.
std::string StoreDirectory(const ParsedArgs& pa);

}  // namespace wb::cli
