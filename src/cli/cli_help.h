#pragma once

#include <string>

namespace wb::cli {

// What "wakeburst COMMAND --help" (or "alarms SUBCOMMAND --help", `name` "alarms add")
// prints: the usage, what it does and each of its options, one per line ("  --name VALUE
// text"; choices written a|b|c, "[,...]" after them for a list joined by commas). The bash
// completion reads the option names and choices from here. Empty for an unknown name.
std::string CommandHelp(const std::string& name);

}  // namespace wb::cli
