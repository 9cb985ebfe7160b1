#include "support/run_command.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "support/temp_dir.h"

namespace tz::test {

std::string ShellQuote(const std::string& arg) {
  std::string out = "'";
  for (char c : arg) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out.push_back(c);
    }
  }
  return out + "'";
}

CommandResult RunCommand(const std::string& command) {
  TempDir d;
  std::filesystem::path errFile = d / "stderr.txt";
  CommandResult r;
  std::FILE* p = popen((command + " 2>" + ShellQuote(errFile.string())).c_str(), "r");
  if (!p) return r;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  int status = pclose(p);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.err = ReadAll(errFile);
  return r;
}

}  // namespace tz::test
