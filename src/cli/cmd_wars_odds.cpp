// tazuna98-cli fhwars-odds: converts a saved FHWARS odds log into race-card, odds and
// quinella/wide files (DE-, ZO-, UO-), as the conversion dialog does; and writes the bundled
// example log.
#include <fmt/format.h>

#include <iostream>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "samples/fhwars/fixture_odds_log.h"
#include "fhwars/odds_log.h"
#include "samples/pat98/sample_day.h"
#include "session.h"

namespace tz::cli {

namespace {

namespace fs = std::filesystem;

const char* OutcomeName(ConvertedFile::Outcome o) {
  switch (o) {
    case ConvertedFile::Outcome::Written: return "written";
    case ConvertedFile::Outcome::Kept: return "kept";
    case ConvertedFile::Outcome::Failed: return "failed";
  }
  return "";
}

}  // namespace

void RegisterWarsOddsCommand(CLI::App& app, CliContext& ctx) {
  struct Options : ConversionOptions {
    unsigned seed = 1;
  };
  auto o = std::make_shared<Options>();
  auto* cmd = app.add_subcommand(
      "fhwars-odds",
      "Convert a saved FHWARS odds log (conference room 17) into race-card, odds and quinella/wide files");
  AddConversionOptions(
      cmd, *o, "The saved odds log", "Folder that receives the files (created when missing)",
      "Write the example odds log of the generated sample day (its races that are on sale) to this file");
  cmd->add_option("--seed", o->seed, "Seed of the generated sample day (with --write-sample-log)");
  const auto writeSample = [o] {
    const auto postings = fixture::ForumPostingsFromSampleDay(BuildSampleDay(o->seed));
    return SampleLogWritten{fixture::WriteForumOddsLog(o->sampleLog, postings),
                            fmt::format("wrote {} ({} postings)", o->sampleLog, postings.size())};
  };
  const auto convert = [o](Session& s, ConversionPort& port, const fs::path& out) {
    WarsOddsRun run = RunWarsOddsConversion(s.app, s.wars, port, o->overwrite, false);
    if (run.result != WarsOddsRun::Result::Converted) return 1;  // refused; the message is on stderr
    const OddsLogReport& r = run.report;
    int written = 0, kept = 0, failed = 0;
    for (const ConvertedFile& f : r.files) {
      written += f.outcome == ConvertedFile::Outcome::Written;
      kept += f.outcome == ConvertedFile::Outcome::Kept;
      failed += f.outcome == ConvertedFile::Outcome::Failed;
    }
    if (o->json) {
      nlohmann::json j;
      j["postings"] = r.total;
      j["converted"] = r.processed;
      nlohmann::json files = nlohmann::json::array();
      for (const ConvertedFile& f : r.files) {
        nlohmann::json jf{{"name", f.name}, {"outcome", OutcomeName(f.outcome)}};
        if (!f.error.empty()) jf["error"] = f.error;
        files.push_back(jf);
      }
      j["files"] = files;
      nlohmann::json skipped = nlohmann::json::array();
      for (const auto& k : r.skipped) skipped.push_back({{"posting", k.index}, {"problem", k.problem}});
      j["skipped"] = skipped;
      std::cout << j.dump(2) << "\n";
    } else {
      for (const ConvertedFile& f : r.files) {
        std::cout << fmt::format("{:<8} {}\n", OutcomeName(f.outcome), (out / f.name).string());
      }
      std::cout << fmt::format("{} postings: {} converted, {} not converted; files {} written, {} kept, {} failed\n",
                               r.total, r.processed, r.skipped.size(), written, kept, failed);
    }
    return (!r.skipped.empty() || failed > 0) ? 2 : 0;
  };
  cmd->callback([o, writeSample, convert, &ctx] {
    ctx.exitCode = RunConversionCommand(*o, &Settings::Txtfile, writeSample, convert);
  });
}

}  // namespace tz::cli
