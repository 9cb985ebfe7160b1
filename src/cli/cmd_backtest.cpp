// tazuna98-cli backtest: how the marks, the indicator ranks, the race classes and the contest
// rules would have paid over saved racing days (every dated data folder under StoreRoot, or the
// folders given), as a table, JSON or CSV.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "backtest/backtest.h"
#include "commands.h"
#include "session.h"

namespace tz::cli {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct BacktestOptions {
  std::vector<std::string> folders;
  std::string home;
  int jobs = 0;
  bool json = false;
  bool csv = false;
};

// One line on a terminal, rewritten after every day.
class TerminalProgress : public BacktestProgress {
 public:
  explicit TerminalProgress(bool shown) : shown_(shown) {}
  ~TerminalProgress() override {
    if (shown_ && drawn_) std::cerr << "\n";
  }
  void DayDone(const BacktestProgressInfo& i) override {
    if (!shown_) return;
    drawn_ = true;
    std::cerr << fmt::format("\rdays {}/{}  races {}  elapsed {:.1f} s  remaining {:.1f} s ",
                             i.daysDone, i.daysTotal, i.races, i.elapsedSeconds,
                             i.remainingSeconds)
              << std::flush;
  }

 private:
  bool shown_;
  bool drawn_ = false;
};

json GroupsJson(const BacktestTable& table) {
  json groups = json::array();
  for (const auto& [key, t] : table) {
    groups.push_back({{"group", key.group},
                      {"pool", BacktestPoolName(key.pool)},
                      {"races", t.races},
                      {"bets", t.bets},
                      {"hits", t.hits},
                      {"stake", t.stake},
                      {"return", t.ret}});
  }
  return groups;
}

json ResultJson(const BacktestResult& r) {
  json skipped = json::array();
  for (const auto& k : r.skipped) {
    skipped.push_back({{"folder", k.folder},
                       {"meeting", k.meeting},
                       {"race", k.race},
                       {"reason", k.reason},
                       {"detail", k.detail}});
  }
  json perDay = json::array();
  for (const auto& d : r.perDay) {
    perDay.push_back(
        {{"folder", d.folder}, {"date", d.date}, {"races", d.races}, {"groups", GroupsJson(d.table)}});
  }
  return {{"days", r.days},   {"races", r.races},           {"cancelled", r.cancelled},
          {"skipped", skipped}, {"groups", GroupsJson(r.totals)}, {"perDay", perDay}};
}

void PrintTable(const BacktestResult& r) {
  std::cout << fmt::format("days {}  races {}  skipped {}\n", r.days, r.races, r.skipped.size());
  for (const auto& k : r.skipped) {
    std::cout << fmt::format("  skipped {} {}-{}: {}{}\n", k.folder, k.meeting, k.race, k.reason,
                             k.detail.empty() ? "" : " (" + k.detail + ")");
  }
  std::cout << fmt::format("{:<8}{:<10}{:>7}{:>8}{:>7}{:>11}{:>11}{:>9}{:>9}\n", "group", "pool",
                           "races", "bets", "hits", "stake", "return", "回収率", "的中率");
  for (const auto& [key, t] : r.totals) {
    // The group names are one to four characters; the marks are wide, so they get less room.
    const int width = key.kind == BacktestGroupKind::Mark ? 7 : 8;
    std::cout << fmt::format("{:<{}}{:<10}{:>7}{:>8}{:>7}{:>11}{:>11}{:>9.1f}{:>9.1f}\n", key.group,
                             width, BacktestPoolName(key.pool), t.races, t.bets, t.hits, t.stake,
                             t.ret, RecoveryRate(t), HitRate(t));
  }
}

int RunBacktestCommand(const BacktestOptions& o) {
  if (o.json && o.csv) {
    std::cerr << "--json and --csv exclude each other\n";
    return 2;
  }
  if (o.jobs < 0) {
    std::cerr << "--jobs takes a number of threads, 0 for one per core\n";
    return 2;
  }
  auto s = std::make_unique<Session>();
  InitFromHome(*s, o.home);

  std::vector<fs::path> folders;
  for (const auto& f : o.folders) folders.push_back(fs::absolute(f));
  if (o.folders.empty()) {
    folders = SavedDayFolders(s->app.StoreRoot);
    if (folders.empty()) {
      std::cerr << "no saved days under " << s->app.StoreRoot.string() << "\n";
      return 1;
    }
  }

  TerminalProgress progress(isatty(STDERR_FILENO) != 0);
  const BacktestResult r = RunBacktest(s->app, folders, o.jobs, progress);

  if (o.json) {
    std::cout << ResultJson(r).dump(1) << "\n";
  } else if (o.csv) {
    for (const auto& line : BacktestCsvLines(r.totals)) std::cout << line << "\n";
  } else {
    PrintTable(r);
  }
  return r.days > 0 ? 0 : 1;
}

}  // namespace

void RegisterBacktestCommand(CLI::App& app, CliContext& ctx) {
  auto o = std::make_shared<BacktestOptions>();
  auto* cmd = app.add_subcommand(
      "backtest", "Hit rate and 回収率 of the marks, ranks, race classes and contest rules over saved days");
  cmd->add_option("FOLDER", o->folders,
                  "Data folders of the days (default: every dated data folder under StoreRoot)");
  cmd->add_option("--jobs", o->jobs, "Days analysed at once (default: one per core)");
  AddHomeOption(cmd, o->home);
  cmd->add_flag("--json", o->json, "Report as JSON");
  cmd->add_flag("--csv", o->csv, "Report the groups as CSV");
  cmd->callback([o, &ctx] { ctx.exitCode = RunBacktestCommand(*o); });
}

}  // namespace tz::cli
