// tazuna98-cli day / odds / make-sample: the loaded day of a PAT98 folder, the odds of one race
// as read from its files, and a generated sample day.
#include <fmt/format.h>

#include <iostream>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "jrdb/jrdb_import.h"
#include "pat98/day_loader.h"
#include "pat98/odds_reader.h"
#include "samples/pat98/sample_day.h"
#include "session.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz::cli {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Questions are answered No unless --yes was given: a report never writes into the folder
// on its own.
class ReportPort : public TerminalPort {
 public:
  Answer Ask(std::string_view title, std::string_view text, Buttons buttons, Icon icon,
             Answer defaultAnswer) override {
    Answer a = assumeYes ? Answer::Yes : Answer::No;
    std::cerr << ForTerminal(text) << " -> " << (a == Answer::Yes ? "Yes" : "No") << "\n";
    return a;
  }
};

// Loads the day of `folder` as the program does with a PAT98 folder. Returns false (message
// on stderr) when there is no day to show.
bool LoadDay(Session& s, ReportPort& port, const std::string& folder) {
  std::error_code ec;
  fs::path p = fs::absolute(folder, ec);
  if (ec || !text::FolderExists(p)) {
    std::cerr << "folder not found: " << folder << "\n";
    return false;
  }
  s.app.Pat98Folder = p;
  s.app.DataFolder = p;
  s.app.Pat98GuideDate = "99999999";
  int status = LoadCurrentData(s, port);
  if (status == kLoadNothing) {
    std::cerr << "no betting guide and no odds file in " << p.string() << "\n";
    return false;
  }
  if (status != 0 || s.race.MeetingCount == 0) {
    if (status == kLoadPseudoPossible && !port.assumeYes) {
      std::cerr << "(run again with --yes to build the pseudo betting guide)\n";
    }
    return false;
  }
  return true;
}

// The race number written in an odds file's header (0 when it cannot be read).
int HeaderRace(const fs::path& folder, const std::string& name) {
  auto p = text::FindEntry(folder, name);
  if (!p) return 0;
  auto bytes = text::ReadFileBytes(*p);
  if (!bytes) return 0;
  return static_cast<int>(text::ValInt(text::MidB(*bytes, 41, 2)));
}

json DayJson(Session& s) {
  RaceModel& r = s.race;
  json out;
  out["folder"] = s.app.DataFolder.string();
  out["date"] = r.GuideDate;
  out["dateIso"] = r.GuideDateIso;
  out["dateText"] = r.GuideDateText;
  if (r.GuideHour != 0) {
    out["meetingGuide"] = {{"hour", r.GuideHour}, {"minute", r.GuideMinute}};
  } else {
    out["meetingGuide"] = nullptr;
  }
  out["oddsFileCount"] = r.OddsFileCount;
  out["currentDayOddsCount"] = r.CurrentDayOddsCount;
  json meetings = json::array();
  for (int m = 1; m <= r.MeetingCount; ++m) {
    r.CurrentMeeting = m;
    RefreshDayView(s.race, s.dayView, s.app, s.folders);
    const MeetingRecord& info = r.MeetingInfo[m];
    const MeetingButtonView& button = s.dayView.meetingButtons[m];
    json jm;
    jm["meeting"] = m;
    jm["courseCode"] = info.CourseCode;
    jm["racecourse"] = RacecourseName(r, info.CourseCode, info.Year);
    jm["year"] = info.Year;
    jm["kai"] = info.Kai;
    jm["day"] = info.Day;
    if (r.GuideHour != 0) {
      jm["weather"] = text::Trim(r.MeetingGuide[m].Weather);
      jm["turfGoing"] = text::Trim(r.MeetingGuide[m].TurfGoing);
      jm["dirtGoing"] = text::Trim(r.MeetingGuide[m].DirtGoing);
    } else {
      jm["weather"] = nullptr;
      jm["turfGoing"] = nullptr;
      jm["dirtGoing"] = nullptr;
    }
    jm["icon"] = button.icon;
    jm["toolTip"] = button.toolTip;
    json races = json::array();
    const int course = info.CourseCode;
    for (int slot = 1; slot <= kAdvanceSaleSlot; ++slot) {
      std::string file = course >= 1 && course <= kMaxCourses ? r.OddsFileIndex[course][slot] : "";
      json jr;
      jr["slot"] = slot;
      jr["advanceSale"] = slot == kAdvanceSaleSlot;
      if (slot < kAdvanceSaleSlot) {
        jr["race"] = slot;
        jr["saleCode"] = r.RaceSaleCode[m][slot];
      } else {
        int race = file.empty() ? 0 : HeaderRace(s.app.DataFolder, file);
        jr["race"] = race;
        jr["saleCode"] = race >= 1 && race <= kMaxRaces ? r.RaceSaleCode[m + 3][race] : 0;
      }
      jr["oddsFile"] = file;
      jr["selectable"] = s.dayView.raceButtons[4 + slot].enabled;
      races.push_back(jr);
    }
    jm["races"] = races;
    meetings.push_back(jm);
  }
  out["meetings"] = meetings;
  return out;
}

