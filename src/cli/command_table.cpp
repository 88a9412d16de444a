#include "cli/command_table.h"

#include <algorithm>
#include <set>

#include "cli/cli_output.h"
#include "cli/commands.h"

namespace wb::cli {

namespace {

using Options = std::vector<OptionRow>;
constexpr std::size_t kAny = CommandRow::kAny;

// Option names stand in a column of 19, their text from the 22nd column on; a longer name
// has its text on the next line.
constexpr std::size_t kNameColumn = 19;
const std::string kTextIndent(kNameColumn + 2, ' ');

const OptionRow kHelp{"-h, --help", "", "this help"};
const OptionRow kDir{"--dir", "DIR",
                     "the directory of the alarm store DwnGs and the wake log Dawnly.log\n"
                     "(default: the current directory)"};
const OptionRow kQuiet{"-q, --quiet", "", "no output lines (errors still print)"};
const OptionRow kEndOfOptions{"--", "", "ends the options"};

// The options that send and wake share, and the wait whose text each of them ends its own way.
Options WakeOptions(const std::string& waitTail) {
    return {
        {"--to", "DEST",
         "IPv4 address, broadcast or name (default 255.255.255.255), or an IPv6\n"
         "address, with a scope for link-local and multicast (fe80::1%eth0,\n"
         "ff02::1%eth0)"},
        {"--port", "N", "UDP port 1..65535 (default 2304)"},
        {"--repeat", "N", "frames per host, 1..100 (default 1)"},
        {"--interval", "MS", "pause between repeats, 0..60000 ms (default 100)"},
        {"--interface", "IF",
         "send through this network interface only (with a broadcast: out of IF)"},
        {"--password", "PW",
         "SecureOn password appended to the frame: six bytes written like an\n"
         "Ethernet address (frame of 108 bytes) or four bytes as a dotted IPv4\n"
         "address (106)"},
        {"--wait", "SECONDS",
         "after sending, wait until the host answers; exit 0 when it did, 3 when\n"
         "the time ran out" +
             waitTail},
    };
}

Options With(Options options, const std::vector<OptionRow>& more) {
    options.insert(options.end(), more.begin(), more.end());
    return options;
}

constexpr char kExitStatus[] =
    "exit status: 0 done, 1 the operation failed, 2 bad input or usage, 3 a host did not\n"
    "answer in time (--wait)\n";

std::vector<CommandRow> BuildTable() {
    const char* oneList = "expects one host-list file";
    return {
        {"send",
         "wakes hosts by their Ethernet addresses",
         {"send [options] ETHERNET...", "send [options] -"},
         "Wakes each address (several allowed); with -, the Ethernet addresses on standard\n"
         "input, one a line. ETHERNET is six pairs: 00-A0-C9-12-34-56, 00.a0.c9.12.34.56,\n"
         "00a0c9123456 or 00:a0:c9:12:34:56; the all-zero and broadcast addresses are refused.",
         With(WakeOptions(""),
              {{"--host", "IP", "the host to wait for when DEST is not the host itself"},
               kQuiet,
               kEndOfOptions}),
         kExitStatus,
         1,
         kAny,
         "expects Ethernet addresses, or - to read them from standard input",
         RunSend},
        {"check",
         "prints the Ethernet addresses of a host list",
         {"check FILE"},
         "Prints the Ethernet addresses of a host list (.mp), one a line; the lines it cannot\n"
         "use are reported on standard error and make it exit 1.",
         {},
         "",
         1,
         1,
         oneList,
         RunCheck},
        {"scan",
         "builds a host list of the hosts of this subnet that answer",
         {"scan [--mask A.B.C.D] [-o NAME]"},
         "Builds a host list of this subnet from the hosts that answer (through the ARP cache).",
         {{"--mask", "A.B.C.D", "the subnet mask (default 255.255.255.0)"},
          {"-o", "NAME", "the file to write, .mp added when missing (default 新建组.mp)"}},
         "",
         0,
         0,
         "takes no positional arguments",
         RunScan},
        {"wake",
         "wakes every host of a host list",
         {"wake [options] FILE"},
         "Wakes every host of a host list (.mp) and appends the outcome to the wake log; a\n"
         "line of the list it cannot use makes it exit 1, after the others were woken.",
         With(WakeOptions("\n(every host of the list whose line has an IP address)"),
              {kDir, kQuiet, kEndOfOptions}),
         kExitStatus,
         1,
         1,
         oneList,
         RunWake},
        {"import",
         "writes a host list from another tool's list",
         {"import [--format auto|ethers|csv|plain|neigh|json] INPUT|- -o OUT.mp"},
         "Writes a host list from another tool's list: ethers lines (ETHERNET and a name or\n"
         "an address, # comments), CSV (RFC 4180) whose header names the columns ip, name\n"
         "and mac (also ip_address, address, hostname, host, mac_address, ethernet, hwaddr;\n"
         "any case and order; fields split at , or ;), plain lines of Ethernet addresses\n"
         "written with : or -, the neighbour tables of ip neigh, arp -an, arp -n and\n"
         "/proc/net/arp (failed and incomplete entries left out), or the JSON of export.\n"
         "A host without an IP address gets the address its name resolves to, else 0.0.0.0;\n"
         "a name that a host list cannot hold as it is is changed, and said so. Lines that\n"
         "cannot be read are reported with their numbers; exit 1 when none could be read.",
         {{"--format", "auto|ethers|csv|plain|neigh|json",
           "the form of INPUT (default auto: JSON when it starts with [,\n"
           "CSV when the first line is a header naming a mac column, a\n"
           "neighbour table when it starts like one, else ethers or plain)"},
          {"-o", "OUT.mp", "the host list to write (replaced as a whole)"}},
         "",
         1,
         1,
         "expects one input file (or -) and -o OUT.mp",
         RunImport},
        {"export",
         "prints the hosts of a host list as CSV, ethers lines or JSON",
         {"export [--format csv|ethers|json] FILE.mp"},
         "Prints the hosts of a host list (its Ethernet addresses, with the IP address and\n"
         "name of their line) in UTF-8: CSV with the header ip,name,mac, ethers lines, or a\n"
         "JSON array of objects {\"ip\",\"name\",\"mac\"}. A CSV field that a spreadsheet\n"
         "would run as a formula gets a leading '; control characters are written as _.\n"
         "ethers names a host by its IP address where the name would not read back whole.\n"
         "How many entries were left out, and why, is said on stderr.",
         {{"--format", "csv|ethers|json", "the form to print (default csv)"}},
         "",
         1,
         1,
         oneList,
         RunExport},
        {"alarms",
         "the weekly group alarms: list, add, remove, next",
         {},  // the forms of its sub-commands
         "The weekly group alarms; list is the default. wakeburst alarms SUBCOMMAND --help\n"
         "tells each one's options.",
         {kDir},
         "",
         0,
         kAny,
         "",
         RunAlarms},
        {"alarms list",
         "",
         {"alarms list [--json] [--dir DIR]"},
         "Prints the alarms one per line: number, days (SMTWTFS), time, broadcast address and\n"
         "host-list file.",
         {{"--json", "",
           "a JSON array of objects {\"index\",\"days\",\"time\",\n\"broadcast\",\"file\"}"},
          kDir},
         "",
         0,
         0,
         "",
         RunAlarmsList},
        {"alarms add",
         "",
         {"alarms add --file F --days LIST --time HH:MM [--to A.B.C.D] [--dir DIR]"},
         "Adds an alarm that wakes the hosts of a host list on these days at this time.",
         {{"--file", "F", "the host list to wake"},
          {"--days", "all|sun|mon|tue|wed|thu|fri|sat[,...]",
           "all, or any of the days joined by commas"},
          {"--time", "HH:MM", "the local time, 00:00 to 23:59"},
          {"--to", "A.B.C.D", "the broadcast address (default 255.255.255.255)"},
          kDir},
         "",
         0,
         0,
         "",
         RunAlarmsAdd},
        {"alarms remove",
         "",
         {"alarms remove N [--dir DIR]"},
         "Removes alarm number N (as alarms list numbers them).",
         {kDir},
         "",
         1,
         1,
         "",
         RunAlarmsRemove},
        {"alarms next",
         "",
         {"alarms next [--count N] [--from \"YYYY-MM-DD HH:MM\"] [--dir DIR]"},
         "Prints the coming firings by the local clock: date and time, alarm number and\n"
         "host-list file.",
         {{"--count", "N", "how many firings (default 10)"},
          {"--from", "\"YYYY-MM-DD HH:MM\"", "from this local time on (default: now)"},
          kDir},
         "",
         0,
         0,
         "",
         RunAlarmsNext},
        {"tick",
         "one scheduler tick: wakes the groups whose alarms are due",
         {"tick [--at \"YYYY-MM-DD HH:MM\"] [--dir DIR]"},
         "One scheduler tick: wakes the groups whose alarms are due at that minute.",
         {{"--at", "\"YYYY-MM-DD HH:MM\"", "the local minute of the tick (default: now)"},
          kDir,
          kQuiet},
         "",
         0,
         0,
         "takes no arguments besides --at and --dir",
         RunTick},
        {"run-alarms",
         "runs the alarms without a window until stopped",
         {"run-alarms [--dir DIR]"},
         "Runs the scheduler without a window until SIGINT or SIGTERM, and reloads the alarm\n"
         "store when it changes on disk.",
         {kDir},
         "",
         0,
         0,
         "takes no arguments besides --dir",
         RunRunAlarms},
        {"log",
         "prints the wake log",
         {"log [--tail N] [--dir DIR]"},
         "Prints the wake log in UTF-8 with plain line feeds.",
         {{"--tail", "N", "only the last N entries"}, kDir},
         "",
         0,
         0,
         "takes no arguments besides --tail and --dir",
         RunLog},
    };
}

bool IsSubCommand(const CommandRow& c) { return c.name.find(' ') != std::string::npos; }

// Each line of `text` indented by `indent`, the first after `first` instead.
std::string Indented(const std::string& first, const std::string& text, const std::string& indent) {
    std::string out = first;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        if (start > 0) out += indent;
        out += text.substr(start, end - start) + "\n";
        if (end == std::string::npos) return out;
        start = end + 1;
    }
}

std::string OptionLines(const OptionRow& o) {
    std::string head = "  " + o.names + (o.value.empty() ? "" : " " + o.value);
    if (head.size() > kNameColumn) return Indented(head + "\n" + kTextIndent, o.help, kTextIndent);
    head.resize(kTextIndent.size(), ' ');
    return Indented(head, o.help, kTextIndent);
}

// The forms of a command: its own, else those of its sub-commands.
std::vector<std::string> Forms(const CommandRow& c) {
    if (!c.usage.empty()) return c.usage;
    std::vector<std::string> forms;
    for (const CommandRow* sub : SubCommands(c.name))
        forms.insert(forms.end(), sub->usage.begin(), sub->usage.end());
    return forms;
}

// Each spelling of each option, split into those that take a value and flags.
void OptionNames(const CommandRow& c, std::set<std::string>& values, std::set<std::string>& flags) {
    for (const OptionRow& o : c.options) {
        for (std::size_t start = 0;;) {
            const std::size_t comma = o.names.find(", ", start);
            (o.value.empty() ? flags : values).insert(o.names.substr(start, comma - start));
            if (comma == std::string::npos) break;
            start = comma + 2;
        }
    }
}

}  // namespace

