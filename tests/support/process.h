#pragma once

#include <cstdlib>
#include <string>
#include <vector>

namespace wb::test {

struct ProcessResult {
    int exitCode = -1;  // -1 when it did not end normally
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell), with `input` on its standard input, in `cwd`
// when given, and waits for it.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& cwd = {},
                         const std::string& input = {});

// Runs a shell command line; true when it exits 0. Output goes to the test's own streams.
inline bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }

}  // namespace wb::test
