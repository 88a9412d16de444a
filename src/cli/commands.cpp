#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "base/string_table.h"
#include "cli/cli_args.h"
#include "cli/cli_help.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "platform/sockets.h"

namespace wb::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"send", "wakeburst send [options] ETHERNET... | -", RunSend},
        {"check", "wakeburst check FILE", RunCheck},
        {"scan", "wakeburst scan [--mask A.B.C.D] [-o NAME]", RunScan},
        {"wake", "wakeburst wake [options] [--dir DIR] FILE", RunWake},
        {"import", "wakeburst import [--format auto|ethers|csv|plain] INPUT|- -o OUT.mp",
         RunImport},
        {"export", "wakeburst export [--format csv|ethers|json] FILE.mp", RunExport},
        {"alarms",
         "wakeburst alarms [list [--json] | add --file F --days LIST --time HH:MM [--to "
         "A.B.C.D] | remove N | next [--count N] [--from \"YYYY-MM-DD HH:MM\"]] [--dir DIR]",
         RunAlarms},
        {"tick", "wakeburst tick [--at \"YYYY-MM-DD HH:MM\"] [--dir DIR] [-q]", RunTick},
        {"run-alarms", "wakeburst run-alarms [--dir DIR]", RunRunAlarms},
        {"log", "wakeburst log [--tail N] [--dir DIR]", RunLog},
    };
    return commands;
}

namespace {

// The holder and terms of res/debian/copyright, for --version.
constexpr char kCopyright[] = "Copyright 2026 Wakeburst Utility developers";
constexpr char kLicence[] =
    "All rights reserved: no licence to copy, change or pass on this software has been "
    "granted beyond using it as installed.";

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// Without a command nothing was asked for: a short usage on stderr, as any other usage error.
std::string ShortUsage() {
    std::string names;
    for (const Command& c : Commands())
        names += (names.empty() ? "" : ", ") + std::string(c.name);
    return "wakeburst: no command given (usage: wakeburst COMMAND [ARG...] with COMMAND one of " +
           names + "; see wakeburst --help)";
}

void PrintHelp() {
    PrintOut("wakeburst " WAKEBURST_VERSION
             " - wakes the machines of a local network with Wake-on-LAN frames (UDP port 2304)");
    PrintOut("");
    PrintOut("usage:");
    for (const Command& c : Commands())
        PrintOut(std::string("  ") + c.usage);
    PrintOut("  wakeburst COMMAND [SUBCOMMAND] -h | --help");
    PrintOut("  wakeburst -h | --help");
    PrintOut("  wakeburst --version");
    PrintOut("");
    PrintOut("SEND OPTIONS (of send and wake; a - in place of ETHERNET reads the addresses from");
    PrintOut("standard input, one a line):");
    PrintOut("  --to DEST        IPv4 address, broadcast or name (default 255.255.255.255), or an");
    PrintOut("                   IPv6 address, with a scope for link-local and multicast");
    PrintOut("                   (fe80::1%eth0, ff02::1%eth0)");
    PrintOut("  --port N         UDP port 1..65535 (default 2304)");
    PrintOut("  --repeat N       frames per host, 1..100 (default 1)");
    PrintOut("  --interval MS    pause between repeats, 0..60000 ms (default 100)");
    PrintOut("  --interface IF   send through this network interface only (with a broadcast: out");
    PrintOut("                   of IF)");
    PrintOut(
        "  --password PW    SecureOn password appended to the frame: six bytes written like an");
    PrintOut("                   Ethernet address (frame of 108 bytes) or four as a dotted IPv4");
    PrintOut("                   address (106)");
    PrintOut("  --wait SECONDS   after sending, wait until the host answers (1..3600)");
    PrintOut(
        "  --host IP        the host to wait for when DEST is not the host itself (send only)");
    PrintOut("  -q, --quiet      no output but errors (send, wake, tick)");
    PrintOut("");
    PrintOut(
        "exit status: 0 done, 1 the operation failed, 2 bad input or usage, 3 a host did "
        "not answer within --wait");
}

int Dispatch(const std::vector<std::string>& args) {
    if (args.empty()) {
        PrintErr(ShortUsage());
        return kExitUsage;
    }
    const std::string& name = args[0];
    if (IsHelp(name) || name == "help") {
        PrintHelp();
        return kExitOk;
    }
    if (name == "--version" || name == "-V") {
        PrintOut("wakeburst " WAKEBURST_VERSION);
        PrintOut(kCopyright);
        PrintOut(kLicence);
        return kExitOk;
    }
    for (const Command& c : Commands()) {
        if (name == c.name) {
            const auto end = std::find(args.begin() + 1, args.end(), "--");
            if (std::find_if(args.begin() + 1, end, IsHelp) != end) {
                // "alarms add --help": the sub-command's own help where it has one.
                const std::string sub = args.size() > 1 ? CommandHelp(name + " " + args[1]) : "";
                WriteOut(sub.empty() ? CommandHelp(name) : sub);
                return kExitOk;
            }
            SetCommandName(std::string("wakeburst ") + c.name);
            InstallStderrMessageHandler();
            if (!platform::StartSockets()) {
                ShowMessageBox(std::string(LoadStringText(IDS_SOCKETS_INIT_FAILED)));
                return kExitFailed;
            }
            // The last guard: whatever input outgrew the memory, it ends in one line.
            try {
                return c.run(std::vector<std::string>(args.begin() + 1, args.end()));
            } catch (const std::bad_alloc&) {
                PrintErr("wakeburst " + name + ": out of memory");
                return kExitFailed;
            }
        }
    }
    PrintErr("wakeburst: unknown command '" + EscapeControlChars(name) +
             "' (see wakeburst --help)");
    return kExitUsage;
}

}  // namespace

int RunCli(const std::vector<std::string>& args) { return FinishOutput(Dispatch(args)); }

}  // namespace wb::cli
