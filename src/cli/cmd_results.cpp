// tazuna98-cli results / results-list: the official results of one race (going, finishers,
// payouts with the refunds) as the results window shows them, and the day's results list.
#include <fmt/format.h>

#include <iostream>
#include <memory>

#include <nlohmann/json.hpp>

#include "analysis/pipeline.h"
#include "commands.h"
#include "pat98/day_loader.h"
#include "results/results_reader.h"
#include "results/results_window_model.h"
#include "session.h"
#include "text/strings.h"

namespace tz::cli {

namespace {

using nlohmann::json;

struct ResultsOptions {
  std::string folder;
  int meeting = 1;
  int race = 1;
  bool json = false;
};

const char* const kKindNames[] = {"", "単勝", "複勝", "枠連", "馬連", "ワイド"};

json RaceJson(const Session& s, const ResultsWindowModel& m) {
  const ResultState& r = s.results;
  json j;
  j["race"] = fmt::format("{} {}R", text::Trim(s.race.OddsCourseName), s.race.CurrentRace);
  if (s.mainWindow.ResultsOnly) j["withoutOdds"] = true;
  // Written as the decimal number (31.0) that readers of this output know.
  j["ResultsAvailability"] = static_cast<float>(Bits(r.ResultsAvailability));
  j["ResultWeather"] = text::Trim(r.ResultWeather);
  j["ResultTurfGoing"] = text::Trim(r.ResultTurfGoing);
  j["ResultDirtGoing"] = text::Trim(r.ResultDirtGoing);
  j["finishers"] = json::array();
  for (const ResultsFinisherRow& f : m.Finishers) {
    j["finishers"].push_back({{"place", f.place}, {"horse", f.horse}, {"bracket", f.bracket},
                              {"name", text::Trim(f.nameCell)}, {"time", text::Trim(f.time)}});
  }
  j["PayoutCount"] = r.PayoutCount;
  j["ResultEntryCount"] = r.ResultEntryCount;
  j["payouts"] = json::array();
  for (std::size_t k = 0; k < r.PayoutTable.size(); ++k) {
    const PayoutRecord& rec = r.PayoutTable[k];
    j["payouts"].push_back({{"record", rec}, {"kind", PayoutKind(rec)}, {"first", PayoutFirst(rec)},
                            {"second", PayoutSecond(rec)}, {"payout", PayoutValue(rec)},
                            {"refund", static_cast<int>(k) >= r.PayoutCount}});
  }
  j["RefundHorses"] = m.RefundHorses;
  return j;
}

void PrintRace(const Session& s, const ResultsWindowModel& m, std::ostream& out) {
  const ResultState& r = s.results;
  out << text::Trim(s.race.OddsCourseName) << " " << s.race.CurrentRace << "R  "
      << text::Trim(m.Weather) << "  " << m.GoingCaption << text::Trim(m.Going) << "\n";
  for (const ResultsFinisherRow& f : m.Finishers) {
    out << fmt::format("{:>2} {:>2} [{}] {} {}\n", f.place, f.horse, f.bracket, f.nameCell,
                       text::Trim(f.time));
  }
  for (int kind = 1; kind <= 5; ++kind) {
    for (const ResultsPayoutCell& c : m.Payouts[static_cast<std::size_t>(kind)]) {
      out << fmt::format("{} {:>5} {:>8}円\n", kKindNames[kind], c.numbers, c.payout);
    }
  }
  const int refunds = r.ResultEntryCount - r.PayoutCount;
  if (!m.RefundHorses.empty()) out << "返還馬番 " << m.RefundHorses << "\n";
  if (HasAll(r.ResultsAvailability, PayoutsFound::AllButWide) && refunds > 0) {
    out << "返還 " << refunds << " 通り\n";
  }
}

json ListJson(const ResultsListModel& m) {
  json j = json::array();
  auto item = [](const ResultsListItem& it) { return json{{"numbers", it.numbers}, {"payout", it.payout}}; };
  for (const ResultsListMeeting& meeting : m.Meetings) {
    json races = json::array();
    for (const ResultsListRace& r : meeting.races) {
      json jr{{"race", r.race}, {"hasResults", r.hasResults}, {"win", item(r.win)},
              {"bracket", item(r.bracket)}, {"quinella", item(r.quinella)}};
      for (const auto& p : r.place) jr["place"].push_back(item(p));
      for (const auto& w : r.wide) jr["wide"].push_back(item(w));
      for (const auto& f : r.finishers) {
        jr["finishers"].push_back({{"number", f.number}, {"name", text::Trim(f.name)}, {"jockey", text::Trim(f.jockey)}});
      }
      races.push_back(jr);
    }
    j.push_back({{"course", meeting.course}, {"courseName", text::Trim(meeting.courseName)}, {"races", races}});
  }
  return j;
}

void PrintList(const ResultsListModel& m, std::ostream& out) {
  for (const ResultsListMeeting& meeting : m.Meetings) {
    out << "== " << text::Trim(meeting.courseName) << " ==\n";
    for (const ResultsListRace& r : meeting.races) {
      out << fmt::format("{:>2}R", r.race);
      if (!r.hasResults) {
        out << "\n";
        continue;
      }
      for (const auto& f : r.finishers) {
        out << fmt::format("  {:>2}{}", f.number, text::TrimRight(f.name));
      }
      out << fmt::format("  単{} {}", r.win.numbers, r.win.payout);
      for (const auto& p : r.place) {
        if (!p.empty()) out << fmt::format(" 複{} {}", p.numbers, p.payout);
      }
      if (!r.bracket.empty()) out << fmt::format("  枠{} {}", r.bracket.numbers, r.bracket.payout);
      if (!r.quinella.empty()) out << fmt::format("  馬{} {}", r.quinella.numbers, r.quinella.payout);
      for (const auto& w : r.wide) {
        if (!w.empty()) out << fmt::format(" ワ{} {}", w.numbers, w.payout);
      }
      out << "\n";
    }
  }
}

}  // namespace

void RegisterResultsCommands(CLI::App& app, CliContext& ctx) {
  {
    auto* cmd = app.add_subcommand("results", "The official results of one race: going, finishers, payouts and refunds");
    auto o = std::make_shared<ResultsOptions>();
    AddDataFolderOption(cmd, o->folder);
    cmd->add_option("--meeting", o->meeting, "Meeting 1..3")->required()->check(CLI::Range(1, 3));
    cmd->add_option("--race", o->race, "Race 1..12")->required()->check(CLI::Range(1, 12));
    cmd->add_flag("--json", o->json, "The result state and every payout record as JSON");
    cmd->callback([o, &ctx] {
      auto s = std::make_unique<Session>();
      TerminalPort port;
      if (!LoadDayOf(*s, port, o->folder, ctx)) return;
      if (o->meeting > s->race.MeetingCount) {
        std::cerr << "開催 " << o->meeting << " はありません (開催数 " << s->race.MeetingCount << ")\n";
        ctx.exitCode = 2;
        return;
      }
      SelectMeeting(*s, o->meeting);
      SelectRace(*s, port, 4 + o->race);
      // A race without odds but with its results file is selected for its results only.
      if (s->race.LoadStatus != 0 && !s->mainWindow.ResultsOnly) {
        if (port.errors == 0) {
          std::cerr << (s->race.LoadStatus == kLoadNotOnSale ? "発売されていないレースです"
                                                             : "オッズファイルがありません")
                    << " (LoadStatus " << s->race.LoadStatus << ")\n";
        }
        ctx.exitCode = 1;
        return;
      }
      // The results without the voting log: the results window's content only.
      const int errorsBefore = port.errors;
      ReadRaceResults(*s, port, ResultsRead::ResultsOnly);
      if (port.errors != errorsBefore) {
        ctx.exitCode = 1;
        return;
      }
      const PayoutsFound avail = s->results.ResultsAvailability;
      if (avail != PayoutsFound::AllButWide && avail != PayoutsFound::All) {
        std::cerr << "成績がありません (ResultsAvailability " << Bits(avail) << ")\n";
        ctx.exitCode = 3;
        return;
      }
      const ResultsWindowModel& m = BuildResultsWindow(*s);
      if (o->json) {
        std::cout << RaceJson(*s, m).dump(1) << "\n";
      } else {
        PrintRace(*s, m, std::cout);
      }
      ctx.exitCode = 0;
    });
  }
  {
    auto* cmd = app.add_subcommand("results-list", "The day's results list: first three finishers and main payouts of every race");
    auto o = std::make_shared<ResultsOptions>();
    AddDataFolderOption(cmd, o->folder);
    cmd->add_flag("--json", o->json, "The list as JSON");
    cmd->callback([o, &ctx] {
      auto s = std::make_unique<Session>();
      TerminalPort port;
      if (!LoadDayOf(*s, port, o->folder, ctx)) return;
      const ResultsListModel& m = BuildResultsList(*s);
      if (o->json) {
        std::cout << ListJson(m).dump(1) << "\n";
      } else {
        PrintList(m, std::cout);
      }
      ctx.exitCode = 0;
    });
  }
}

}  // namespace tz::cli
