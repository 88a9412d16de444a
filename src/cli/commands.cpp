#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "base/string_table.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/command_table.h"
#include "cli/commands.h"
#include "platform/sockets.h"

namespace wb::cli {

namespace {

// The holder and terms of res/debian/copyright, for --version.
constexpr char kCopyright[] = "Copyright 2026 Wakeburst Utility developers";
constexpr char kLicence[] =
    "All rights reserved: no licence to copy, change or pass on this software has been "
    "granted beyond using it as installed.";

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

// "alarms add --help": the sub-command's own help where it has one.
std::string HelpOf(const std::string& name, const std::vector<std::string>& args) {
    const std::string sub = args.size() > 1 ? CommandHelp(name + " " + args[1]) : "";
    return sub.empty() ? CommandHelp(name) : sub;
}

int RunCommand(const CommandRow& c, const std::vector<std::string>& args) {
    SetCommandName("wakeburst " + c.name);
    InstallStderrMessageHandler();
    if (!platform::StartSockets()) {
        ShowMessageBox(std::string(LoadStringText(IDS_SOCKETS_INIT_FAILED)));
        return kExitFailed;
    }
    // The last guard: whatever input outgrew the memory, it ends in one line.
    try {
        ParsedArgs parsed;
        if (!ParseCommandArgs(c, std::vector<std::string>(args.begin() + 1, args.end()), parsed))
            return kExitUsage;
        return c.run(parsed);
    } catch (const std::bad_alloc&) {
        PrintErr("wakeburst " + c.name + ": out of memory");
        return kExitFailed;
    }
}

int Dispatch(const std::vector<std::string>& args) {
    if (args.empty()) {
        PrintErr(ShortUsage());
        return kExitUsage;
    }
    const std::string& name = args[0];
    if (IsHelp(name) || name == "help") {
        WriteOut(MainHelp());
        return kExitOk;
    }
    if (name == "--version" || name == "-V") {
        PrintOut("wakeburst " WAKEBURST_VERSION);
        PrintOut(kCopyright);
        PrintOut(kLicence);
        return kExitOk;
    }
    const CommandRow* c = name.find(' ') == std::string::npos ? FindCommand(name) : nullptr;
    if (c) {
        const auto end = std::find(args.begin() + 1, args.end(), "--");
        if (std::find_if(args.begin() + 1, end, IsHelp) == end) return RunCommand(*c, args);
        WriteOut(HelpOf(name, args));
        return kExitOk;
    }
    PrintErr("wakeburst: unknown command '" + EscapeControlChars(name) +
             "' (see wakeburst --help)");
    return kExitUsage;
}

}  // namespace

int RunCli(const std::vector<std::string>& args) { return FinishOutput(Dispatch(args)); }

}  // namespace wb::cli
