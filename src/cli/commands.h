#pragma once

#include <string>
#include <vector>

namespace wb::cli {

// Each command gets the arguments after its own name and returns the process's exit code.
using CommandFn = int (*)(const std::vector<std::string>& args);

struct Command {
    const char* name;
    const char* usage;  // one line for --help
    CommandFn run;
};

int RunSend(const std::vector<std::string>& args);
int RunCheck(const std::vector<std::string>& args);
int RunScan(const std::vector<std::string>& args);
int RunWake(const std::vector<std::string>& args);
int RunAlarms(const std::vector<std::string>& args);
int RunTick(const std::vector<std::string>& args);
int RunRunAlarms(const std::vector<std::string>& args);
int RunImport(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunLog(const std::vector<std::string>& args);

// All commands in the order --help lists them.
const std::vector<Command>& Commands();

// Runs a whole command line (without the program name).
int RunCli(const std::vector<std::string>& args);

}  // namespace wb::cli
