#include <string>
#include <vector>

#include "cli/commands.h"
#include "platform/console.h"

int main(int argc, char** argv) { return wb::cli::RunCli(wb::platform::Utf8Arguments(argc, argv)); }
