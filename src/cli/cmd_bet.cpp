// tazuna98-cli bet: marks bets on a race the way the main window does, builds the bet list,
// spreads the stakes and, with --send, writes the .BET file. It runs the same operations as
// the windows (race selection and analysis, marking, bet list, allocation, send), so a file
// written here is the same as one written from the bet window for the same marks.
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

#include <nlohmann/json.hpp>

#include "analysis/bracket_model.h"
#include "analysis/main_window_model.h"
#include "analysis/pipeline.h"
#include "app/startup.h"
#include "betting/bet_list.h"
#include "betting/marking.h"
#include "betting/stake_safety.h"
#include "commands.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "text/strings.h"

namespace tz::cli {

namespace {

using nlohmann::json;

constexpr const char* kNoPat98Guide = "99999999";

struct BetRequest {
  int Kind = 0;
  int First = 0;
  int Second = 0;
};

bool ParseNumber(std::string_view s, int& out) {
  if (s.empty() || s.size() > 2) return false;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  out = v;
  return true;
}

// "4:03-12,1:05": kind, then a horse (win, place) or a pair (bracket quinella, quinella, wide).
std::optional<std::vector<BetRequest>> ParseBets(const std::string& bets, std::string& error) {
  std::vector<BetRequest> out;
  std::stringstream in(bets);
  std::string item;
  while (std::getline(in, item, ',')) {
    item = text::Trim(item);
    if (item.empty()) continue;
    BetRequest b;
    const std::size_t colon = item.find(':');
    const std::size_t dash = item.find('-');
    bool ok = colon != std::string::npos && ParseNumber(item.substr(0, colon), b.Kind) && b.Kind >= 1 &&
              b.Kind <= 5;
    if (ok && b.Kind <= 2) {
      ok = dash == std::string::npos && ParseNumber(item.substr(colon + 1), b.First) && b.First >= 1 &&
           b.First <= kMaxHorses;
    } else if (ok) {
      const int limit = b.Kind == 3 ? kMaxBrackets : kMaxHorses;
      ok = dash != std::string::npos && dash > colon &&
           ParseNumber(item.substr(colon + 1, dash - colon - 1), b.First) &&
           ParseNumber(item.substr(dash + 1), b.Second) && b.First >= 1 && b.Second >= 1 &&
           b.First <= limit && b.Second <= limit && (b.First != b.Second || b.Kind == 3);
    }
    if (!ok) {
      error = "invalid bet: " + item + " (expected KIND:HORSE for 1 and 2, KIND:A-B for 3, 4 and 5)";
      return std::nullopt;
    }
    out.push_back(b);
  }
  if (out.empty()) {
    error = "no bets given";
    return std::nullopt;
  }
  return out;
}

int PositionOf(const Session& s, int horse) {
  for (int p = 1; p <= s.mainWindow.RunnerCount; ++p) {
    if (s.race.HorseOrder[p] == horse) return p;
  }
  return 0;
}

int BracketPosition(const Session& s, int bracket) {
  for (int k = 1; k <= kMaxBrackets; ++k) {
    if (s.bracketView.BracketOrder[k] == bracket) return k - 1;
  }
  return -1;
}

// Marks one bet with the window's own click operations; a bet already marked stays marked.
bool MarkBet(Session& s, const BetRequest& b, std::string& error) {
  const bool saleCode7 = s.race.CurrentSaleCode == 7;
  if (b.Kind == 3 && !saleCode7) {
    BringBracketViewUpToDate(s);
    const int p1 = BracketPosition(s, b.First), p2 = BracketPosition(s, b.Second);
    if (p1 < 0 || p2 < 0) {
      error = "no such bracket";
      return false;
    }
    const int index = 8 * std::min(p1, p2) + std::max(p1, p2);
    const BracketCell& cell = s.bracketView.Lbodz[index];
    if (cell.Text == "----") {
      error = "bracket quinella " + std::to_string(b.First) + "-" + std::to_string(b.Second) + " has no odds";
      return false;
    }
    if (!IsBracketMarked(cell)) ToggleBracketCell(s, index);
    return true;
  }
  const int p1 = PositionOf(s, b.First);
  if (p1 == 0) {
    error = "horse " + std::to_string(b.First) + " does not run";
    return false;
  }
  if (b.Kind <= 2) {
    const RowCells& cells = b.Kind == 1 ? s.mainWindow.odztan : s.mainWindow.odzfuk;
    if (cells[p1].BackColor != colours::kMark) ToggleHighlight(s, b.Kind == 1 ? 2 : 1, p1);
    return true;
  }
  const int p2 = PositionOf(s, b.Second);
  if (p2 == 0) {
    error = "horse " + std::to_string(b.Second) + " does not run";
    return false;
  }
  if (b.Kind == 5 && saleCode7) {
    error = "the race has no wide odds";
    return false;
  }
  // A bracket quinella of a sale-code-7 race is marked in its quinella matrix.
  const PairMatrix matrix = b.Kind == 5 ? PairMatrix::Wide : PairMatrix::Quinella;
  const MatrixCells& cells = matrix == PairMatrix::Wide ? s.mainWindow.WideOdz : s.mainWindow.odzuma;
  const int r = std::max(p1, p2) - 1, c = std::min(p1, p2) - 1;
  if (cells[r][c].BackColor != colours::kMark) ToggleCell(s, matrix, r, c);
  return true;
}

json OptionalNumber(std::optional<double> v) { return v ? json(*v) : json(nullptr); }

// The bet list and its stake safety as JSON: the lines with their odds and stakes, the total,
// combined_odds and book_percent (one decimal, null when undefined) and the ﾄﾘｶﾞﾐ lines.
json BetListJson(const BetWindowModel& w) {
  json lines = json::array();
  for (const BetLine& l : ReadBetLines(w.Text)) {
    lines.push_back({{"line", l.Text}, {"odds", l.Odds}, {"stake", l.Stake}});
  }
  json j;
  j["mode_label"] = w.ModeLabel;
  j["race_label"] = w.RaceLabel;
  j["bets"] = lines;
  j["total_stake"] = w.Safety.TotalStake;
  j["combined_odds"] = OptionalNumber(OneDecimal(w.Safety.CombinedOdds));
  j["book_percent"] = {{"win", OptionalNumber(OneDecimal(w.Book.Win))},
                       {"bracket", OptionalNumber(OneDecimal(w.Book.Bracket))},
                       {"quinella", OptionalNumber(OneDecimal(w.Book.Quinella))}};
  j["torigami"] = w.Safety.Torigami;
  return j;
}

void PrintBetList(const BetWindowModel& w) {
  std::cout << w.ModeLabel << "\n" << ForTerminal(w.Text) << "\n" << w.CombinedOddsLabel << "\n"
            << w.BookLabel << "\n";
  if (!w.TorigamiLabel.empty()) std::cout << ForTerminal(w.TorigamiLabel) << "\n";
}

struct BetOptions {
  std::string folder;
  int meeting = 1;
  int race = 1;
  std::string bets;
  std::string mode = "equal";
  bool send = false;
  bool json = false;
  std::string betdir;
  std::string pat98;
  std::string home;
  std::optional<std::int64_t> money, limit, profit;
};

int RunBet(const BetOptions& o) {
  TerminalPort port;
  Session s;
  InitFromHome(s, o.home);
  // Amounts given on the command line are taken as the amount dialog takes them: whole
  // hundreds within the dialog's ranges.
  if (o.money || o.limit || o.profit) {
    OpenAmountDialog(s);
    if (o.money) s.betWindow.Amount.MoneyCapital = std::to_string(*o.money);
    if (o.limit) s.betWindow.Amount.MoneyLimit = std::to_string(*o.limit);
    if (o.profit) s.betWindow.Amount.ProfitTarget = std::to_string(*o.profit);
    ApplyAmountDialog(s);
  }
  // PAT98's folder decides which day may be sent: --pat98, else the stored setting, else (no
  // betting guide there) FOLDER itself.
  std::filesystem::path pat98 = o.pat98;
  if (pat98.empty() && s.app.Pat98GuideDate == kNoPat98Guide) pat98 = o.folder;
  if (!pat98.empty()) {
    s.app.Pat98Folder = pat98;
    ApplyDefaultBetFolder(s.app);
    s.app.Pat98GuideDate = ReadPat98GuideDate(s.app.Pat98Folder);
  }
  if (!o.betdir.empty()) s.app.BetFolder = o.betdir;

  std::string error;
  const std::optional<std::vector<BetRequest>> bets = ParseBets(o.bets, error);
  if (!bets) {
    std::cerr << error << "\n";
    return 2;
  }
  int mode = kAllocateEqualAmount;
  if (o.mode == "return") mode = kAllocateEqualProfit;
  else if (o.mode == "profit") mode = kAllocateTargetProfit;
  else if (o.mode != "equal") {
    std::cerr << "invalid mode: " << o.mode << " (equal, return or profit)\n";
    return 2;
  }

  s.app.DataFolder = o.folder;
  if (LoadCurrentData(s, port) != 0 || s.race.MeetingCount == 0) {
    if (port.errors == 0) std::cerr << "no racing day in " << o.folder << "\n";
    return 1;
  }
  if (o.meeting < 1 || o.meeting > s.race.MeetingCount) {
    std::cerr << "no meeting " << o.meeting << " (the day has " << s.race.MeetingCount << ")\n";
    return 2;
  }
  SelectMeeting(s, o.meeting);
  SelectRace(s, port, 4 + o.race);
  if (s.race.LoadStatus != 0 || !s.mainWindow.RaceShown) {
    if (port.errors == 0) std::cerr << "race " << o.race << " of meeting " << o.meeting << " cannot be shown\n";
    return 1;
  }
  for (const BetRequest& b : *bets) {
    if (!MarkBet(s, b, error)) {
      std::cerr << error << "\n";
      return 2;
    }
  }
  if (!BuildBetList(s, port)) return 1;
  if (mode != kAllocateEqualAmount && !ApplyAllocationMode(s, port, mode)) return 1;
  if (!o.json) PrintBetList(s.betWindow);
  int code = 0;
  std::string written;
  if (o.send) {
    switch (SendBetList(s, port)) {
      case SendResult::Written:
        written = (s.app.BetFolder / s.betWindow.LastBetFile).string();
        if (!o.json) std::cout << "written: " << written << "\n";
        break;
      case SendResult::NoBets:
        std::cerr << "nothing to send\n";
        code = 1;
        break;
      default:
        code = 1;
    }
  }
  if (o.json) {
    json j = BetListJson(s.betWindow);
    if (o.send) j["written"] = written.empty() ? json(nullptr) : json(written);
    std::cout << j.dump(1) << "\n";
  }
  return code;
}

}  // namespace

void RegisterBetCommand(CLI::App& app, CliContext& ctx) {
  auto o = std::make_shared<BetOptions>();
  auto* cmd = app.add_subcommand("bet", "Mark bets on a race, build the bet list, spread the stakes and write the .BET file");
  AddDataFolderOption(cmd, o->folder);
  cmd->add_option("--meeting", o->meeting, "Meeting 1..3")->required();
  cmd->add_option("--race", o->race, "Race 1..12, 13 for the advance-sale race")->required()->check(CLI::Range(1, 13));
  cmd->add_option("--bets", o->bets,
                  "Bets: KIND:HORSE (1 win, 2 place) or KIND:A-B (3 bracket quinella, 4 quinella, 5 wide), comma-separated")
      ->required();
  cmd->add_option("--mode", o->mode, "Allocation: equal (equal stakes), return (equal return), profit (target profit)");
  cmd->add_flag("--send", o->send, "Write the .BET file after the checks");
  cmd->add_flag("--json", o->json, "The bet list, combined_odds, book_percent and torigami as JSON");
  cmd->add_option("--betdir", o->betdir, "Bet folder (default: the Betpath setting)");
  cmd->add_option("--pat98", o->pat98, "PAT98 folder whose current day may be sent (default: the Patpath setting, or FOLDER when that holds no betting guide)");
  AddHomeOption(cmd, o->home);
  cmd->add_option("--money", o->money, "Stake per bet for equal stakes (default: the Money setting)");
  cmd->add_option("--limit", o->limit, "Capital per race for equal return (default: the Limit setting)");
  cmd->add_option("--profit", o->profit, "Target profit per race (default: the Profit setting)");
  cmd->callback([o, &ctx] { ctx.exitCode = RunBet(*o); });
}

}  // namespace tz::cli
