#pragma once

#include <string>

namespace wb::cli {

// What "wakeburst COMMAND --help" prints: the command's usage, what it does and each of its
// options, one per line ("  --name VALUE   text"; choices written a|b|c). The bash
// completion reads the option names and choices from here. Empty for an unknown command.
std::string CommandHelp(const std::string& name);

}  // namespace wb::cli
