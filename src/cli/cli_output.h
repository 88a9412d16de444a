#pragma once

#include <string>

namespace wb::cli {

// Messages of the core go to stderr; questions are answered No, since nobody is there to
// answer them.
void InstallStderrMessageHandler();

void PrintOut(const std::string& line);  // stdout, a line feed added
void PrintErr(const std::string& line);  // stderr, a line feed added

}  // namespace wb::cli
