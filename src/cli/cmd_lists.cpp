// tazuna98-cli longshots / predicted: the recommended-longshot list and the predicted-values
// list of a whole day, as the lists of the tools menu build them; the longshot list can also be
// written as the text and CSV files of its window.
#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/startup.h"
#include "commands.h"
#include "exports/day_lists.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"

namespace tz::cli {

namespace {

using nlohmann::json;

struct ListOptions {
  std::string data;
  std::string out;
  std::string home;
  std::string jrdb;
  std::string base;
  bool json = false;
  bool yes = false;
  bool umaTanShi = false;
};

void AddListOptions(CLI::App* cmd, ListOptions& o) {
  AddDataFolderOption(cmd, o.data);
  cmd->add_option("--home", o.home,
                  "Program folder whose tz98.ini gives the options (default: built-in settings)");
  cmd->add_option("--jrdb", o.jrdb, "JRDB folder with the base-odds files OZyymmdd.TXT");
  AddBaseOption(cmd, o.base);
  cmd->add_flag("--umatanshi", o.umaTanShi,
                "Grey background for horses ranked 1 in red under R or Z (option UmaTanShi)");
  cmd->add_flag("--json", o.json, "Write the list as JSON");
}

// Loads the day; false (with the exit code set) when there is nothing to run over.
bool LoadDay(Session& s, TerminalPort& port, const ListOptions& o, CliContext& ctx) {
  if (!o.home.empty()) InitApplicationState(s, o.home, 0, 0);
  if (!o.jrdb.empty()) s.app.settings.OZpath = o.jrdb;
  if (o.umaTanShi) s.app.settings.UmaTanShi = 1;
  if (!LoadDayOf(s, port, o.data, ctx)) return false;
  if (!UseBaseFolder(s, port, o.base)) {
    ctx.exitCode = 2;
    return false;
  }
  return true;
}

json Label(const ListLabel& l) {
  json j = {{"Text", l.Text}, {"Fore", l.Fore}, {"Bold", l.Bold}};
  j["Back"] = l.Back ? json(*l.Back) : json(nullptr);
  return j;
}

json LongshotJson(const Session& s) {
  const LongshotListModel& list = s.longshotList;
  json meetings = json::array();
  for (int m = 1; m <= list.MeetingCount; ++m) {
    json races = json::array();
    for (int r = 1; r <= kMaxRaces; ++r) {
      const LongshotRace& race = list.Races[ListRaceIndex(m, r)];
      json slots = json::array();
      for (const LongshotSlot& slot : race.Slots) {
        if (slot.Horse.Text.empty()) continue;
        slots.push_back({{"Lbuma", Label(slot.Horse)},
                         {"Lbninki", Label(slot.Position)},
                         {"Lbchaku", Label(slot.Place)}});
      }
      races.push_back({{"Race", r}, {"Lbrace", race.Caption}, {"Lbtan", race.Upset}, {"Slots", slots}});
    }
    meetings.push_back({{"Meeting", m}, {"Caption", list.MeetingCaptions[m]}, {"Races", races}});
  }
  return {{"GuideDate", s.race.GuideDate}, {"Meetings", meetings}};
}

json PredictedJson(const Session& s) {
  const PredictedValuesListModel& list = s.predictedList;
  json meetings = json::array();
  for (int m = 1; m <= list.MeetingCount; ++m) {
    json races = json::array();
    for (int r = 1; r <= kMaxRaces; ++r) {
      const PredictedRace& race = list.Races[ListRaceIndex(m, r)];
      json j = {{"Race", r}, {"Analysed", race.Filled}};
      if (race.Filled) {
        j["UpsetText"] = race.UpsetText;
        j["Favourite"] = {{"Place", race.Favourite[0]}, {"Win", race.Favourite[1]},
                          {"Synthetic", race.Favourite[2]}};
        j["Leading"] = race.Leading;
        json groups = json::object();
        for (int g = 0; g < kPredictedGroups; ++g) {
          json entries = json::array();
          for (const PredictedEntry& e : race.Groups[static_cast<std::size_t>(g)]) {
            entries.push_back({{"Horse", e.HorseText},
                               {"Position", e.Position},
                               {"Rank", e.Rank},
                               {"Back", e.Back},
                               {"Marked", e.Marked},
                               {"Place", e.PlaceText},
                               {"PlaceFore", e.PlaceFore},
                               {"PlaceBold", e.PlaceBold}});
          }
          groups[kPredictedGroupNames[static_cast<std::size_t>(g)]] = entries;
        }
        j["Groups"] = groups;
      }
      races.push_back(j);
    }
    meetings.push_back({{"Meeting", m}, {"Caption", list.MeetingCaptions[m]}, {"Races", races}});
  }
  return {{"GuideDate", s.race.GuideDate}, {"Meetings", meetings}};
}

// "★5 (4) 1着": mark and horse, popularity position, place when known.
std::string SlotText(const LongshotSlot& slot) {
  std::string t = slot.Horse.Text + " (" + slot.Position.Text + ")";
  if (!slot.Place.Text.empty()) t += " " + slot.Place.Text + "着";
  return t;
}

void PrintLongshots(const Session& s, std::ostream& out) {
  const LongshotListModel& list = s.longshotList;
  out << "推奨穴馬一覧 " << s.race.GuideDateText << "\n";
  for (int m = 1; m <= list.MeetingCount; ++m) {
    out << list.MeetingCaptions[m] << "\n";
    for (int r = 1; r <= kMaxRaces; ++r) {
      const LongshotRace& race = list.Races[ListRaceIndex(m, r)];
      std::string line = text::FormatText(race.Caption, "@@@@") + "  " +
                         text::FormatText(race.Upset.empty() ? "-" : race.Upset, "@@@@@@@@");
      for (const LongshotSlot& slot : race.Slots) {
        if (!slot.Horse.Text.empty()) line += "  " + SlotText(slot);
      }
      out << line << "\n";
    }
  }
}

std::vector<std::string> PredictedLines(const Session& s) {
  const PredictedValuesListModel& list = s.predictedList;
  std::vector<std::string> lines;
  lines.push_back("予想値一覧 " + s.race.GuideDateText);
  for (int m = 1; m <= list.MeetingCount; ++m) {
    lines.push_back(list.MeetingCaptions[m]);
    for (int r = 1; r <= kMaxRaces; ++r) {
      const PredictedRace& race = list.Races[ListRaceIndex(m, r)];
      std::string line = text::FormatText(std::to_string(r) + "R", "@@@@");
      if (!race.Filled) {
        lines.push_back(line);
        continue;
      }
      line += "  " + text::FormatText(race.UpsetText, "@@@@@@") + " " +
              text::FormatText(race.Leading, "@@!") + " 複" + race.Favourite[0] + " 単" +
              race.Favourite[1] + " 仮単" + race.Favourite[2];
      lines.push_back(line);
      for (int g = 0; g < kPredictedGroups; ++g) {
        std::string group = "      " + std::string(kPredictedGroupNames[static_cast<std::size_t>(g)]);
        const auto& entries = race.Groups[static_cast<std::size_t>(g)];
        for (std::size_t k = 0; k < entries.size() && k < 5; ++k) {
          const PredictedEntry& e = entries[k];
          group += "  " + e.HorseText + " (" + e.PositionText + ")";
          if (!e.PlaceText.empty()) group += " " + e.PlaceText + "着";
        }
        lines.push_back(group);
      }
    }
  }
  return lines;
}

int RunLongshots(const ListOptions& o, CliContext& ctx) {
  TerminalPort port;
  port.assumeYes = o.yes;
  Session s;
  if (!LoadDay(s, port, o, ctx)) return ctx.exitCode;
  const bool complete = BuildLongshotList(s, port);
  if (o.json) {
    std::cout << LongshotJson(s).dump(2) << "\n";
  } else {
    PrintLongshots(s, std::cout);
  }
  if (!complete) return 1;
  if (!o.out.empty()) {
    s.app.settings.CSVpath = o.out;
    if (ExportLongshotText(s, port).empty()) return 1;
    if (ExportLongshotCsv(s, port).empty()) return 1;
  }
  return 0;
}

int RunPredicted(const ListOptions& o, CliContext& ctx) {
  TerminalPort port;
  port.assumeYes = o.yes;
  Session s;
  if (!LoadDay(s, port, o, ctx)) return ctx.exitCode;
  const bool complete = BuildPredictedValuesList(s, port);
  const std::vector<std::string> lines = PredictedLines(s);
  if (o.json) {
    std::cout << PredictedJson(s).dump(2) << "\n";
  } else {
    for (const std::string& line : lines) std::cout << line << "\n";
  }
  if (!complete) return 1;
  if (!o.out.empty()) {
    if (!text::FolderExists(o.out)) {
      port.Error(s.app.AppTitle, std::string(kListFolderMissing) + "\n\n" + o.out);
      return 1;
    }
    const std::string name = text::Mid(s.race.GuideDate, 5, 4) + "予想値.txt";
    const auto inFolder = text::PathInFolder(o.out, name);
    if (!inFolder) {
      port.Error(s.app.AppTitle, std::string(text::kBadFileNameMessage) + "\n\n" + name);
      return 1;
    }
    const std::filesystem::path& path = *inFolder;
    if (const std::string err = text::WriteTextFileAtomic(path, lines); !err.empty()) {
      port.Error(s.app.AppTitle, err);
      return 1;
    }
    std::cerr << path.string() << "\n";
  }
  return 0;
}

}  // namespace

void RegisterListCommands(CLI::App& app, CliContext& ctx) {
  {
    auto o = std::make_shared<ListOptions>();
    auto* cmd = app.add_subcommand(
        "longshots", "推奨穴馬一覧: the horses marked ★/☆ in every race of the day, with their places");
    AddListOptions(cmd, *o);
    cmd->add_option("--out", o->out,
                    "Also write mmdd推奨馬.txt and mmdd推奨馬.csv into this folder, as the list window does");
    cmd->add_flag("--yes", o->yes, "Answer Yes to the overwrite questions");
    cmd->callback([o, &ctx] { ctx.exitCode = RunLongshots(*o, ctx); });
  }
  {
    auto o = std::make_shared<ListOptions>();
    auto* cmd = app.add_subcommand(
        "predicted", "予想値一覧: per race the horses ranked 1 to 5 under W, R, Z, T and F, with their places");
    AddListOptions(cmd, *o);
    cmd->add_option("--out", o->out, "Also write the printed list as mmdd予想値.txt into this folder");
    cmd->add_flag("--yes", o->yes, "Answer Yes to questions");
    cmd->callback([o, &ctx] { ctx.exitCode = RunPredicted(*o, ctx); });
  }
}

}  // namespace tz::cli