void PrintDay(const json& d) {
  std::cout << "Date: " << d["dateIso"].get<std::string>() << " (" << d["dateText"].get<std::string>()
            << ")\n";
  if (!d["meetingGuide"].is_null()) {
    std::cout << fmt::format("Meeting guide: {:02d}:{:02d}\n", d["meetingGuide"]["hour"].get<int>(),
                             d["meetingGuide"]["minute"].get<int>());
  } else {
    std::cout << "Meeting guide: none\n";
  }
  for (const json& m : d["meetings"]) {
    std::cout << fmt::format("\nMeeting {}: {} ({:02d}) {}回 {}日", m["meeting"].get<int>(),
                             m["racecourse"].get<std::string>(), m["courseCode"].get<int>(),
                             m["kai"].get<int>(), m["day"].get<int>());
    if (!m["weather"].is_null()) {
      std::cout << fmt::format("  天候 {}  芝 {}  ﾀﾞｰﾄ {}", m["weather"].get<std::string>(),
                               m["turfGoing"].get<std::string>(), m["dirtGoing"].get<std::string>());
    }
    std::cout << "\n     race  sale  odds file   selectable\n";
    for (const json& r : m["races"]) {
      std::string label = r["advanceSale"].get<bool>()
                              ? (r["race"].get<int>() > 0 ? fmt::format("前日{:>2}R", r["race"].get<int>())
                                                          : std::string("前日  -"))
                              : fmt::format("{:>6}R", r["race"].get<int>());
      std::string file = r["oddsFile"].get<std::string>();
      std::cout << fmt::format("  {}  {:>4}  {:<10}  {}\n", label, r["saleCode"].get<int>(),
                               file.empty() ? "-" : file, r["selectable"].get<bool>() ? "yes" : "no");
    }
  }
}

// The quinella tables of the race as the race selection fills them for its sale code.
// Returns false (message shown) when they cannot be read.
bool ReadPairOdds(Session& s, UserPort& port) {
  RaceModel& r = s.race;
  switch (r.CurrentSaleCode) {
    case 0:
      std::cerr << "the race is not on sale (sale code 0)\n";
      return false;
    case 7:
      if (r.HorseCount < 9) QuinellaFromBracketTable(r);
      else QuinellaFromBracketRepresentatives(r);
      return true;
    case 15:
    case 31:
      ReadQuinellaFile(s.race, s.folders);
      if (r.LoadStatus < 0 || (r.CurrentSaleCode == 31 && r.LoadStatus != 0)) {
        port.Error(s.app.AppTitle, "馬連ｵｯｽﾞが取得されていません。");
        return false;
      }
      if (r.LoadStatus > 0) {
        port.Error(s.app.AppTitle, "PAT98対応の馬連ｵｯｽﾞﾌｧｲﾙではありません。");
        return false;
      }
      return true;
    default:
      port.Error(s.app.AppTitle, "投票要項エラー");
      return false;
  }
}

json Matrix(const auto& table, int n) {
  json rows = json::array();
  for (int i = 1; i <= n; ++i) {
    json row = json::array();
    for (int j = 1; j <= n; ++j) row.push_back(table[i][j].text());
    rows.push_back(row);
  }
  return rows;
}

