#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "base/string_table.h"
#include "base/translate.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/command_table.h"
#include "cli/commands.h"
#include "platform/sockets.h"

namespace wb::cli {

namespace {

// The holder and terms of res/debian/copyright, for --version.
constexpr char kCopyright[] = WB_TR_NOOP("wakeburst", "版权所有 2026 Wakeburst Utility 开发者");
constexpr char kLicence[] = WB_TR_NOOP(
    "wakeburst", "保留所有权利: 除按安装的方式使用外, 未授予复制, 修改或转让本软件的许可.");

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
        PrintErr(FormatText(WB_TR("wakeburst", "wakeburst %1: 内存不足"), {c.name}));
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
        PrintOut(WB_TR("wakeburst", kCopyright));
        PrintOut(WB_TR("wakeburst", kLicence));
        return kExitOk;
    }
    const CommandRow* c = name.find(' ') == std::string::npos ? FindCommand(name) : nullptr;
    if (c) {
        const auto end = std::find(args.begin() + 1, args.end(), "--");
        if (std::find_if(args.begin() + 1, end, IsHelp) == end) return RunCommand(*c, args);
        WriteOut(HelpOf(name, args));
        return kExitOk;
    }
    PrintErr(FormatText(WB_TR("wakeburst", "wakeburst: 未知的命令 '%1' (详见 wakeburst --help)"),
                        {EscapeControlChars(name)}));
    return kExitUsage;
}

}  // namespace

int RunCli(const std::vector<std::string>& args) { return FinishOutput(Dispatch(args)); }

}  // namespace wb::cli
