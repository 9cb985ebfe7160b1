// tazuna98-cli jrdb-import: JRDB's data files of a day (or, with --all, of every day in the
// folder) written as PAT98 days, as the JRDB conversion dialog does.
#include <fmt/format.h>
#include <unistd.h>

#include <iostream>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "jrdb/jrdb_import.h"
#include "pat98/data_store.h"

namespace tz::cli {

namespace {

namespace fs = std::filesystem;

// The progress of a season as one line on standard error, rewritten after each day, when
// standard error is a terminal.
class SeasonPort : public TerminalPort {
 public:
  void Progress(int done, int total) override {
    if (!isatty(STDERR_FILENO)) return;
    if (total == 0) {
      std::cerr << "\n";
      return;
    }
    std::cerr << fmt::format("\r{}/{} 日", done, total) << std::flush;
  }
};

nlohmann::json ReportJson(const jrdb::ImportReport& r) {
  nlohmann::json j;
  j["date"] = r.date;
  j["folder"] = r.folder.string();
  j["ok"] = r.ok;
  if (!r.ok) j["error"] = r.error;
  j["meetings"] = r.counts.meetings;
  j["races"] = r.counts.races;
  j["runners"] = r.counts.runners;
  j["results"] = r.counts.results;
  j["payouts"] = r.counts.payouts;
  j["files"] = r.files;
  return j;
}

}  // namespace

void RegisterJrdbImportCommand(CLI::App& app, CliContext& ctx) {
  struct Options {
    std::string jrdb;
    std::string out;
    bool all = false;
    bool overwrite = false;
    bool json = false;
  };
  auto o = std::make_shared<Options>();
  auto* cmd = app.add_subcommand(
      "jrdb-import", "Write the JRDB data files of a day (OZ, OW, SKB, UKC, KYI, BAC, KAB, SED, HJC) as a PAT98 day");
  cmd->add_option("--jrdb", o->jrdb, "Folder with the JRDB files")->required();
  cmd->add_option("--out", o->out,
                  "Folder of the day (created when missing); with --all the store folder of the dated days")
      ->required();
  cmd->add_flag("--all", o->all, "Every day of the folder, one dated folder each under --out");
  cmd->add_flag("--overwrite", o->overwrite, "Replace files of the day that exist (default: stop)");
  cmd->add_flag("--json", o->json, "Write the report as JSON");
  cmd->callback([o, &ctx] {
    std::vector<jrdb::ImportReport> reports;
    if (o->all) {
      SeasonPort port;
      reports = jrdb::ImportJrdbSeason(o->jrdb, o->out, o->overwrite, port, CurrentTimeOfDay());
    } else {
      reports.push_back(jrdb::ImportJrdbDay(o->jrdb, o->out, o->overwrite));
    }
    bool allOk = true;
    nlohmann::json days = nlohmann::json::array();
    for (const auto& r : reports) {
      allOk = allOk && r.ok;
      days.push_back(ReportJson(r));
      if (!r.ok) PrintMessage(ForTerminal(jrdb::ImportSummary(r)));
    }
    if (o->json) {
      std::cout << nlohmann::json{{"days", days}}.dump(2) << "\n";
    } else {
      for (const auto& r : reports) {
        if (r.ok) std::cout << jrdb::ImportSummary(r) << " -> " << r.folder.string() << "\n";
      }
    }
    ctx.exitCode = allOk ? 0 : 1;
  });
}

}  // namespace tz::cli
