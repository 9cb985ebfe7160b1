// tazuna98-cli history: the user's votes on one race from PAT98's voting log, with their hit
// marks, the totals and the hit message when the race's results are read too.
#include <iostream>
#include <memory>

#include <nlohmann/json.hpp>

#include "analysis/pipeline.h"
#include "commands.h"
#include "pat98/day_loader.h"
#include "results/history.h"
#include "results/results_reader.h"
#include "session.h"
#include "text/numbers.h"

namespace tz::cli {

namespace {

using nlohmann::json;

struct HistoryOptions : RaceChoice {
  bool withResults = false;
  bool json = false;
};

json VoteJson(const std::string& e) {
  json v;
  v["entry"] = e;
  v["saleKind"] = e.substr(0, 1);
  v["raceKey"] = e.substr(1, 4);
  v["kind"] = e.substr(5, 1);
  v["first"] = static_cast<int>(text::Val(e.substr(6, 2)));
  v["second"] = static_cast<int>(text::Val(e.substr(8, 2)));
  v["stake"] = static_cast<int>(text::Val(e.substr(10, 4))) * 100;
  v["result"] = e.substr(16, 1);
  v["payout"] = e.substr(17, 6);
  v["line"] = HitListLine(e);
  return v;
}

void Run(const HistoryOptions& o, CliContext& ctx) {
  auto s = std::make_unique<Session>();
  TerminalPort port;
  if (!LoadDayOfChoice(*s, port, o, ctx)) return;
  SelectMeeting(*s, o.meeting);
  SelectRace(*s, port, RaceButton(o));
  if (s->race.LoadStatus != 0) {
    if (port.errors == 0) {
      std::cerr << "レースを選択できません (LoadStatus " << s->race.LoadStatus << ")\n";
    }
    ctx.exitCode = 1;
    return;
  }
  const int errorsBefore = port.errors;
  ReadRaceResults(*s, port, o.withResults ? ResultsRead::ResultsAndVotes : ResultsRead::VotesOnly);
  const auto& h = s->history;
  BuildHistoryWindow(*s, o.withResults);
  const auto& w = s->historyWindow;

  if (o.json) {
    json j;
    j["GuideDate"] = s->race.GuideDate;
    j["CurrentCourse"] = s->race.CurrentCourse;
    j["CurrentRace"] = s->race.CurrentRace;
    j["CurrentDayKind"] = s->race.CurrentDayKind;
    j["LogStatus"] = h.LogStatus;
    j["WithResults"] = o.withResults;
    // Written as the decimal number (31.0) that readers of this output know.
    j["ResultsAvailability"] = static_cast<float>(Bits(s->results.ResultsAvailability));
    json votes = json::array();
    for (const std::string& e : h.VoteList) votes.push_back(VoteJson(e));
    j["VoteList"] = votes;
    j["VoteCount"] = h.VoteCount;
    j["LogStake"] = h.LogStake;
    j["LogReturn"] = h.LogReturn;
    j["Balance"] = w.BalanceText;
    j["MaxHitPayout"] = h.MaxHitPayout;
    j["PayoutHit"] = h.PayoutHit;
    j["HitMessage"] = h.HitMessage;
    j["HitListText"] = h.HitListText;
    std::cout << j.dump(1) << "\n";
  } else {
    if (h.LogStatus == kLogMissing) std::cerr << "投票履歴 (LG-FILE.JRA) がありません\n";
    std::cout << ForTerminal(h.HitListText);
    if (o.withResults) {
      std::cout << w.StakeLabel << " " << w.StakeText << "\n"
                << w.ReturnLabel << " " << w.ReturnText << "\n"
                << w.BalanceLabel << " " << w.BalanceText << "\n";
      if (!h.HitMessage.empty()) std::cout << h.HitMessage << "\n";
    }
  }
  ctx.exitCode = (port.errors > errorsBefore || h.LogStatus == kLogReadError) ? 1 : 0;
}

}  // namespace

void RegisterHistoryCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("history", "The votes on one race from the voting log, with hits when results are read");
  auto o = std::make_shared<HistoryOptions>();
  AddRaceChoiceOptions(cmd, *o);
  cmd->add_flag("--with-results", o->withResults,
                "Read the race's results too: hit marks, totals and the hit message");
  cmd->add_flag("--json", o->json, "Write the votes and totals as JSON");
  cmd->callback([o, &ctx] { Run(*o, ctx); });
}

}  // namespace tz::cli
