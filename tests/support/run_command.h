// Runs a command line through the shell and captures what it prints.
#pragma once

#include <string>

namespace tz::test {

struct CommandResult {
  int exitCode = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs `command` (a shell command line) and returns its exit code and output.
CommandResult RunCommand(const std::string& command);

// Quotes one argument for the shell.
std::string ShellQuote(const std::string& arg);

}  // namespace tz::test