const std::vector<CommandRow>& CommandTable() {
    static const std::vector<CommandRow> table = BuildTable();
    return table;
}

const CommandRow* FindCommand(const std::string& name) {
    const auto& table = CommandTable();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const CommandRow& c) { return c.name == name; });
    return it == table.end() ? nullptr : &*it;
}

std::vector<const CommandRow*> SubCommands(const std::string& name) {
    std::vector<const CommandRow*> subs;
    for (const CommandRow& c : CommandTable())
        if (c.name.rfind(name + " ", 0) == 0) subs.push_back(&c);
    return subs;
}

std::string CommandHelp(const std::string& name) {
    const CommandRow* c = FindCommand(name);
    if (!c) return {};
    std::string text;
    for (const std::string& form : Forms(*c))
        text += (text.empty() ? "usage: wakeburst " : "       wakeburst ") + form + "\n";
    text += Indented("", c->about, "") + "options:\n";
    for (const OptionRow& o : c->options)
        text += OptionLines(o);
    return text + OptionLines(kHelp) + c->after;
}

std::string MainHelp() {
    std::string text = "wakeburst " WAKEBURST_VERSION
                       " - wakes the machines of a local network with Wake-on-LAN frames (UDP "
                       "port 2304)\n\n"
                       "usage: wakeburst COMMAND [ARG...]\n"
                       "       wakeburst COMMAND [SUBCOMMAND] -h | --help\n"
                       "       wakeburst -h | --help\n"
                       "       wakeburst --version\n\n"
                       "commands (wakeburst COMMAND --help tells a command's usage and options):\n";
    for (const CommandRow& c : CommandTable()) {
        if (IsSubCommand(c)) continue;
        std::string head = "  wakeburst " + c.name;
        head.resize(std::max(head.size() + 2, std::size_t{25}), ' ');
        text += head + c.summary + "\n";
    }
    return text + "\n" + kExitStatus;
}

