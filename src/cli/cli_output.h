#pragma once

#include <string>
#include <string_view>

namespace wb::cli {

// The name every line on stderr starts with: "wakeburst" before a command is known, then
// "wakeburst send", "wakeburst alarms add" and so on.
void SetCommandName(const std::string& name);

// Messages of the core go to stderr as one line each; questions are answered No, since
// nobody is there to answer them.
void InstallStderrMessageHandler();

// A message of one or several lines as one line: each line without its leading tabs and
// blanks and its trailing blanks, the lines joined by one blank, empty ones left out.
std::string JoinedLine(std::string_view text);

void PrintOut(const std::string& line);  // stdout, a line feed added
void WriteOut(std::string_view text);    // stdout, as it is
// stderr, one line: joined, and prefixed by the command's name unless it starts with it.
void PrintErr(const std::string& text);

// On a terminal, "COMMAND: TEXT" in place of the progress shown before on stderr's last
// line (whatever is written next starts on a line of its own); elsewhere nothing at all.
void ShowProgress(const std::string& text);
// A report of a group wake or of the host-list reader: one line on stderr for each of its
// messages.
void PrintReport(const std::string& report);

// Flushes stdout and stderr. A write that failed at any time turns `code` into 1, with
// "wakeburst: write error: REASON" on stderr where that can still be written: output that
// was cut off is never a success.
int FinishOutput(int code);

}  // namespace wb::cli
