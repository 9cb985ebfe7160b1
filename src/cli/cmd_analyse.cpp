// tazuna98-cli analyse: the analysis of one race as the prediction table a user reads, or every
// derived value as JSON. tazuna98-cli csv: the race's CSV file, as the CSV button writes it.
#include <cmath>
#include <iostream>
#include <memory>
#include <sstream>

#include <nlohmann/json.hpp>

#include "analysis/implied_win.h"
#include "analysis/pipeline.h"
#include "analysis/vote_shares.h"
#include "commands.h"
#include "exports/csv_export.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz::cli {

namespace {

using nlohmann::json;

struct RaceOptions : RaceChoice {
  std::string jrdb;
  std::string base;
  bool implied = false;
};

void AddRaceOptions(CLI::App* cmd, RaceOptions& o) {
  AddRaceChoiceOptions(cmd, o);
  cmd->add_option("--jrdb", o.jrdb, "JRDB folder with the base-odds files OZyymmdd.TXT");
  AddBaseOption(cmd, o.base);
  cmd->add_flag("--implied", o.implied,
                "Market-implied win odds 推定単勝 from the quinella shares (the option ImpliedWin)");
}

// Loads the day and selects the race as the race buttons do. Returns false (with the exit code
// set) when the race cannot be shown.
bool SelectFromOptions(Session& s, TerminalPort& port, const RaceOptions& o, CliContext& ctx) {
  s.app.settings.OZpath = o.jrdb;
  if (o.implied) s.app.settings.ImpliedWin = 1;
  if (!LoadDayOfChoice(s, port, o, ctx)) return false;
  if (!UseBaseFolder(s, port, o.base)) {
    ctx.exitCode = 2;
    return false;
  }
  SelectMeeting(s, o.meeting);
  SelectRace(s, port, RaceButton(o));
  if (s.race.LoadStatus == 0 && !o.base.empty() && s.analysis.BaseSource != BaseOddsSource::Snapshot) {
    // The snapshot lacks the race: said by the pipeline, and nothing is shown.
    ctx.exitCode = 1;
    return false;
  }
  if (s.race.LoadStatus != 0) {
    if (port.errors == 0) {
      std::cerr << (s.race.LoadStatus == kLoadNotOnSale ? "発売されていないレースです"
                                                        : "オッズファイルがありません")
                << " (LoadStatus " << s.race.LoadStatus << ")\n";
    }
    ctx.exitCode = 1;
    return false;
  }
  return true;
}

// Numbers as JSON; non-finite values as the strings "inf", "-inf", "nan".
json Num(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  return v;
}

// Element i of the result is index from + i of the table.
template <typename Table, typename F>
json Range(const Table& t, int from, int to, F conv) {
  json a = json::array();
  for (int i = from; i <= to; ++i) a.push_back(conv(t[i]));
  return a;
}
template <typename Table>
json Doubles(const Table& t, int from, int to) {
  return Range(t, from, to, [](double v) { return Num(v); });
}
template <typename Table>
json Ints(const Table& t, int from, int to) {
  return Range(t, from, to, [](int v) { return json(v); });
}
template <typename Table>
json Texts(const Table& t, int from, int to) {
  return Range(t, from, to, [](std::string_view v) { return json(v); });
}
template <typename Matrix>
json DoubleMatrix(const Matrix& m, int n) {
  json a = json::array();
  for (int i = 1; i <= n; ++i) a.push_back(Doubles(m[i], 1, n));
  return a;
}

const char* SeparatorName(SeparatorKind k) {
  switch (k) {
    case SeparatorKind::Blue: return "blue";
    case SeparatorKind::Red: return "red";
    default: return "neutral";
  }
}

// ImpliedWinOdds and ImpliedWinRatio (win odds / implied odds) per horse number, null where a
// horse has no implied odds (scratched, no quinella quote, or a race without a quinella market).
void AddImpliedWin(json& j, const Session& s) {
  const std::optional<ImpliedWin> implied = ComputeImpliedWin(s.race, s.analysis);
  json odds = json::array(), ratio = json::array();
  for (int h = 1; h <= s.race.HorseCount; ++h) {
    const double o = implied ? implied->Odds[h] : 0;
    const double win = text::OddsValue(s.race.WinOdds[h]);
    odds.push_back(o > 0 ? json(o) : json(nullptr));
    ratio.push_back(o > 0 && win > 0 ? json(win / o) : json(nullptr));
  }
  j["ImpliedWinOdds"] = odds;
  j["ImpliedWinRatio"] = ratio;
}

const char* BaseSourceName(BaseOddsSource b) {
  switch (b) {
    case BaseOddsSource::Jrdb: return "jrdb";
    case BaseOddsSource::Snapshot: return "snapshot";
    default: return "none";
  }
}

json RaceJson(const Session& s) {
  const auto& r = s.race;
  const auto& a = s.analysis;
  const auto& mw = s.mainWindow;
  const int n = r.HorseCount;
  const int m = RunnerCount(s);
  json j;
  j["indexing"] = "element 0 of a per-horse, per-position or per-bracket array is horse number, position or bracket 1; GapGroups rows start at cell 0";
  j["GuideDate"] = r.GuideDate;
  j["CurrentMeeting"] = r.CurrentMeeting;
  j["CurrentCourse"] = r.CurrentCourse;
  j["CurrentRace"] = r.CurrentRace;
  j["CurrentDayKind"] = r.CurrentDayKind;
  j["CurrentSaleCode"] = r.CurrentSaleCode;
  j["OddsCourseName"] = r.OddsCourseName;
  j["OddsKai"] = r.OddsKai;
  j["OddsDay"] = r.OddsDay;
  j["RaceTitle"] = {r.RaceTitle[0], r.RaceTitle[1]};
  j["HorseCount"] = n;
  j["ScratchedCount"] = r.ScratchedCount;
  j["RunnerCount"] = m;
  j["ScratchedHorses"] = Ints(r.ScratchedHorses, 1, r.ScratchedCount);
  j["NoWideOdds"] = r.NoWideOdds;
  j["lblkai"] = mw.lblkai;
  j["lblrace"] = mw.lblrace;
  j["Lbltime"] = mw.Lbltime;
  j["RaceLabel"] = mw.RaceLabel;

  // Per horse number.
  j["HorseBracket"] = Ints(r.HorseBracket, 1, n);
  j["WinOdds"] = Texts(r.WinOdds, 1, n);
  j["PlaceOddsLow"] = Texts(r.PlaceOddsLow, 1, n);
  j["PlaceOddsHigh"] = Texts(r.PlaceOddsHigh, 1, n);
  j["HorseName"] = Texts(r.HorseName, 0, n - 1);
  j["QuinellaShare"] = Doubles(a.QuinellaShare, 1, n);
  j["QuinellaShareText"] = Texts(a.QuinellaShareText, 1, n);
  j["SyntheticWinText"] = Texts(a.SyntheticWinText, 1, n);
  j["WideShare"] = Doubles(a.WideShare, 1, n);
  j["WideShareText"] = Texts(a.WideShareText, 1, n);
  j["WideShareRank"] = Ints(a.WideShareRank, 1, n);
  j["BracketShare"] = Doubles(a.BracketShare, 1, kMaxBrackets);
  j["JrdbLoaded"] = a.JrdbLoaded ? -1 : 0;  // -1 for yes, 0 for no in this output
  j["BaseSource"] = BaseSourceName(a.BaseSource);
  j["BaseCaption"] = a.BaseCaption;
  j["JrdbWinBase"] = Texts(a.JrdbWinBase, 1, n);
  j["JrdbPlaceBase"] = Texts(a.JrdbPlaceBase, 1, n);

  // Per popularity position.
  j["HorseOrder"] = Ints(r.HorseOrder, 1, n);
  j["SyntheticWinOdds"] = Doubles(a.SyntheticWinOdds, 1, n);
  j["WinOddsByPos"] = Doubles(a.WinOddsByPos, 1, m);
  j["PlaceOddsByPos"] = Doubles(a.PlaceOddsByPos, 1, m);
  j["WinRankByPos"] = Ints(a.WinRankByPos, 1, m);
  j["PlaceRankByPos"] = Ints(a.PlaceRankByPos, 1, m);
  j["FavQuinellaRank"] = Ints(a.FavQuinellaRank, 1, m);
  j["WinOrder"] = Ints(a.WinOrder, 1, m);
  j["PlaceOrder"] = Ints(a.PlaceOrder, 1, m);
  j["QuinellaByPos"] = DoubleMatrix(a.QuinellaByPos, m);
  j["WideByPos"] = DoubleMatrix(a.WideByPos, m);
  j["BracketQuinella"] = DoubleMatrix(a.BracketQuinella, kMaxBrackets);
  json groups = json::array();
  for (const auto& row : a.GapGroups) groups.push_back(Ints(row, 0, kMaxHorses));
  j["GapGroups"] = groups;
  j["FirstCut"] = a.FirstCut;
  j["SecondCut"] = a.SecondCut;
  j["GapSeparator"] =
      Range(a.GapSeparator, 1, n, [](SeparatorKind k) { return json(SeparatorName(k)); });
  j["WinOverbet"] = Doubles(a.WinOverbet, 1, m);
  j["PlaceOverbet"] = Doubles(a.PlaceOverbet, 1, m);
  j["WinOverbetFlags"] = Ints(a.WinOverbetFlags, 1, m);
  j["PlaceOverbetFlags"] = Ints(a.PlaceOverbetFlags, 1, m);
  j["PairScore"] = Doubles(a.PairScore, 1, m);
  j["FValue"] = Ints(a.FValue, 1, m);
  j["TValue"] = Ints(a.TValue, 1, m);
  j["RValue"] = Ints(a.RValue, 1, m);
  j["WValue"] = Ints(a.WValue, 1, m);
  j["ZValue"] = Ints(a.ZValue, 1, m);
  j["MarkValue"] = Ints(a.MarkValue, 1, m);
  j["RaceTypeCode"] = a.RaceTypeCode;
  j["UpsetIndicator"] = Num(a.UpsetIndicator);
  j["UpsetValue"] = a.UpsetValue;
  j["UpsetText"] = a.UpsetText;
  j["UpsetCaption"] = a.UpsetCaption;
  j["KaburiDegree"] = Num(a.KaburiDegree);
  j["KaburiVisible"] = a.KaburiVisible;
  j["KaburiText"] = a.KaburiText;
  j["UnderTenShift"] = a.UnderTenShift;
  j["UnderTenShiftText"] = a.UnderTenShiftText;

  json rows = json::array();
  for (int p = 1; p <= s.prediction.RowCount; ++p) {
    const PredictionRow& row = s.prediction.Rows[p];
    rows.push_back({{"HorseNumber", row.HorseNumber},
                    {"F", row.F},
                    {"T", row.T},
                    {"R", row.R},
                    {"Z", row.Z},
                    {"W", row.W},
                    {"Mark", row.Mark},
                    {"RColour", row.RColour},
                    {"ZColour", row.ZColour},
                    {"Separator", SeparatorName(row.Separator)}});
  }
  j["PredictionRow"] = rows;
  json headers = json::array();
  for (const auto& h : s.prediction.Headers) headers.push_back({{"Letter", h.Letter}, {"Bold", h.Bold}});
  j["PredictionHeaders"] = headers;
  if (s.app.settings.ImpliedWin == 1) AddImpliedWin(j, s);
  return j;
}

// Pads a UTF-8 text on the left to a display width (full-width characters count two).
std::string PadLeft(const std::string& t, std::size_t width) {
  const std::size_t w = text::SjisLength(t);
  return w >= width ? t : std::string(width - w, ' ') + t;
}
std::string PadRight(const std::string& t, std::size_t width) {
  const std::size_t w = text::SjisLength(t);
  return w >= width ? t : t + std::string(width - w, ' ');
}

void PrintTable(const Session& s, std::ostream& out) {
  const auto& r = s.race;
  const auto& a = s.analysis;
  const auto& mw = s.mainWindow;
  out << mw.lblkai << "  " << mw.lblrace << "  " << mw.Lbltime;
  if (!a.BaseCaption.empty()) out << "  " << a.BaseCaption;
  out << "\n";
  out << "レース分類 " << (a.RaceTypeCode.empty() ? "-" : a.RaceTypeCode) << "   波乱度 "
      << (a.UpsetCaption.empty() ? "-" : a.UpsetCaption);
  if (a.KaburiVisible) out << "   " << a.KaburiText;
  out << "   " << a.UnderTenShiftText << "\n";
  const bool jrdb = a.JrdbLoaded;
  out << "順位 馬番 枠   仮単   単勝  複勝         馬連率 ﾜｲﾄﾞ率  F T R Z W  印";
  if (jrdb) out << "  基単  基複";
  const bool withImplied = s.app.settings.ImpliedWin == 1;
  const std::optional<ImpliedWin> implied =
      withImplied ? ComputeImpliedWin(r, a) : std::optional<ImpliedWin>();
  if (withImplied) out << "  推定単勝    比";
  out << "\n";
  for (int p = 1; p <= r.HorseCount; ++p) {
    const int h = r.HorseOrder[p];
    const PredictionRow& row = s.prediction.Rows[p];
    auto rank = [](const std::string& t) { return t.empty() ? std::string(".") : t; };
    std::ostringstream line;
    line << PadLeft(std::to_string(p), 4) << PadLeft(std::to_string(h), 5)
         << PadLeft(std::to_string(r.HorseBracket[h]), 4) << PadLeft(mw.odzren[p].Text, 7)
         << PadLeft(r.WinOdds[h].empty() ? "取消" : std::string(r.WinOdds[h].text()), 7) << "  "
         << PadRight(r.PlaceOddsLow[h].empty() ? "" : text::Trim(r.PlaceOddsLow[h]) + "-" + text::Trim(r.PlaceOddsHigh[h]), 11)
         << PadLeft(a.QuinellaShareText[h], 8) << PadLeft(a.WideShareText[h], 7) << "  "
         << rank(row.F) << " " << rank(row.T) << " " << rank(row.R) << " " << rank(row.Z) << " "
         << rank(row.W) << "  " << PadRight(row.Mark, 2);
    if (jrdb) line << PadLeft(a.JrdbWinBase[h], 6) << PadLeft(a.JrdbPlaceBase[h], 6);
    if (withImplied) {
      const double o = implied ? implied->Odds[h] : 0;
      const double win = text::OddsValue(r.WinOdds[h]);
      line << PadLeft(o > 0 ? text::FormatNumber(o, "#0.0") : "-", 10)
           << PadLeft(o > 0 && win > 0 ? text::FormatNumber(win / o, "0.00") : "-", 6);
    }
    std::string text = line.str();
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out << text << "\n";
    if (row.Separator == SeparatorKind::Blue) out << "---- 断層 (青) ----\n";
    if (row.Separator == SeparatorKind::Red) out << "==== 断層 (赤) ====\n";
  }
}

}  // namespace