std::string ShortUsage() {
    std::string names;
    for (const CommandRow& c : CommandTable())
        if (!IsSubCommand(c)) names += (names.empty() ? "" : ", ") + c.name;
    return "wakeburst: no command given (usage: wakeburst COMMAND [ARG...] with COMMAND one of " +
           names + "; see wakeburst --help)";
}

std::string SubCommandsError(const std::string& name) {
    const std::vector<const CommandRow*> subs = SubCommands(name);
    std::string text = "expects ";
    for (std::size_t i = 0; i < subs.size(); ++i) {
        // The form without the command's name and without the options every form shares.
        std::string form = subs[i]->usage.front().substr(name.size() + 1);
        const std::string shared = " [--dir DIR]";
        if (form.size() >= shared.size() &&
            form.compare(form.size() - shared.size(), shared.size(), shared) == 0)
            form.resize(form.size() - shared.size());
        text += (i == 0 ? "" : i + 1 == subs.size() ? ", or " : ", ") + form;
    }
    return text;
}

bool ParseCommandArgs(const CommandRow& row, const std::vector<std::string>& args,
                      ParsedArgs& out) {
    std::set<std::string> values, flags;
    OptionNames(row, values, flags);
    for (const CommandRow* sub : SubCommands(row.name))
        OptionNames(*sub, values, flags);
    std::string error;
    if (!ParseArgs(args, values, flags, out, error)) {
        PrintErr("wakeburst " + row.name + ": " + error);
        return false;
    }
    const std::size_t n = out.positional.size();
    if (n >= row.minOperands && n <= row.maxOperands) return true;
    PrintErr("wakeburst " + row.name + ": " + row.operandsError);
    return false;
}