json OddsJson(const Session& s) {
  const RaceModel& r = s.race;
  json out;
  out["oddsFile"] = r.CurrentOddsFileName;
  out["date"] = r.GuideDate;
  out["racecourse"] = r.OddsCourseName;
  out["kai"] = r.OddsKai;
  out["day"] = r.OddsDay;
  out["race"] = r.CurrentRace;
  out["advanceSale"] = r.CurrentDayKind == 2;
  out["timeKind"] = r.OddsTimeKind;
  out["hour"] = r.OddsHour;
  out["minute"] = r.OddsMinute;
  out["title"] = {r.RaceTitle[0], r.RaceTitle[1]};
  out["saleCode"] = r.CurrentSaleCode;
  out["horseCount"] = r.HorseCount;
  json scratched = json::array();
  for (int k = 1; k <= r.ScratchedCount; ++k) scratched.push_back(r.ScratchedHorses[k]);
  out["scratched"] = scratched;
  out["noWideOdds"] = r.NoWideOdds;
  json horses = json::array();
  for (int h = 1; h <= r.HorseCount; ++h) {
    horses.push_back({{"number", h}, {"bracket", r.HorseBracket[h]}, {"win", r.WinOdds[h].text()},
                      {"placeLow", r.PlaceOddsLow[h].text()},
                      {"placeHigh", r.PlaceOddsHigh[h].text()}});
  }
  out["horses"] = horses;
  out["bracketQuinella"] = Matrix(r.BracketQuinellaOdds, kMaxBrackets);
  out["quinella"] = Matrix(r.QuinellaOdds, r.HorseCount);
  if (r.CurrentSaleCode == 31 || r.CurrentSaleCode == 15) {
    out["wideLow"] = Matrix(r.WideOddsLow, r.HorseCount);
    out["wideHigh"] = Matrix(r.WideOddsHigh, r.HorseCount);
  } else {
    out["wideLow"] = nullptr;
    out["wideHigh"] = nullptr;
  }
  return out;
}

std::string Cell(const std::string& v, std::size_t width) {
  std::string t = v.empty() ? "-" : v;
  std::size_t n = text::CharCount(t);
  return n >= width ? t : std::string(width - n, ' ') + t;
}

void PrintMatrix(const std::string& title, const json& m, std::size_t width, bool diagonal = false) {
  std::cout << "\n" << title << "\n    ";
  for (std::size_t j = 0; j < m.size(); ++j) std::cout << Cell(std::to_string(j + 1), width) << " ";
  std::cout << "\n";
  for (std::size_t i = 0; i < m.size(); ++i) {
    std::cout << fmt::format("{:>3} ", i + 1);
    for (std::size_t j = 0; j < m[i].size(); ++j) {
      std::cout << (i == j && !diagonal ? std::string(width, ' ') : Cell(m[i][j].get<std::string>(), width)) << " ";
    }
    std::cout << "\n";
  }
}

void PrintOdds(const json& o) {
  std::cout << fmt::format("{} {} {}回{}日 {}R{}  {}  {:02d}:{:02d} {}\n", o["date"].get<std::string>(),
                           o["racecourse"].get<std::string>(), o["kai"].get<int>(), o["day"].get<int>(),
                           o["race"].get<int>(), o["advanceSale"].get<bool>() ? " (前日発売)" : "",
                           o["oddsFile"].get<std::string>(), o["hour"].get<int>(), o["minute"].get<int>(),
                           o["timeKind"].get<int>() == 0 ? "現在" : "発走");
  std::cout << text::TrimRight(o["title"][0].get<std::string>()) << "  "
            << text::TrimRight(o["title"][1].get<std::string>()) << "\n";
  std::cout << fmt::format("sale code {}  horses {}  scratched {}  quinella only {}\n",
                           o["saleCode"].get<int>(), o["horseCount"].get<int>(), o["scratched"].dump(),
                           o["noWideOdds"].get<int>() ? "yes" : "no");
  std::cout << "\n  no  枠    win  place\n";
  for (const json& h : o["horses"]) {
    std::cout << fmt::format("  {:>2}  {:>2}  {}  {} - {}\n", h["number"].get<int>(), h["bracket"].get<int>(),
                             Cell(h["win"].get<std::string>(), 5), Cell(h["placeLow"].get<std::string>(), 5),
                             Cell(h["placeHigh"].get<std::string>(), 5));
  }
  PrintMatrix("Bracket quinella (枠連)", o["bracketQuinella"], 5, true);
  PrintMatrix("Quinella (馬連)", o["quinella"], 6);
  if (!o["wideLow"].is_null()) {
    PrintMatrix("Wide lower (ワイド下限)", o["wideLow"], 6);
    PrintMatrix("Wide upper (ワイド上限)", o["wideHigh"], 6);
  }
}

