#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/cli_args.h"

namespace wb::cli {

// A command gets its arguments parsed by the options of its row and returns the process's
// exit code.
using CommandFn = int (*)(const ParsedArgs& args);

struct OptionRow {
    std::string names;  // "--to", or "-q, --quiet" for one option with two spellings
    std::string value;  // "DEST" for an option with a value (choices written a|b|c, with
                        // "[,...]" after them for a list); empty for a flag
    std::string help;   // its lines, joined by '\n'
};

// One row of the table everything the tool says about its commands comes from: the main
// help, each command's help, its usage errors and (through the help) the completion.
struct CommandRow {
    static constexpr std::size_t kAny = static_cast<std::size_t>(-1);

    std::string name;                // "send", or "alarms add" for a sub-command
    std::string summary;             // one line for the main help
    std::vector<std::string> usage;  // each form, after "wakeburst "
    std::string about;               // what it does, lines joined by '\n'
    std::vector<OptionRow> options;  // as its help lists them; -h, --help follows
    std::string after;               // lines after the options
    std::size_t minOperands = 0, maxOperands = 0;
    std::string operandsError;  // the refusal of another number of operands
    CommandFn run = nullptr;
};

// Every row, commands in the order the main help lists them, each followed by its
// sub-commands.
const std::vector<CommandRow>& CommandTable();

// The row of "send" or "alarms add"; nullptr for an unknown name.
const CommandRow* FindCommand(const std::string& name);

// The sub-commands of a command ("alarms" -> "alarms list", ...).
std::vector<const CommandRow*> SubCommands(const std::string& name);

// What "wakeburst COMMAND --help" prints: the usage, what it does and each of its options,
// one per line ("  --name VALUE       text"). Empty for an unknown name.
std::string CommandHelp(const std::string& name);

// What "wakeburst --help" prints.
std::string MainHelp();

// The one line of "wakeburst" without a command.
std::string ShortUsage();

// The forms of a command with sub-commands as one refusal: "expects list [--json], ...".
std::string SubCommandsError(const std::string& name);

// Reads `args` by the options of `row` (and of its sub-commands) and checks the number of
// operands; false after one line on stderr.
bool ParseCommandArgs(const CommandRow& row, const std::vector<std::string>& args, ParsedArgs& out);

// The value of an option whose value the table writes as choices (a|b|c), `fallback` when it
// is not given; false after one line ("--format takes a, b or c, not 'd'") for another.
bool ReadChoice(const ParsedArgs& args, const std::string& command, const std::string& option,
                const std::string& fallback, std::string& value);

// The options a form of `command` cannot do without: its first usage line up to the first
// optional part ("--file F --days LIST --time HH:MM").
std::string RequiredOptions(const std::string& command);

// Whether the options given are all options of `row`.
bool OnlyOptionsOf(const CommandRow& row, const ParsedArgs& args);

}  // namespace wb::cli
