#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
    return wb::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc));
}