struct SampleOptions {
  std::string folder;
  unsigned seed = 1;
  std::string date;
  std::string fromJrdb;
};

// make-sample --from-jrdb: the JRDB import of the day (the folder's only day, or --date), written
// over what the folder holds, then the other JRDB files of the day and their licence beside the
// base-odds file, as the source of the sample.
bool MakeSampleFromJrdb(const SampleOptions& o) {
  const fs::path src = o.fromJrdb;
  jrdb::ImportReport rep;
  if (o.date.empty()) {
    rep = jrdb::ImportJrdbDay(src, o.folder, true);
  } else if (o.date.size() == 8) {
    rep = jrdb::ImportJrdbDate(src, o.date.substr(2, 6), o.folder, true);
  } else {
    rep.error = "--date must be yyyymmdd";
  }
  if (!rep.ok) {
    std::cerr << ForTerminal(rep.error) << "\n";
    return false;
  }
  const fs::path jrdbOut = fs::path(o.folder) / "jrdb";
  const std::string yymmdd = rep.date.substr(2, 6);
  for (const std::string& name :
       {"OW" + yymmdd + ".TXT", "SKB" + yymmdd + ".TXT", "UKC" + yymmdd + ".TXT", std::string("LICENSE")}) {
    if (auto p = text::FindEntry(src, name)) {
      auto bytes = text::ReadFileBytes(*p);
      std::string err = bytes ? text::WriteFileAtomic(jrdbOut / p->filename(), *bytes) : "cannot read " + p->string();
      if (!err.empty()) {
        std::cerr << err << "\n";
        return false;
      }
    }
  }
  std::cout << fmt::format("wrote {} races of {} into {}\n", rep.counts.races, rep.date, o.folder);
  return true;
}

}  // namespace

