// tazuna98-cli fhwars-results: converts a saved FHWARS results log into results files (KS-),
// as the conversion dialog does; and writes the bundled example log.
#include <fmt/format.h>

#include <iostream>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "samples/fhwars/fixture_results_log.h"
#include "fhwars/results_log.h"
#include "session.h"
#include "text/files.h"

namespace tz::cli {

namespace fs = std::filesystem;

void RegisterWarsResultsCommand(CLI::App& app, CliContext& ctx) {
  auto o = std::make_shared<ConversionOptions>();
  auto* cmd = app.add_subcommand("fhwars-results",
                                 "Convert a saved FHWARS results log (conference room 17) into results files (KS-)");
  AddConversionOptions(cmd, *o, "The saved results log",
                       "Existing folder that receives the results files",
                       "Write the example results log of the generated sample day to this file");
  const auto writeSample = [o] {
    return SampleLogWritten{text::WriteFileAtomic(o->sampleLog, fixture::SampleResultsLogBytes()),
                            "wrote " + o->sampleLog};
  };
  const auto convert = [o](Session& s, ConversionPort& port, const fs::path& out) {
    ResultsLogReport report;
    std::optional<int> count = RunResultsLogConversion(s.app, s.wars, port, o->overwrite, &report);
    if (!count) return 1;  // refused; the message is on stderr
    if (o->json) {
      nlohmann::json j;
      j["postings"] = report.count;
      j["written"] = report.files;
      j["kept"] = report.kept;
      j["failed"] = report.failed;
      j["problems"] = report.problems;
      std::cout << j.dump(2) << "\n";
    } else {
      for (const std::string& f : report.files) std::cout << (out / f).string() << "\n";
      std::cout << fmt::format("{} postings: {} written, {} kept, {} not converted\n", report.count,
                               report.written, report.kept, report.failed);
    }
    return report.failed > 0 ? 2 : 0;
  };
  cmd->callback([o, writeSample, convert, &ctx] {
    ctx.exitCode = RunConversionCommand(*o, &Settings::Tksfile, writeSample, convert);
  });
}

}  // namespace tz::cli