void RegisterAnalyseCommands(CLI::App& app, CliContext& ctx) {
  {
    auto* cmd = app.add_subcommand("analyse", "Analyse one race: prediction table or all values as JSON");
    auto o = std::make_shared<RaceOptions>();
    auto asJson = std::make_shared<bool>(false);
    AddRaceOptions(cmd, *o);
    cmd->add_flag("--json", *asJson, "Every derived value as JSON under its analysis name");
    cmd->callback([o, asJson, &ctx] {
      auto s = std::make_unique<Session>();
      TerminalPort port;
      if (!SelectFromOptions(*s, port, *o, ctx)) return;
      if (*asJson) {
        std::cout << RaceJson(*s).dump(1) << "\n";
      } else {
        PrintTable(*s, std::cout);
      }
      ctx.exitCode = 0;
    });
  }
  {
    auto* cmd = app.add_subcommand("csv", "Write the race's CSV file as the CSV button does");
    auto o = std::make_shared<RaceOptions>();
    auto out = std::make_shared<std::string>();
    auto yes = std::make_shared<bool>(false);
    AddRaceOptions(cmd, *o);
    cmd->add_option("--out", *out, "Export folder")->required();
    cmd->add_flag("--yes", *yes, "Answer Yes to the overwrite question");
    cmd->callback([o, out, yes, &ctx] {
      auto s = std::make_unique<Session>();
      TerminalPort port;
      port.assumeYes = *yes;
      if (!SelectFromOptions(*s, port, *o, ctx)) return;
      s->app.settings.CSVpath = *out;
      const auto path = ExportRaceCsv(*s, port);
      ctx.exitCode = path.empty() ? 1 : 0;
    });
  }
}

}  // namespace tz::cli