void RegisterDayCommands(CLI::App& app, CliContext& ctx) {
  struct DayOptions {
    std::string folder;
    bool json = false;
    bool yes = false;
  };
  auto dayOpt = std::make_shared<DayOptions>();
  auto* day = app.add_subcommand("day", "Show the racing day of a PAT98 or data folder");
  AddDataFolderOption(day, dayOpt->folder);
  day->add_flag("--json", dayOpt->json, "Write JSON");
  day->add_flag("--yes", dayOpt->yes, "Answer Yes to questions (build a pseudo betting guide)");
  day->callback([dayOpt, &ctx] {
    Session s;
    ReportPort port;
    port.assumeYes = dayOpt->yes;
    if (!LoadDay(s, port, dayOpt->folder)) {
      ctx.exitCode = 1;
      return;
    }
    json d = DayJson(s);
    if (dayOpt->json) {
      std::cout << d.dump(2) << "\n";
    } else {
      PrintDay(d);
    }
    ctx.exitCode = 0;
  });

  struct OddsOptions {
    std::string folder;
    int meeting = 1;
    int race = 0;
    bool advance = false;
    bool json = false;
  };
  auto oddsOpt = std::make_shared<OddsOptions>();
  auto* odds = app.add_subcommand("odds", "Show the odds of one race as read from its files");
  AddDataFolderOption(odds, oddsOpt->folder);
  odds->add_option("--meeting", oddsOpt->meeting, "Meeting 1..3")->required();
  odds->add_option("--race", oddsOpt->race, "Race 1..12");
  odds->add_flag("--advance", oddsOpt->advance, "The advance-sale race of the meeting");
  odds->add_flag("--json", oddsOpt->json, "Write JSON");
  odds->callback([oddsOpt, &ctx] {
    Session s;
    ReportPort port;
    ctx.exitCode = 1;
    if (!LoadDay(s, port, oddsOpt->folder)) return;
    RaceModel& r = s.race;
    if (oddsOpt->meeting < 1 || oddsOpt->meeting > r.MeetingCount) {
      std::cerr << fmt::format("meeting {} is not on this day (1..{})\n", oddsOpt->meeting, r.MeetingCount);
      return;
    }
    if (!oddsOpt->advance && (oddsOpt->race < 1 || oddsOpt->race > kMaxRaces)) {
      std::cerr << "--race 1..12 or --advance is required\n";
      return;
    }
    r.CurrentMeeting = oddsOpt->meeting;
    RefreshDayView(s.race, s.dayView, s.app, s.folders);
    const int slot = oddsOpt->advance ? kAdvanceSaleSlot : oddsOpt->race;
    if (r.CurrentCourse < 1 || r.CurrentCourse > kMaxCourses ||
        r.OddsFileIndex[r.CurrentCourse][slot].empty()) {
      std::cerr << (oddsOpt->advance ? std::string("no advance-sale odds file for this meeting\n")
                                     : fmt::format("no odds file for race {}\n", oddsOpt->race));
      return;
    }
    r.CurrentDayKind = oddsOpt->advance ? 2 : 1;
    r.CurrentOddsFileName = r.OddsFileIndex[r.CurrentCourse][slot];
    r.OddsFilePath[0] = (s.app.DataFolder / r.CurrentOddsFileName).string();
    r.OddsFilePath[1] = (s.app.DataFolder / ("U" + r.CurrentOddsFileName.substr(1))).string();
    r.ScratchedCount = 0;
    r.NoWideOdds = 0;
    if (ReadRaceOdds(s.race, s.app, s.folders, port) != 0) return;
    int guide = r.CourseMeetingSlot[r.CurrentCourse] + (r.CurrentDayKind == 2 ? 3 : 0);
    r.CurrentSaleCode = r.CurrentRace >= 1 && r.CurrentRace <= kMaxRaces ? r.RaceSaleCode[guide][r.CurrentRace] : 0;
    r.LoadStatus = 0;
    if (!ReadPairOdds(s, port)) return;
    json o = OddsJson(s);
    if (oddsOpt->json) {
      std::cout << o.dump(2) << "\n";
    } else {
      PrintOdds(o);
    }
    ctx.exitCode = 0;
  });

  auto sampleOpt = std::make_shared<SampleOptions>();
  auto* sample = app.add_subcommand("make-sample", "Write a generated racing day into a folder");
  sample->add_option("OUTDIR,--out", sampleOpt->folder, "Folder to write the day into")->required();
  sample->add_option("--seed", sampleOpt->seed, "Seed of the generator (default 1)");
  sample->add_option("--date", sampleOpt->date, "Date of the day, yyyymmdd (default 20021020)");
  sample->add_option("--from-jrdb", sampleOpt->fromJrdb,
                     "Import the day of the JRDB files in this folder (as jrdb-import does), with its source files");
  sample->callback([sampleOpt, &ctx] {
    ctx.exitCode = 1;
    try {
      if (!sampleOpt->fromJrdb.empty()) {
        ctx.exitCode = MakeSampleFromJrdb(*sampleOpt) ? 0 : 1;
        return;
      }
      SampleDay d = BuildSampleDay(sampleOpt->seed, sampleOpt->date.empty() ? "20021020" : sampleOpt->date);
      std::string err = WriteSampleDay(d, sampleOpt->folder);
      if (!err.empty()) {
        std::cerr << err << "\n";
        return;
      }
      std::cout << fmt::format("wrote {} races of {} into {}\n", d.races.size(), d.date, sampleOpt->folder);
      ctx.exitCode = 0;
    } catch (const std::exception& e) {
      std::cerr << e.what() << "\n";
    }
  });
}

}  // namespace tz::cli
