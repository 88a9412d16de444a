#pragma once

#include <string>
#include <vector>

#include "cli/cli_args.h"

namespace wb::cli {

// The handlers of the command table: each gets the arguments after its own name, read by
// the options of its row, and returns the process's exit code.
int RunSend(const ParsedArgs& args);
int RunCheck(const ParsedArgs& args);
int RunScan(const ParsedArgs& args);
int RunWake(const ParsedArgs& args);
int RunAlarms(const ParsedArgs& args);
int RunAlarmsList(const ParsedArgs& args);
int RunAlarmsAdd(const ParsedArgs& args);
int RunAlarmsRemove(const ParsedArgs& args);
int RunAlarmsNext(const ParsedArgs& args);
int RunTick(const ParsedArgs& args);
int RunRunAlarms(const ParsedArgs& args);
int RunImport(const ParsedArgs& args);
int RunExport(const ParsedArgs& args);
int RunLog(const ParsedArgs& args);

// Runs a whole command line (without the program name).
int RunCli(const std::vector<std::string>& args);

}  // namespace wb::cli
