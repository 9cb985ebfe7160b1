// The options and paths the forum-log conversion commands share.
#include <iostream>

#include "commands.h"
#include "session.h"

namespace tz::cli {

void AddConversionOptions(CLI::App* cmd, ConversionOptions& o, const char* logHelp,
                          const char* outHelp, const char* sampleHelp) {
  auto* logOpt = cmd->add_option("--log", o.log, logHelp);
  auto* outOpt = cmd->add_option("--out", o.out, outHelp);
  cmd->add_flag("--overwrite", o.overwrite, "Replace files of the same name (default: keep them)");
  cmd->add_flag("--json", o.json, "Write the summary as JSON");
  auto* sampleOpt = cmd->add_option("--write-sample-log", o.sampleLog, sampleHelp);
  logOpt->excludes(sampleOpt);
  outOpt->excludes(sampleOpt);
}

bool SetConversionPaths(const ConversionOptions& o, Settings& set,
                        std::string Settings::*logFile, std::filesystem::path& out) {
  if (o.log.empty() || o.out.empty()) {
    std::cerr << "--log and --out are required\n";
    return false;
  }
  std::error_code ec;
  const std::filesystem::path log = std::filesystem::absolute(o.log, ec);
  out = std::filesystem::absolute(o.out, ec);
  set.Txtpath = log.parent_path().string();
  set.*logFile = log.filename().string();
  set.Cnvpath = out.string();
  return true;
}

int RunConversionCommand(
    const ConversionOptions& o, std::string Settings::*logFile,
    const std::function<SampleLogWritten()>& writeSample,
    const std::function<int(Session& s, ConversionPort& port, const std::filesystem::path& out)>& convert) {
  if (!o.sampleLog.empty()) {
    const SampleLogWritten written = writeSample();
    if (!written.error.empty()) {
      std::cerr << written.error << "\n";
      return 1;
    }
    std::cout << written.said << "\n";
    return 0;
  }
  Session s;
  std::filesystem::path out;
  if (!SetConversionPaths(o, s.app.settings, logFile, out)) return 1;
  ConversionPort port;
  return convert(s, port, out);
}

}  // namespace tz::cli