bool ReadChoice(const ParsedArgs& args, const std::string& command, const std::string& option,
                const std::string& fallback, std::string& value) {
    value = args.Get(option, fallback);
    const CommandRow* c = FindCommand(command);
    const auto optionRow = std::find_if(c->options.begin(), c->options.end(),
                                        [&](const OptionRow& o) { return o.names == option; });
    std::vector<std::string> choices;
    for (std::size_t start = 0;;) {
        const std::size_t bar = optionRow->value.find('|', start);
        choices.push_back(optionRow->value.substr(start, bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    if (std::find(choices.begin(), choices.end(), value) != choices.end()) return true;
    std::string text;
    for (std::size_t i = 0; i < choices.size(); ++i)
        text += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i];
    PrintErr("wakeburst " + command + ": " + option + " takes " + text + ", not '" +
             EscapeControlChars(value) + "'");
    return false;
}

std::string RequiredOptions(const std::string& command) {
    const std::string& form = FindCommand(command)->usage.front();
    const std::size_t optional = form.find(" [");
    return form.substr(command.size() + 1, optional - command.size() - 1);
}

bool OnlyOptionsOf(const CommandRow& row, const ParsedArgs& args) {
    std::set<std::string> values, flags;
    OptionNames(row, values, flags);
    return std::all_of(args.options.begin(), args.options.end(), [&](const auto& option) {
        return values.count(option.first) || flags.count(option.first);
    });
}

}  // namespace wb::cli
